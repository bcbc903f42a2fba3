#!/usr/bin/env python3
"""kindrell-names started a second time, on an X display with a window
manager (run under run-under-xvfb.sh --wm): the second start brings the
running window forward (shown, no longer minimised, active) and ends with
status 0, leaving one copy to keep the marks; after the running copy is
killed with SIGKILL, the next start opens as usual.

usage: second_start_test.py KINDRELL_NAMES
"""

import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import check, launch, settles, visible, wait_until, xdotool  # noqa: E402

TITLE = r"^QL Kindrell Name Finder$"


def active():
    found = xdotool("getactivewindow")
    return found[0] if found else None


def main():
    program = sys.argv[1]
    first = launch(program)
    window = wait_until(lambda: visible(TITLE), what="the first copy's window")[0]
    subprocess.run(["xdotool", "windowminimize", "--sync", window], check=True)
    check(settles(lambda: not visible(TITLE)), "the first copy's window is minimised")

    second = launch(program)
    status = second.wait(timeout=20)
    check(status == 0, f"the second start ends with status 0 (got {status})")
    check(first.poll() is None, "the first copy runs on")
    check(wait_until(lambda: visible(TITLE) == [window], what="the window shown again"),
          "the first copy's window is shown again, and no other")
    check(wait_until(lambda: active() == window, what="the window active"),
          "the first copy's window is the active one")

    first.send_signal(signal.SIGKILL)
    first.wait(timeout=10)
    third = launch(program)
    wait_until(lambda: visible(TITLE), what="a window after the kill")
    check(third.poll() is None, "after a kill -9 the next start opens normally")
    third.send_signal(signal.SIGTERM)
    third.wait(timeout=10)


if __name__ == "__main__":
    main()
