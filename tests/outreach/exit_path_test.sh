#!/usr/bin/env bash
# exit_path_test.sh KINDRELL
# The whole exit path of a real run, on a private X display with the openbox
# window manager. For each way of closing the main window (its close box by
# Alt+F4, File > Exit) and each way of leaving the support dialog (its "E&xit"
# by Alt+X, its close box by Alt+F4): the dialog appears, stays above another
# program's window that is activated, and leaving it ends the process with
# status 0 and no window left.
set -u
app=${1:?usage: exit_path_test.sh KINDRELL}
for tool in xdotool xprop xwininfo xmessage; do
  command -v $tool >/dev/null || { echo "exit_path_test: $tool missing" >&2; exit 2; }
done
# Runs on the private X server and window manager that tests/run-under-xvfb.sh
# --wm provides.
[[ -n ${DISPLAY:-} ]] || { echo "exit_path_test: run it under tests/run-under-xvfb.sh --wm" >&2; exit 2; }
unset WAYLAND_DISPLAY

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
title='^QL Kindrell v1\.0$'
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Visible windows with the program's title, one id a line.
titled_windows() { xdotool search --onlyvisible --name "$title" 2>/dev/null; }

size_of() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Geometry: //p'; }

# Waits up to $1 tenths of a second for a command to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The support dialog is the titled window of the dialog's fixed size.
find_dialog() {
  local w
  for w in $(titled_windows); do
    [[ $(size_of "$w") == 741x315 ]] && { dialog=$w; return 0; }
  done
  return 1
}
find_main() {
  local w
  for w in $(titled_windows); do
    [[ $(size_of "$w") != 741x315 ]] && { main=$w; return 0; }
  done
  return 1
}
gone() { ! xdotool getwindowgeometry "$1" >/dev/null 2>&1 || ! titled_windows | grep -qx "$1"; }

# Managed windows bottom first, in decimal.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr ',' '\n' |
    while read -r id; do [[ -n $id ]] && printf '%d\n' "$id"; done
}
position() { stacking | grep -nx "$1" | cut -d: -f1; }
active_window() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //' | xargs printf '%d\n' 2>/dev/null; }

# Reports a case that cannot go on, with what the display shows, and ends the program.
give_up() {
  fail "$1"
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed 's/.*# //')
  echo "  display $DISPLAY, active $(active_window), window manager $check:" \
    "$(xprop -id "$check" _NET_WM_NAME 2>&1 | head -1); windows:"
  local w
  for w in $(xdotool search --name . 2>/dev/null); do
    echo "    $w '$(xdotool getwindowname "$w" 2>/dev/null)' $(size_of "$w") $(xwininfo -id "$w" 2>/dev/null | grep -o "Map State: .*")"
  done
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  sed 's/^/    program: /' "$work/out.txt"
}

run_case() {
  local close_main=$1 leave_dialog=$2
  local name="main by $close_main, dialog by $leave_dialog"
  local home=$work/home-$close_main-$leave_dialog
  mkdir -p "$home/.config" "$home/runtime" && chmod 700 "$home/runtime"
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=xcb \
    "$app" >"$work/out.txt" 2>&1 &
  local pid=$!
  main="" dialog=""

  if ! wait_for 200 find_main; then
    give_up "$name: the main window did not appear"; return
  fi
  xdotool windowactivate --sync "$main" >/dev/null 2>&1
  sleep 0.3
  case $close_main in
    close-box) xdotool key --clearmodifiers alt+F4 ;;
    file-exit) xdotool key --clearmodifiers alt+f; sleep 0.4; xdotool key --clearmodifiers x ;;
  esac

  if ! wait_for 100 find_dialog; then
    give_up "$name: the support dialog did not appear"; return
  fi
  wait_for 50 gone "$main" || fail "$name: the main window is still shown"
  wait_for 20 bash -c "[[ \$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //' | xargs printf '%d') == $dialog ]]" &&
    echo "  $name: the dialog is the active window" ||
    echo "  $name: note: the dialog was not activated on showing (active $(active_window))"
  kill -0 "$pid" 2>/dev/null || fail "$name: the program ended without the dialog"
  [[ $(titled_windows | wc -l) -eq 1 ]] || fail "$name: more than the dialog is shown"
  xprop -id "$dialog" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
    fail "$name: the dialog is not in the window manager's above layer"

  # Another program's window over the dialog's place, activated.
  local other_title="another program $$"
  LC_ALL=C xmessage -title "$other_title" -geometry 900x500+150+120 "another program" 2>/dev/null &
  local other_pid=$! other=""
  wait_for 100 bash -c "xdotool search --onlyvisible --name '^$other_title\$' >/dev/null 2>&1" &&
    other=$(xdotool search --onlyvisible --name "^$other_title\$" | head -1)
  if [[ -z $other ]]; then
    fail "$name: the other window did not appear"
  else
    xdotool windowactivate --sync "$other" >/dev/null 2>&1
    xdotool windowraise "$other" >/dev/null 2>&1
    sleep 0.5
    local d o
    d=$(position "$dialog"); o=$(position "$other")
    [[ -n $d && -n $o ]] || fail "$name: windows missing from the stacking list"
    [[ -n $d && -n $o && $d -gt $o ]] || fail "$name: dialog at $d is not above the other window at $o"
    [[ $(active_window) == "$other" ]] || fail "$name: the other window did not become active"
    echo "  $name: dialog stacked at $d above the activated other window at $o"
  fi

  xdotool windowactivate --sync "$dialog" >/dev/null 2>&1
  sleep 0.3
  case $leave_dialog in
    exit-button) xdotool key --clearmodifiers alt+x ;;
    close-box) xdotool key --clearmodifiers alt+F4 ;;
  esac

  local status=""
  if wait_for 100 bash -c "! kill -0 $pid 2>/dev/null"; then
    wait "$pid"; status=$?
    [[ $status -eq 0 ]] || fail "$name: the program ended with status $status"
  else
    fail "$name: the program is still running"
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  fi
  [[ -z $(titled_windows) ]] || fail "$name: a window is left behind"
  [[ -s $work/out.txt ]] && { echo "  $name: the program wrote:"; sed 's/^/    /' "$work/out.txt"; }
  kill "$other_pid" 2>/dev/null; wait "$other_pid" 2>/dev/null
  echo "  $name: ended with status ${status:-none}"
}

# The window manager advertises itself before it maps windows: wait until it
# has mapped a probe window, so that the first case does not race its start.
probe_title="window manager probe $$"
LC_ALL=C xmessage -title "$probe_title" "probe" 2>/dev/null &
probe_pid=$!
wait_for 100 bash -c "xdotool search --onlyvisible --name '^$probe_title\$' >/dev/null 2>&1" ||
  echo "exit_path_test: note: the window manager mapped no probe window"
kill "$probe_pid" 2>/dev/null; wait "$probe_pid" 2>/dev/null

for close_main in close-box file-exit; do
  for leave_dialog in exit-button close-box; do
    before=$failures
    run_case "$close_main" "$leave_dialog"
    (( failures == before )) && echo "PASS: main by $close_main, dialog by $leave_dialog"
  done
done
echo "exit_path_test: $failures failure(s)"
(( failures == 0 ))
