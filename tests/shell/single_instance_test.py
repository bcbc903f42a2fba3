#!/usr/bin/env python3
"""The program as a user starts it, on one X display with a window manager
(run under run-under-xvfb.sh --wm): an old stored date brings the update
question before any window; a second launch is refused with "Application is
already running" while the first runs, and leaves the first where it was; a
copy that was killed does not keep the next launch from starting; the exit
path (main window, then support dialog) ends the program with status 0.

usage: single_instance_test.py KINDRELL [--screenshot OUT.png]
"""

import ctypes
import datetime
import ctypes.util
import os
import signal
import subprocess
import sys
import time

MAIN_TITLE = r"^QL Kindrell v1\.0$"
BOX_TITLE = r"^QL Kindrell$"


def xdotool(*args):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return result.stdout.split()


def visible(title):
    return xdotool("search", "--onlyvisible", "--name", title)


def wait_until(predicate, timeout=15.0, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def settles(predicate, timeout=3.0):
    try:
        return wait_until(predicate, timeout)
    except AssertionError:
        return False


def geometry(window):
    lines = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                           capture_output=True, text=True).stdout.split()
    values = dict(line.split("=", 1) for line in lines if "=" in line)
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def press(window, key):
    subprocess.run(["xdotool", "windowactivate", "--sync", window], capture_output=True)
    time.sleep(0.2)
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


def request_close(window):
    """Sends the window the WM_DELETE_WINDOW message, the very request a
    window manager sends for the close box or Alt+F4, without depending on
    keyboard focus."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        raise AssertionError("cannot open the X display")
    event = _Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(window)
    event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    xlib.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


def launch(program):
    return subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def check(condition, message):
    if not condition:
        raise AssertionError(message)
    print(f"ok: {message}")


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
