#!/usr/bin/env bash
# run-under-xvfb.sh [--wm] -- COMMAND [ARGS...]
# Runs COMMAND on a private X server (and, with --wm, under the openbox window
# manager) and returns its exit status.
set -u
wm=0
while [[ $# -gt 0 && $1 != -- ]]; do
  case $1 in
    --wm) wm=1 ;;
    *) echo "run-under-xvfb: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[[ ${1:-} == -- ]] && shift
(( $# )) || { echo "run-under-xvfb: no command given" >&2; exit 2; }

display=""
for n in $(seq 150 250); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then display=$n; break; fi
done
[[ -n $display ]] || { echo "run-under-xvfb: no free display" >&2; exit 1; }
Xvfb :$display -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wmpid=""
cleanup() {
  [[ -n $wmpid ]] && kill "$wmpid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=:$display
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done
if (( wm )); then
  openbox >/dev/null 2>&1 &
  wmpid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
    sleep 0.05
  done
fi
export QT_QPA_PLATFORM=xcb
"$@"
