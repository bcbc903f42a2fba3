#!/usr/bin/env bash
# startup.sh [RUNS] [PROGRAM] - start-up time and peak memory of a program
# against a bare Qt window.
#
# PROGRAM is kindrell (the default) or kindrell-names. The bare window has the
# program's window size: the main window's fixed size for kindrell, and for
# kindrell-names the size its window takes in the running desktop's font,
# read in the unmeasured first run.
#
# Starts each program RUNS times (default 7) on its own X server and
# measures the time from launch until its window is mapped and visible
# (polling xdotool), and its peak resident memory (GNU time's "Maximum
# resident set size", taken once the window has been up for a moment).
# Prints the median of each figure for both programs and their ratio.
#
# Environment: BUILD (default build/default of this repository) holds
# app/PROGRAM and bench/bare_window; SETTLE seconds the window stays up
# before the program is ended (default 0.5).
set -euo pipefail

runs=${1:-7}
target=${2:-kindrell}
build=${BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build/default}
settle=${SETTLE:-0.5}

if [[ ${1:-} == --inner ]]; then
  shift
  runs=$1
  target=$2
  time_bin=/usr/bin/time
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  # A private home: the program's settings and lock never touch the user's.
  export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_RUNTIME_DIR=$scratch/runtime
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"

  # measure TITLE PROGRAM [ARGS...]: prints "milliseconds kilobytes" for one
  # run; the window's size goes to $scratch/size.
  measure() {
    local title=$1 program=$2 out=$scratch/time.txt
    shift 2
    local start now pid
    start=$(date +%s%N)
    "$time_bin" -v -o "$out" "$program" "$@" >/dev/null 2>"$scratch/stderr.txt" &
    pid=$!
    until xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do
      if ! kill -0 "$pid" 2>/dev/null; then
        echo "startup: $program ended before showing its window:" >&2
        cat "$scratch/stderr.txt" "$out" >&2
        return 1
      fi
      sleep 0.002
    done
    now=$(date +%s%N)
    xdotool search --onlyvisible --name "^${title}\$" getwindowgeometry --shell 2>/dev/null |
      awk -F= '/^(WIDTH|HEIGHT)=/ {printf "%s ", $2} END {print ""}' >"$scratch/size"
    sleep "$settle"
    # GNU time runs the program as its child: end the program, not time.
    pkill -TERM -P "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    local rss
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$out")
    echo "$(( (now - start) / 1000000 )) $rss"
  }

  median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

  declare -A ms kb title program
  case $target in
    kindrell) title[$target]="QL Kindrell v1.0" ;;
    kindrell-names) title[$target]="QL Kindrell Name Finder" ;;
    *) echo "startup: unknown program $target" >&2; exit 2 ;;
  esac
  program[$target]=$build/app/$target
  title[bare_window]="Bare Window"
  program[bare_window]=$build/bench/bare_window
  names=("$target" bare_window)
  bare_size=()
  for name in "${names[@]}"; do
    [[ -x ${program[$name]} ]] || { echo "startup: ${program[$name]} not built" >&2; exit 1; }
    # One unmeasured run warms the file cache and writes the first settings.
    if [[ $name == bare_window ]]; then
      measure "${title[$name]}" "${program[$name]}" "${bare_size[@]}" >/dev/null
    else
      measure "${title[$name]}" "${program[$name]}" >/dev/null
      # kindrell's main window has the bare window's built-in size.
      if [[ $name == kindrell-names ]]; then read -ra bare_size <"$scratch/size"; fi
    fi
    : >"$scratch/$name.txt"
  done
  echo "bare window size: ${bare_size[*]:-built-in}"
  # Alternating, so that a load from elsewhere on the machine weighs on both alike.
  for _ in $(seq "$runs"); do
    for name in "${names[@]}"; do
      if [[ $name == bare_window ]]; then
        measure "${title[$name]}" "${program[$name]}" "${bare_size[@]}" >>"$scratch/$name.txt"
      else
        measure "${title[$name]}" "${program[$name]}" >>"$scratch/$name.txt"
      fi
    done
  done
  for name in "${names[@]}"; do
    ms[$name]=$(cut -d' ' -f1 "$scratch/$name.txt" | median)
    kb[$name]=$(cut -d' ' -f2 "$scratch/$name.txt" | median)
    echo "$name: runs (ms kB): $(tr '\n' ';' <"$scratch/$name.txt")"
  done
  printf '%-12s %12s %14s\n' program "window (ms)" "peak RSS (kB)"
  for name in "${names[@]}"; do
    printf '%-12s %12s %14s\n' "$name" "${ms[$name]}" "${kb[$name]}"
  done
  awk -v a="${ms[$target]}" -v b="${ms[bare_window]}" -v c="${kb[$target]}" -v d="${kb[bare_window]}" \
    'BEGIN { printf "ratio        %12.2f %14.2f\n", a / b, c / d }'
  exit 0
fi

command -v /usr/bin/time >/dev/null || { echo "startup: GNU time (/usr/bin/time) is needed" >&2; exit 1; }
# A private X server that picks its own display number and does not reset
# between clients, as each program in turn is its only one.
exec "$(dirname "$0")/../tests/run-under-xvfb.sh" -- "$0" --inner "$runs" "$target"
