#!/usr/bin/env bash
# Times kindrell-reading's shortlist mode, tab-separated and as JSON lines,
# against `wc -l` on the same list, and measures its peak memory on a short
# and a long list, to show that the time grows with the list but the memory
# does not. Given a second executable (another build), measures it alike in
# the same run, so that the two are compared under the same load.
#
# Usage: bench/shortlist.sh EXECUTABLE [OTHER-EXECUTABLE]
#   Build them in Release for meaningful figures.
# Environment: NAMES (list length, default 10000000), RUNS (default 5; the
# best run of each command is reported), WORKDIR (default: a fresh
# temporary folder, removed afterwards).
set -euo pipefail

(($# >= 1 && $# <= 2)) || { sed -n '2,13p' "$0" >&2; exit 2; }
exes=("$@")
for exe in "${exes[@]}"; do
    [[ -x $exe ]] || { echo "shortlist.sh: no executable at '$exe'" >&2; exit 2; }
done
names=${NAMES:-10000000}
runs=${RUNS:-5}
command -v /usr/bin/time >/dev/null || { echo "shortlist.sh: needs GNU time (apt-get install time)" >&2; exit 2; }

workdir=${WORKDIR:-$(mktemp -d)}
cleanup() { [[ -n ${WORKDIR:-} ]] || rm -rf "$workdir"; }
trap cleanup EXIT

# Deterministic list of made-up names: 3 to 12 letters built from syllables,
# capitalised, about one in twenty a two-part name with a space.
generate() {
    awk -v n="$1" 'BEGIN {
        split("ma ri an el li za jo na ka te ro sa mi le da vi en ol ia us ra be th", syl, " ");
        ns = length(syl); seed = 12345;
        for (i = 0; i < n; i++) {
            name = "";
            target = 3 + (i * 7 + int(i / 13)) % 10;           # 3..12 letters
            while (length(name) < target) {
                seed = (seed * 1103515245 + 12345) % 2147483648;
                name = name syl[1 + int(seed / 65536) % ns];
            }
            name = substr(name, 1, target);
            name = toupper(substr(name, 1, 1)) substr(name, 2);
            if (i % 20 == 7 && target > 6) {
                cut = int(target / 2);
                name = substr(name, 1, cut) " " toupper(substr(name, cut + 1, 1)) substr(name, cut + 2);
            }
            print name;
        }
    }'
}

# Real first names, as users' shortlists hold them: the bundled list's
# names, drawn in a deterministic random order (many repeated), so that the
# lengths and letters vary from line to line as they do in use.
generate_real() {
    awk -v n="$1" -F'\t' '!/^#/ { names[count++] = $1 }
        END {
            seed = 54321;
            for (i = 0; i < n; i++) {
                seed = (seed * 1103515245 + 12345) % 2147483648;
                print names[int(seed / 65536) % count];
            }
        }' "$(dirname "$0")/../namelist/us-names.tsv"
}

real_list_for() {
    local count=$1 file="$workdir/real-$1.txt"
    [[ -s $file ]] || generate_real "$count" >"$file"
    echo "$file"
}

list_for() {
    local count=$1 file="$workdir/names-$1.txt"
    [[ -s $file ]] || generate "$count" >"$file"
    echo "$file"
}

# Best wall-clock seconds of $runs runs of a command (output to /dev/null).
best_time() {
    local best="" start end t r
    for ((r = 0; r < runs; r++)); do
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        t=$((end - start))
        if [[ -z $best ]] || ((t < best)); then best=$t; fi
    done
    awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

peak_kib() {
    /usr/bin/time -f '%M' -o "$workdir/peak" "$@" >/dev/null 2>&1 || true
    cat "$workdir/peak"
}

echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) CPUs, load average $(cut -d' ' -f1-3 /proc/loadavg)"
big=$(list_for "$names")
real=$(real_list_for "$names")
parents=(--father John --mother Zoe)
labels=(A B)
for i in "${!exes[@]}"; do echo "${labels[i]}: ${exes[i]}"; done

for list in "$big" "$real"; do
    echo
    echo "list: $(basename "$list"), $(wc -l <"$list") names, $(du -m "$list" | cut -f1) MiB; best of $runs runs each"
    cat "$list" >/dev/null # into the page cache before timing
    t_wc=$(best_time wc -l "$list")
    printf '%-20s %8s %12s %8s\n' command seconds "names/s" "× wc -l"
    printf '%-20s %8s %12s %8s\n' "wc -l" "$t_wc" "" 1
    for i in "${!exes[@]}"; do
        for flags in "" "--json" "--harmonious"; do
            # shellcheck disable=SC2086 # the flags are meant to split
            t=$(best_time "${exes[i]}" $flags "${parents[@]}" "$list")
            awk -v c="${labels[i]} ${flags:-(tab)}" -v t="$t" -v n="$names" -v w="$t_wc" \
                'BEGIN { printf "%-20s %8.3f %10.1f M %8.1f\n", c, t, n / t / 1e6, t / w }'
        done
    done
done

small=$(list_for $((names / 10)))
echo
printf '%-16s %14s %14s %18s %16s\n' "peak RSS (KiB)" "$((names / 10)) names" "$names names" \
    "--json --explain" "standard input"
for i in "${!exes[@]}"; do
    exe=${exes[i]}
    printf '%-16s %14s %14s %18s %16s\n' "${labels[i]}" \
        "$(peak_kib "$exe" "${parents[@]}" "$small")" \
        "$(peak_kib "$exe" "${parents[@]}" "$big")" \
        "$(peak_kib "$exe" --json --explain "${parents[@]}" "$big")" \
        "$(peak_kib sh -c "exec \"$exe\" ${parents[*]} <\"$big\"")"
done
