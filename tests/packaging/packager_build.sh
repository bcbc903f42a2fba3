#!/usr/bin/env bash
# A packager's build: a Release configure with nothing else given, every
# option at its default (the tests included, warnings not errors).
#
#   packager_build.sh SOURCE_DIR BUILD_DIR GENERATOR THIS_TREE
#
# When THIS_TREE (the tree the tests run from, already built) compiles every
# source of the packager's build with the very same command but for -Werror
# (and -Wno-error=, which only tempers it),
# its build stands for the packager's: a command that compiles with -Werror
# compiles without it, and nothing is compiled twice. Otherwise (this tree is
# a Debug or sanitizer build, say) the packager's tree is built whole. Either
# way BUILD_DIR/package-from names the tree the package test packages.
#
# The packager's cache is made afresh each time, so an option's default
# changed in the sources is what the next run configures with.
set -euo pipefail

source_dir=$1
build_dir=$2
generator=$3
this_tree=$4

mkdir -p "$build_dir"
rm -f "$build_dir/CMakeCache.txt" "$build_dir/package-from"
log=$build_dir/packager-build.log
start=$SECONDS
# The list of compile commands changes nothing that is built.
echo "== configure: cmake -S $source_dir -B $build_dir -G $generator -DCMAKE_BUILD_TYPE=Release"
if ! cmake -S "$source_dir" -B "$build_dir" -G "$generator" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$log" 2>&1; then
    cat "$log" >&2
    echo "FAIL: a plain Release configure fails" >&2
    exit 1
fi
if ! grep -qx 'KINDRELL_WARNINGS_AS_ERRORS:BOOL=OFF' "$build_dir/CMakeCache.txt"; then
    echo "FAIL: a plain configure treats warnings as errors" >&2
    exit 1
fi

if python3 - "$build_dir" "$this_tree" <<'PY'
import json, os, sys

def commands(tree):
    """Each source's compile command, the tree's own path (in which unity
    builds keep their sources) and -Werror (with its -Wno-error=) taken out."""
    path = os.path.join(tree, "compile_commands.json")
    if not os.path.exists(path):
        return {}
    tree = os.path.realpath(tree)
    with open(path) as f:
        return {entry["file"].replace(tree, "<tree>"): " ".join(word for word in
                                        entry["command"].replace(tree, "<tree>").split()
                                        if word != "-Werror" and
                                        not word.startswith("-Wno-error="))
                for entry in json.load(f)}

packager, this = commands(sys.argv[1]), commands(sys.argv[2])
differ = [f for f, command in packager.items() if this.get(f) != command]
if differ:
    print(f"{len(differ)} of {len(packager)} sources compile otherwise here, e.g. {differ[0]}")
    sys.exit(1)
print(f"this tree compiles all {len(packager)} sources of the packager's build the same way, "
      "with -Werror: its build stands for the packager's")
PY
then
    # Link steps too: the packager's programs are this tree's.
    if cmake --build "$this_tree" >>"$log" 2>&1; then
        realpath "$this_tree" >"$build_dir/package-from"
        exit 0
    fi
    tail -40 "$log" >&2
    echo "FAIL: this tree no longer builds" >&2
    exit 1
fi

echo "== build"
if ! cmake --build "$build_dir" -j "$(nproc)" >>"$log" 2>&1; then
    grep -E 'error|FAILED' "$log" >&2 || tail -40 "$log" >&2
    echo "FAIL: a plain Release build fails (full output: $log)" >&2
    exit 1
fi
realpath "$build_dir" >"$build_dir/package-from"
# Warnings do not stop this build, but are worth seeing.
warnings=$(grep -c 'warning:' "$log" || true)
echo "built in $((SECONDS - start)) s, $warnings compiler warnings (full output: $log)"
grep 'warning:' "$log" | sort -u || true
