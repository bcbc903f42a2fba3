#!/usr/bin/env bash
# Builds the Debian package from a finished build tree (or the one its
# BUILD_DIR/package-from names), installs it, and runs the installed programs.
#
#   package_test.sh BUILD_DIR APPSTREAM_ID NAMES_APPSTREAM_ID
#
# CPACK names the cpack to use (default: the one on PATH).
# The package goes into the real system (dpkg -i, removed again at the end)
# only on a disposable machine: as root with CI=true or
# KINDRELL_ALLOW_SYSTEM_INSTALL=1, and only when no kindrell package is
# installed already. Elsewhere it is unpacked into a private folder and run
# from there, which checks everything but dpkg's own bookkeeping.
set -euo pipefail

build_dir=$1
appstream_id=$2
# The tree the packager's build test built, where it says.
if [[ -f $build_dir/package-from ]]; then
    build_dir=$(<"$build_dir/package-from")
fi
names_appstream_id=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
system_install=0
cleanup() {
    local rc=$?
    if [[ $system_install == 1 ]]; then
        dpkg -r kindrell >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT

echo "== building the package"
"${CPACK:-cpack}" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
shopt -s nullglob
debs=("$work/out"/*.deb)
shopt -u nullglob
(( ${#debs[@]} == 1 )) || fail "expected one .deb, found ${#debs[@]}"
deb=${debs[0]}
echo "package: $(basename "$deb")"

echo "== control fields"
dpkg-deb -I "$deb" >"$work/info"
cat "$work/info"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kindrell ]] || fail "package name is '$(field Package)'"
depends=$(field Depends)
# The programs link Qt's widgets, gui and core libraries and the C and C++
# run-times; dpkg-shlibdeps must have turned each into a dependency.
depended=()
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
    entry=${entry# }
    depended+=("${entry%% *}")
done
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
    [[ " ${depended[*]} " == *" $needed "* ]] || fail "Depends lacks $needed: $depends"
done

echo "== contents"
dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for path in \
    ./usr/bin/kindrell \
    ./usr/bin/kindrell-reading \
    ./usr/bin/kindrell-names \
    ./usr/share/applications/kindrell.desktop \
    ./usr/share/applications/kindrell-names.desktop \
    "./usr/share/metainfo/$appstream_id.metainfo.xml" \
    "./usr/share/metainfo/$names_appstream_id.metainfo.xml" \
    ./usr/share/icons/hicolor/scalable/apps/kindrell.svg \
    ./usr/share/icons/hicolor/32x32/apps/kindrell.png \
    ./usr/share/man/man1/kindrell.1.gz \
    ./usr/share/man/man1/kindrell-names.1.gz \
    ./usr/share/man/man1/kindrell-reading.1.gz \
    ./usr/share/doc/kindrell/copyright \
    ./usr/share/doc/kindrell/changelog.gz \
    ./usr/share/bash-completion/completions/kindrell-reading; do
    grep -qxF "$path" "$work/contents" || fail "package lacks $path"
done

# Debian's own checker: any error or warning fails the test.
echo "== lintian"
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps installs it)"
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
    { grep -v 'running with root privileges' "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }
grep -v 'running with root privileges' "$work/lintian.log" || true
echo "lintian: no error, no warning"

# The manual pages, found by man in the unpacked tree as they would be once
# installed.
echo "== manual pages"
dpkg -x "$deb" "$work/mantree"
for page in kindrell kindrell-names kindrell-reading; do
    found=$(MANPATH=$work/mantree/usr/share/man man -w "$page") ||
        fail "man -w does not find $page"
    [[ $found == "$work/mantree/usr/share/man/man1/$page.1.gz" ]] || fail "man -w $page gives $found"
    echo "$page: ${found#"$work/mantree"}"
done

# The unpacked tree as a whole: metadata, desktop entry and icon agree.
if command -v appstreamcli >/dev/null; then
    echo "== appstream validate-tree"
    dpkg -x "$deb" "$work/tree"
    appstreamcli validate-tree --no-net "$work/tree/usr" || fail "appstreamcli validate-tree failed"
fi

if [[ $EUID == 0 && (${CI:-} == true || ${KINDRELL_ALLOW_SYSTEM_INSTALL:-} == 1) ]] &&
    ! dpkg -s kindrell >/dev/null 2>&1; then
    echo "== installing with dpkg -i"
    system_install=1
    dpkg -i "$deb" || fail "dpkg -i failed"
    dpkg -s kindrell >"$work/status"
    grep -qx 'Status: install ok installed' "$work/status" || fail "not installed: $(cat "$work/status")"
    root=""
else
    echo "== unpacking into a private root (no system install here)"
    dpkg -x "$deb" "$work/root"
    root=$work/root
fi

bin=$root/usr/bin
share=$root/usr/share

# Each desktop entry must start a program that the package installs, with an
# icon that the package installs.
for entry in kindrell kindrell-names; do
    exec_line=$(sed -n 's/^Exec=//p' "$share/applications/$entry.desktop")
    [[ -x $bin/${exec_line%% *} ]] || fail "$entry.desktop runs '$exec_line', not installed"
    icon=$(sed -n 's/^Icon=//p' "$share/applications/$entry.desktop")
    [[ -f $share/icons/hicolor/scalable/apps/$icon.svg && -f $share/icons/hicolor/32x32/apps/$icon.png ]] ||
        fail "icon '$icon' of $entry.desktop not installed"
done

echo "== command-line tool"
out=$("$bin/kindrell-reading" Mary John Zoe) || fail "kindrell-reading exited with $?"
echo "$out"
grep -qF "Child Destiny: 3" <<<"$out" || fail "kindrell-reading did not print 'Child Destiny: 3'"

echo "== desktop programs"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
for program in kindrell kindrell-names; do
    HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime \
        QT_QPA_PLATFORM=offscreen "$bin/$program" >"$work/gui.log" 2>&1 &
    pid=$!
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        rc=0
        wait "$pid" || rc=$?
        cat "$work/gui.log" >&2
        fail "$program ended within 2 s (exit status $rc); it should wait in its event loop"
    fi
    kill "$pid"
    rc=0
    wait "$pid" || rc=$?
    # 143 is the SIGTERM we sent; anything else means it ended on its own first.
    [[ $rc == 143 ]] || { cat "$work/gui.log" >&2; fail "$program exit status $rc"; }
    echo "$program was running after 2 s"
done

if [[ $system_install == 1 ]]; then
    echo "== removing"
    system_install=0
    dpkg -r kindrell || fail "dpkg -r failed"
    if dpkg -s kindrell 2>/dev/null | grep -qx 'Status: install ok installed'; then
        fail "kindrell still installed after dpkg -r"
    fi
    [[ ! -e /usr/bin/kindrell && ! -e /usr/bin/kindrell-reading && ! -e /usr/bin/kindrell-names ]] ||
        fail "programs left behind"
fi
echo "package test passed"
