"""What the end-to-end tests share: the count of checks, waiting for a condition,
finding Selvora's window on the accessibility bus (AT-SPI) by its process, and ending it."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

WINDOW_CAPTION = "wsjt  Selvora v1.3 - Tarnwick"


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def record(self, ok, what, detail=""):
        if ok:
            self.passed += 1
            print(f"  ok    {what}")
        else:
            self.failed += 1
            print(f"  FAIL  {what}{': ' + detail if detail else ''}")
        sys.stdout.flush()


checks = Checks()


def report(label, started, program, log_path):
    """Shows the program's output when a check failed, then the count; the exit status."""
    if checks.failed:
        with open(log_path) as f:
            print("--- the program's output ---\n" + f.read() + "--- end ---")
    print(f"({time.monotonic() - started:.1f} s, program {program})")
    print(f"{label}: {checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


def wait_until(condition, timeout, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result or time.monotonic() > deadline:
            return result
        time.sleep(interval)


def find_frame(pid, timeout, titled=lambda title: title == WINDOW_CAPTION):
    """The top-level window of process `pid` whose title `titled` accepts, or None."""

    def look():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            try:
                if application is None or application.get_process_id() != pid:
                    continue
                for j in range(application.get_child_count()):
                    frame = application.get_child_at_index(j)
                    if frame is not None and titled(frame.get_name()):
                        return frame
            except GLib.Error:
                continue  # an application that went away while we looked
        return None

    return wait_until(look, timeout)


def program_argument():
    """The program under test, from the command line; None, with the usage said, without."""
    program = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else None
    if program is None or not os.access(program, os.X_OK):
        print(f"usage: {sys.argv[0]} path/to/selvora", file=sys.stderr)
        return None
    return program


def stop(process):
    """Ends the program; whether it was still running until then, and how it exited."""
    running = process.poll() is None
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    return running, process.returncode
