#!/usr/bin/env python3
"""kindrell-names as a user starts it, on an X display with a window manager
(run under run-under-xvfb.sh --wm): the parents typed and a name marked are
on disk at once, so that a copy killed with SIGKILL right after the mark
loses neither; the next start shows them again, which the test sees by
marking the second name of the restored table and finding both marks kept.

usage: restart_test.py KINDRELL_NAMES
"""

import configparser
import json
import os
import shutil
import signal
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import check, launch, press, request_close, visible, wait_until  # noqa: E402

TITLE = r"^QL Kindrell Name Finder$"
HOME = os.environ["HOME"]
CONFIG = os.environ.get("XDG_CONFIG_HOME") or os.path.join(HOME, ".config")
SETTINGS = os.path.join(CONFIG, "Quillora", "kindrell-names.ini")
DATA = os.path.join(os.environ.get("XDG_DATA_HOME") or os.path.join(HOME, ".local", "share"),
                    "Quillora", "kindrell-names")
MARKS = os.path.join(DATA, "marks", "bundled.json")


def stored_settings():
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(SETTINGS, encoding="utf-8")
    return dict(parser["Finder"]) if parser.has_section("Finder") else {}


def stored_marks():
    try:
        with open(MARKS, encoding="utf-8") as f:
            return [(m["name"], m["sex"]) for m in json.load(f)["marked"]]
    except (OSError, ValueError):
        return None


def start(program):
    copy = launch(program)
    window = wait_until(lambda: visible(TITLE), what="the finder's window")[0]
    time.sleep(0.5)  # the bundled list is read once the window is painted
    return copy, window


def main():
    program = sys.argv[1]
    shutil.rmtree(os.path.dirname(SETTINGS), ignore_errors=True)
    shutil.rmtree(DATA, ignore_errors=True)

    copy, window = start(program)
    press(window, "J")  # the father's box has the focus
    for key in ["o", "h", "n", "alt+m", "Z", "o", "e"]:
        press(window, key)
    wait_until(lambda: stored_settings().get("Mother") == "Zoe", what="the mother stored")
    press(window, "alt+a")
    press(window, "space")  # the first row: Ethan, most births of John and Zoe's
    wait_until(lambda: stored_marks() == [("Ethan", "boy")], what="the mark stored")
    copy.send_signal(signal.SIGKILL)
    copy.wait(timeout=10)
    check(copy.returncode == -signal.SIGKILL, "the finder was killed right after the mark")
    settings = stored_settings()
    check((settings.get("Father"), settings.get("Mother")) == ("John", "Zoe"),
          "the parents outlive the kill")
    check(stored_marks() == [("Ethan", "boy")], "the mark outlives the kill")

    copy, window = start(program)
    press(window, "alt+a")
    press(window, "Down")
    press(window, "space")  # Alexander, second only if John and Zoe came back
    wait_until(lambda: stored_marks() == [("Alexander", "boy"), ("Ethan", "boy")],
               what="both marks, in list order: John and Zoe's names, Ethan marked, came back")
    request_close(window)
    copy.wait(timeout=10)
    check(copy.returncode == 0, "closing asks nothing and ends with status 0")
    check(stored_settings().get("Father") == "John", "the parents are still kept")


if __name__ == "__main__":
    main()
