#!/usr/bin/env bash
# Times kindrell-reading's shortlist mode against `wc -l` on the same list and
# measures its peak memory on a short and a long list, to show that the time
# grows with the list but the memory does not.
#
# Usage: bench/shortlist.sh [PATH-TO-kindrell-reading] [LINES]
#   PATH defaults to build/default/cli/kindrell-reading (build it in Release
#   or RelWithDebInfo for meaningful figures); LINES defaults to 10000000.
# Environment: WORKDIR (default: a fresh temporary folder), RUNS (default 5;
# the best run of each command is reported).
set -euo pipefail

exe=${1:-build/default/cli/kindrell-reading}
lines=${2:-10000000}
runs=${RUNS:-5}
[[ -x $exe ]] || { echo "shortlist.sh: no executable at '$exe'" >&2; exit 2; }

workdir=${WORKDIR:-$(mktemp -d)}
cleanup() { [[ -n ${WORKDIR:-} ]] || rm -rf "$workdir"; }
trap cleanup EXIT

# Deterministic list of plausible names: 3 to 12 letters built from syllables,
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

list_for() {
    local count=$1 file="$workdir/names-$1.txt"
    if [[ ! -s $file ]]; then
        generate "$count" >"$file"
    fi
    echo "$file"
}

# Best wall-clock seconds of $runs runs of a command (output to /dev/null).
best_time() {
    local best="" t
    for ((r = 0; r < runs; r++)); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [[ -z $best ]] || (($(echo "$t < $best" | bc -l))); then
            best=$t
        fi
    done
    printf '%.3f' "$best"
}

peak_kib() {
    local report
    report=$({ /usr/bin/time -v "$@" >/dev/null; } 2>&1)
    echo "$report" | awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }'
}

command -v bc >/dev/null || { echo "shortlist.sh: needs bc" >&2; exit 2; }

echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) CPUs, load average $(cut -d' ' -f1-3 /proc/loadavg)"
big=$(list_for "$lines")
echo "list: $big, $(wc -l <"$big") lines, $(du -m "$big" | cut -f1) MiB"
cat "$big" >/dev/null # into the page cache before timing

t_wc=$(best_time wc -l "$big")
t_cli=$(best_time "$exe" --father John --mother Zoe "$big")
t_json=$(best_time "$exe" --json --father John --mother Zoe "$big")
t_harm=$(best_time "$exe" --harmonious --father John --mother Zoe "$big")
echo "wc -l:                         ${t_wc} s"
echo "kindrell-reading (tab):        ${t_cli} s   ratio $(echo "scale=2; $t_cli / $t_wc" | bc -l)"
echo "kindrell-reading --json:       ${t_json} s   ratio $(echo "scale=2; $t_json / $t_wc" | bc -l)"
echo "kindrell-reading --harmonious: ${t_harm} s   ratio $(echo "scale=2; $t_harm / $t_wc" | bc -l)"

if [[ -x /usr/bin/time ]]; then
    small_count=$((lines / 10))
    small=$(list_for "$small_count")
    echo "peak RSS, ${small_count} lines: $(peak_kib "$exe" --father John --mother Zoe "$small") KiB"
    echo "peak RSS, ${lines} lines: $(peak_kib "$exe" --father John --mother Zoe "$big") KiB"
    echo "peak RSS, ${small_count} lines --json --explain: $(peak_kib "$exe" --json --explain --father John --mother Zoe "$small") KiB"
    echo "peak RSS, ${lines} lines --json --explain: $(peak_kib "$exe" --json --explain --father John --mother Zoe "$big") KiB"
    echo "peak RSS, ${lines} lines on stdin: $(peak_kib sh -c "exec \"$exe\" --father John --mother Zoe <\"$big\"") KiB"
else
    echo "peak RSS: /usr/bin/time not found (apt-get install time)"
fi
