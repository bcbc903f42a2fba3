#!/usr/bin/env python3
"""The program as a user starts it, on one X display with a window manager
(run under run-under-xvfb.sh --wm): an old stored date brings the update
question before any window; a second launch is refused with "Application is
already running" while the first runs, and leaves the first where it was; a
copy that was killed does not keep the next launch from starting; the exit
path (main window, then support dialog) ends the program with status 0.

usage: single_instance_test.py KINDRELL [--screenshot OUT.png]
"""

import datetime
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import (check, geometry, launch, press, request_close,  # noqa: E402
                             settles, visible, wait_until)

MAIN_TITLE = r"^QL Kindrell v1\.0$"
BOX_TITLE = r"^QL Kindrell$"


def settings_file():
    config = os.environ.get("XDG_CONFIG_HOME") or os.path.join(os.environ["HOME"], ".config")
    return os.path.join(config, "Quillora", os.path.basename(sys.argv[1]) + ".ini")


def reminder_stage(program, started):
    """A date stored 20 days ago: the question comes before any window of the
    program, the main window after the answer, and the date is stored anew
    as yyyy-MM-dd."""
    path = settings_file()
    os.makedirs(os.path.dirname(path), exist_ok=True)
    old = (datetime.date.today() - datetime.timedelta(days=20)).isoformat()
    with open(path, "w", encoding="utf-8") as f:
        f.write(f"[Settings]\nLastReminderDate={old}\n")
    copy = launch(program)
    started.append(copy)
    box = wait_until(lambda: visible(BOX_TITLE), what="the update question")
    check(not visible(MAIN_TITLE), "the update question comes before any main window")
    press(box[0], "Escape")  # No
    main_window = wait_until(lambda: visible(MAIN_TITLE), what="the main window after No")[0]
    with open(path, encoding="utf-8") as f:
        stored = f.read()
    today = datetime.date.today().isoformat()
    check(f"LastReminderDate={today}" in stored, f"after No the store holds {today}")
    request_close(main_window)
    dialog = wait_until(lambda: [w for w in visible(MAIN_TITLE) if w != main_window],
                        what="the exit support dialog")
    request_close(dialog[0])
    status = copy.wait(timeout=15)
    check(status == 0, f"that run ends with status 0 (got {status})")


def main():
    program = sys.argv[1]
    screenshot = None
    if "--screenshot" in sys.argv:
        screenshot = sys.argv[sys.argv.index("--screenshot") + 1]
    env_home = os.environ.get("HOME", "")
    check("home-" in env_home or screenshot is not None, f"private HOME ({env_home})")

    started = []
    try:
        reminder_stage(program, started)

        first = launch(program)
        started.append(first)
        main_window = wait_until(lambda: visible(MAIN_TITLE), what="the first main window")[0]
        time.sleep(0.5)  # let the window manager place it
        before = geometry(main_window)
        check(first.poll() is None, "the first copy runs")

        second = launch(program)
        started.append(second)
        box = wait_until(lambda: visible(BOX_TITLE), what="the 'already running' box")
        check(len(box) == 1, "the second launch shows one box titled 'QL Kindrell'")
        time.sleep(0.5)
        check(visible(MAIN_TITLE) == [main_window],
              "no second main window while the box is up")
        if screenshot:
            subprocess.run(["import", "-window", "root", screenshot], check=True)
            print(f"saved {screenshot}")
        press(box[0], "Return")
        status = second.wait(timeout=15)
        check(status == 0, f"the refused copy ends with status 0 (got {status})")
        check(not visible(BOX_TITLE), "the box is gone")
        check(first.poll() is None, "the first copy still runs")
        # (A search may miss a window while another is being destroyed: ask again.)
        check(settles(lambda: visible(MAIN_TITLE) == [main_window]),
              "the first main window is still there")
        after = geometry(main_window)
        check(after == before, f"and at the same place and size {before} -> {after}")

        first.send_signal(signal.SIGKILL)
        first.wait(timeout=10)
        wait_until(lambda: not visible(MAIN_TITLE), what="the killed copy's window to go")

        third = launch(program)
        started.append(third)
        main_window = wait_until(lambda: visible(MAIN_TITLE),
                                 what="a main window after the kill")[0]
        check(not visible(BOX_TITLE), "a launch after kill -9 starts normally")

        # The exit path: closing the main window shows the support dialog
        # (with the same caption) and the program keeps running; closing the
        # dialog ends it with status 0.
        request_close(main_window)
        dialog = wait_until(lambda: [w for w in visible(MAIN_TITLE) if w != main_window],
                            what="the exit support dialog")
        time.sleep(0.5)
        check(third.poll() is None, "closing the main window does not end the program")
        check(settles(lambda: visible(MAIN_TITLE) == dialog), "the support dialog is the only window")
        request_close(dialog[0])
        status = third.wait(timeout=15)
        _, errors = third.communicate()
        check(status == 0, f"closing the support dialog ends the program with status 0 (got {status})")
        if errors.strip():
            print("stderr of the last copy:\n" + errors)
    finally:
        for process in started:
            if process.poll() is None:
                process.kill()
                process.wait()


if __name__ == "__main__":
    try:
        main()
    except AssertionError as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
