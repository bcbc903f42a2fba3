#!/usr/bin/env bash
# run-under-xvfb.sh [--wm] [--screen WxH] -- COMMAND [ARGS...]
# Runs COMMAND on a private X server of the given size (1280x800 unless
# told) and, with --wm, under the openbox window manager, and returns its
# exit status.
set -u
wm=0
screen=1280x800
while [[ $# -gt 0 && $1 != -- ]]; do
  case $1 in
    --wm) wm=1 ;;
    --screen) shift; screen=${1:?run-under-xvfb: --screen needs WxH} ;;
    *) echo "run-under-xvfb: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[[ ${1:-} == -- ]] && shift
(( $# )) || { echo "run-under-xvfb: no command given" >&2; exit 2; }

workdir=$(mktemp -d)
xvfb="" wmpid=""
cleanup() {
  [[ -n $wmpid ]] && kill "$wmpid" 2>/dev/null
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$workdir"
}
trap cleanup EXIT

# The server picks a free display itself and reports it, so that tests running
# side by side never race for the same number.
Xvfb -displayfd 3 -noreset -screen 0 "${screen}x24" -nolisten tcp 3>"$workdir/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 300); do
  [[ -s $workdir/display ]] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "run-under-xvfb: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[[ -s $workdir/display ]] || { echo "run-under-xvfb: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=:$(tr -dc 0-9 <"$workdir/display")
for _ in $(seq 300); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done

if (( wm )); then
  openbox >/dev/null 2>&1 &
  wmpid=$!
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi
export QT_QPA_PLATFORM=xcb
"$@"
