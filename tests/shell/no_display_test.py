#!/usr/bin/env python3
"""Without a reachable display each program says so in one line and ends with
status 1 instead of the toolkit's abort.

usage: no_display_test.py PROGRAM...
"""

import os
import subprocess
import sys


def run(program, **changes):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env.update(changes)
    try:
        done = subprocess.run([program], env=env, capture_output=True, text=True, timeout=10)
    except subprocess.TimeoutExpired:
        return None, ""
    return done.returncode, done.stderr


def unused_display():
    for n in range(251, 400):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return f":{n}"
    raise RuntimeError("no unused display number")


def main():
    failures = 0
    display = unused_display()
    for program in sys.argv[1:]:
        name = os.path.basename(program)
        cases = [
            ("no DISPLAY, no WAYLAND_DISPLAY", {},
             f"{name}: no graphical display found (DISPLAY is not set); "
             "QL Kindrell needs a desktop session."),
            ("xcb asked without DISPLAY", {"QT_QPA_PLATFORM": "xcb"},
             f"{name}: no graphical display found (DISPLAY is not set); "
             "QL Kindrell needs a desktop session."),
            ("DISPLAY set but unreachable", {"DISPLAY": display},
             f"{name}: the graphical display {display} cannot be reached; "
             "QL Kindrell needs a desktop session."),
        ]
        for case, changes, expected in cases:
            status, errors = run(program, **changes)
            lines = errors.splitlines()
            if status == 1 and lines == [expected]:
                print(f"ok: {name}, {case}: status 1, one line: {expected}")
            else:
                failures += 1
                print(f"FAIL: {name}, {case}: status {status}, stderr {errors!r}")
    if failures:
        sys.exit(1)


if __name__ == "__main__":
    main()
