#!/usr/bin/env bash
# Times kindrell-reading's shortlist mode, tab-separated and as JSON lines,
# against `wc -l` on the same list, and measures its peak memory on a short
# and a long list, to show that the time grows with the list but the memory
# does not. Given a second executable (another build), measures it alike in
# the same run, so that the two are compared under the same load.
#
# Last it times lists of long lines, which put normalisation to the test:
# 32,767 Hangul syllables a line, 32,767 combining marks a line, and the
# line of fuzz/corpus/fuzz_cli_shortlist/utf16-hangul-normalisation.
#
# Usage: bench/shortlist.sh EXECUTABLE [OTHER-EXECUTABLE]
#   Build them in Release for meaningful figures.
# Environment: NAMES (list length, default 10000000), RUNS (default 5; the
# best run of each command is reported), LONG_LINES (lines in each list of
# long lines, default 20), WORKDIR (default: a fresh temporary folder,
# removed afterwards).
set -euo pipefail

(($# >= 1 && $# <= 2)) || { sed -n '2,17p' "$0" >&2; exit 2; }
exes=("$@")
for exe in "${exes[@]}"; do
    [[ -x $exe ]] || { echo "shortlist.sh: no executable at '$exe'" >&2; exit 2; }
done
names=${NAMES:-10000000}
runs=${RUNS:-5}
long_lines=${LONG_LINES:-20}
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

# Lists of long lines: every line is normalised whole, so these time NFC of
# a name at the longest a name may be, and of the longer line the fuzzer
# found slow (a UTF-16 line of 49,156 units, refused as too long once in NFC).
repeat_line() {
    local i
    for ((i = 0; i < long_lines; i++)); do printf '%s\n' "$1"; done
}
long_list() {
    local kind=$1 file="$workdir/long-$1.txt" i
    [[ -s $file ]] || case $kind in
        hangul) # U+D55C, which Qt decomposes into jamo and composes again
            repeat_line "$(printf '\xED\x95\x9C%.0s' $(seq 32767))" >"$file" ;;
        marks) # "a", then U+0301 and U+0316 in turn, out of canonical order
            repeat_line "a$(printf '\xCC\x81\xCC\x96%.0s' $(seq 16383))" >"$file" ;;
        fuzz-seed) # the seed's stretched line: U+FA4D U+0D0D, 49,153 x U+C3C3, U+0DC3
            { printf '\xFF\xFE'
              for ((i = 0; i < long_lines; i++)); do
                  printf '\x4D\xFA\x0D\x0D'; head -c 98307 /dev/zero | tr '\0' '\303'; printf '\x0D\x0D\x00'
              done; } >"$file" ;;
    esac
    echo "$file"
}
# Status 1 says that lines were refused, as the seed's are.
refusals_allowed() {
    "$@" 2>/dev/null || (($? == 1))
}

echo
echo "long lines: $long_lines lines a list; best of $runs runs each"
printf '%-22s %8s %12s\n' list seconds "ms a line"
for kind in hangul marks fuzz-seed; do
    list=$(long_list "$kind")
    for i in "${!exes[@]}"; do
        t=$(best_time refusals_allowed "${exes[i]}" "${parents[@]}" "$list")
        awk -v c="${labels[i]} $kind" -v t="$t" -v n="$long_lines" \
            'BEGIN { printf "%-22s %8.3f %12.2f\n", c, t, t / n * 1000 }'
    done
done
