#!/usr/bin/python3
"""Reads Selvora's window the way a screen reader does, through AT-SPI.

Starts the real program in a temporary directory whose doppler.ini points at a
WSJT-X-layout azel.dat, on a fixed clock (libfaketime) in a fixed zone, and checks
what the accessibility interface reports: the Doppler values, the band, the sked
frequency, the twelve visible plan fields by their accessible names, the UTC time,
the local time, the moon caption and picture. It then types into the sked frequency
box with real key events and checks the plan again, at 10 Hz and 1 Hz resolution,
in Hz mode, and after WSJT-X changes band.

Needs an X server, a D-Bus session and the AT-SPI bus; scripts/e2e provides them:
    scripts/e2e [path/to/selvora]
Every expected text below is written out by hand from the azel.dat values; none is
computed with the program's own code.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from e2e_checks import AZEL_1296  # noqa: E402
from atspi_checks import (WINDOW_CAPTION, checks, find_frame, program_argument, report, stop,
                          wait_until)  # noqa: E402

STALE_WARNING = "AZEL IS NOT UPDATING"
FAKETIME_LIBRARY = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
# 09:19:32 local time in New York is 14:19:32 UTC (EST, UTC-5, in December).
ZONE = "America/New_York"
LOCAL_START = "2026-12-07 09:19:32"

AZEL_432 = (
    "{t},124.1, 46.2,Moon\n"
    "{t},200.3, 12.1,Sun\n"
    "{t},  0.0,  0.0,Source\n"
    "  432,    41.6,   -0.42,    86.2,   -0.83,Doppler, R\n"
    "     -62.9,     4.7,    -2.0,Pol\n"
)

SCHEMES = ["Full Doppler Both Ways", "Own Echo", "CFOM", "On DX Echo", "Call Dx", "No Doppler"]

# Sked 1296 (seeded from the file), self Doppler 258 Hz, mutual 124 Hz, 10 Hz steps.
PLAN_1296_10HZ = {  # scheme: (Rx, Tx)
    "Full Doppler Both Ways": ("1296.00012", "1295.99988"),
    "Own Echo": ("1296.00026", "1296.00000"),
    "CFOM": ("1296.00013", "1295.99987"),
    "On DX Echo": ("1296.00012", "1295.99987"),
    "Call Dx": ("1296.00000", "1295.99974"),
    "No Doppler": ("1296.00000", "1296.00000"),
}
# Sked 1296.1 typed in, same Doppler, 10 Hz steps.
PLAN_1296_1_10HZ = {
    "Full Doppler Both Ways": ("1296.10012", "1296.09988"),
    "Own Echo": ("1296.10026", "1296.10000"),
    "CFOM": ("1296.10013", "1296.09987"),
    "On DX Echo": ("1296.10012", "1296.09987"),
    "Call Dx": ("1296.10000", "1296.09974"),
    "No Doppler": ("1296.10000", "1296.10000"),
}
# The same at 1 Hz steps.
PLAN_1296_1_1HZ = {
    "Full Doppler Both Ways": ("1296.100124", "1296.099876"),
    "Own Echo": ("1296.100258", "1296.100000"),
    "CFOM": ("1296.100129", "1296.099871"),
    "On DX Echo": ("1296.100124", "1296.099866"),
    "Call Dx": ("1296.100000", "1296.099742"),
    "No Doppler": ("1296.100000", "1296.100000"),
}
# Sked frequency 0: the Doppler offsets in whole Hz.
PLAN_HZ_OFFSETS = {
    "Full Doppler Both Ways": ("124 Hz", "-124 Hz"),
    "Own Echo": ("258 Hz", "0 Hz"),
    "CFOM": ("129 Hz", "-129 Hz"),
    "On DX Echo": ("124 Hz", "-134 Hz"),
    "Call Dx": ("0 Hz", "-258 Hz"),
    "No Doppler": ("0 Hz", "0 Hz"),
}
# WSJT-X moved to 432 MHz: sked 432 seeded from the file, self 86 Hz, mutual 41 Hz,
# 1 Hz steps still chosen.
PLAN_432_1HZ = {
    "Full Doppler Both Ways": ("432.000041", "431.999959"),
    "Own Echo": ("432.000086", "432.000000"),
    "CFOM": ("432.000043", "431.999957"),
    "On DX Echo": ("432.000041", "431.999955"),
    "Call Dx": ("432.000000", "431.999914"),
    "No Doppler": ("432.000000", "432.000000"),
}

# Keys, as X keysyms.
KEY_RETURN = 0xFF0D
KEY_END = 0xFF57
KEY_BACKSPACE = 0xFF08


def write_azel(path, template, stamp):
    # Written beside it and renamed, so a read never sees half a file.
    with open(path + ".new", "w", newline="\n") as f:
        f.write(template.format(t=stamp))
    os.replace(path + ".new", path)


def remove_faketime_segments(pid):
    """libfaketime keeps the fixed clock in shared memory named after the process that
    loaded it (/faketime_shm_PID, and the semaphore /faketime_sem_PID) and removes them
    only when that process exits normally. The program is stopped with SIGTERM, so the
    two of this run are removed here, and nothing else. Returns what is left of them."""
    names = [f"/dev/shm/faketime_shm_{pid}", f"/dev/shm/sem.faketime_sem_{pid}"]
    for name in names:
        try:
            os.unlink(name)
        except FileNotFoundError:
            pass
    return [name for name in names if os.path.exists(name)]


class Window:
    """The program's accessible objects, found by role and accessible name."""

    def __init__(self, frame):
        self.frame = frame
        self.by_name = {}
        self._index(frame)

    def _index(self, node):
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is None:
                continue
            key = (child.get_role_name(), child.get_name())
            self.by_name.setdefault(key, []).append(child)
            self._index(child)

    def find(self, role, name):
        found = self.by_name.get((role, name), [])
        if len(found) != 1:
            raise LookupError(f"{len(found)} accessible objects with role {role!r} and name {name!r}")
        return found[0]

    def text_box(self, name):
        return self.find("text", name)

    @staticmethod
    def text_of(accessible):
        return Atspi.Text.get_text(accessible, 0, Atspi.Text.get_character_count(accessible))

    @staticmethod
    def showing(accessible):
        Atspi.Accessible.clear_cache(accessible)
        return accessible.get_state_set().contains(Atspi.StateType.SHOWING)

    @staticmethod
    def focused(accessible):
        Atspi.Accessible.clear_cache(accessible)
        return accessible.get_state_set().contains(Atspi.StateType.FOCUSED)

    def labels(self):
        return [(name, items) for (role, name), items in self.by_name.items() if role == "label"]

    def refresh_labels(self):
        # A label's accessible name is its caption, so a new caption means a new key.
        for accessible in [a for _, items in self.labels() for a in items]:
            Atspi.Accessible.clear_cache(accessible)
        self.by_name = {}
        self._index(self.frame)

    def showing_label(self, name):
        self.refresh_labels()
        return any(self.showing(a) for a in self.by_name.get(("label", name), []))


def expect_text(window, name, expected, timeout=5.0):
    box = window.text_box(name)
    ok = wait_until(lambda: Window.text_of(box) == expected, timeout)
    checks.record(ok, f"{name!r} reads {expected!r}", f"it reads {Window.text_of(box)!r}")


def expect_plan(window, plan, timeout=5.0):
    for scheme in SCHEMES:
        rx, tx = plan[scheme]
        expect_text(window, f"{scheme} Rx frequency", rx, timeout)
        expect_text(window, f"{scheme} Tx frequency", tx, timeout)


def press(keysym):
    Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)


def type_text(text):
    Atspi.generate_keyboard_event(0, text, Atspi.KeySynthType.STRING)


def enter_sked_frequency(window, text):
    """Types `text` into the sked frequency box with real key events, then Enter."""
    box = window.text_box("Sked frequency MHz")
    # A click into the box, as the operator would; without a window manager nothing
    # else gives the window the keyboard.
    extents = Atspi.Component.get_extents(box, Atspi.CoordType.SCREEN)
    Atspi.generate_mouse_event(extents.x + extents.width // 2, extents.y + extents.height // 2, "b1c")
    focused = wait_until(lambda: Window.focused(box), 5.0)
    checks.record(bool(focused), "the sked frequency box takes the keyboard focus")
    press(KEY_END)
    for _ in range(len(Window.text_of(box))):
        press(KEY_BACKSPACE)
    type_text(text)
    shown = wait_until(lambda: Window.text_of(box) == text, 5.0)
    checks.record(bool(shown), f"the sked frequency box shows the typed {text!r}",
                  f"it shows {Window.text_of(box)!r}")
    press(KEY_RETURN)  # commits, and adds nothing to the box (checked by the callers)


def main():
    program = program_argument()
    if program is None:
        return 2

    work = tempfile.mkdtemp(prefix="selvora-e2e-")
    azel = os.path.join(work, "azel.dat")
    write_azel(azel, AZEL_1296, "09:19:31")
    with open(os.path.join(work, "doppler.ini"), "w", newline="") as f:
        f.write(azel + "\r\n")

    env = dict(os.environ)
    env.update({
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_QPA_PLATFORM": "xcb",
        "TZ": ZONE,
        "LANG": "C.UTF-8",
        "LD_PRELOAD": FAKETIME_LIBRARY,
        "FAKETIME": "@" + LOCAL_START,
        "DONT_FAKE_MONOTONIC": "1",
    })
    log_path = os.path.join(work, "selvora.log")
    log = open(log_path, "w")
    started = time.monotonic()
    process = subprocess.Popen([program], cwd=work, env=env, stdout=log, stderr=subprocess.STDOUT)
    try:
        run(process, azel)
    except Exception as error:  # report, then fail below
        checks.record(False, "the test ran to its end", f"{type(error).__name__}: {error}")
    finally:
        alive, status = stop(process)
        checks.record(alive, "the program is still running at the end", f"it exited with {status}")
        left = remove_faketime_segments(process.pid)
        checks.record(not left, "no libfaketime shared memory is left in /dev/shm",
                      " ".join(left))
        log.close()
        status = report("e2e", started, program, log_path)
        shutil.rmtree(work, ignore_errors=True)
    return status


def run(process, azel):
    frame = find_frame(process.pid, 30.0)
    checks.record(frame is not None, f"the window {WINDOW_CAPTION!r} appears on the accessibility bus")
    if frame is None:
        raise RuntimeError("no window to read")
    window = Window(frame)

    print("The first read of azel.dat (band 1296, sked seeded from the file, 10 Hz):")
    # The first tick after start-up reads the file; give it a generous allowance.
    expect_text(window, "Band MHz", "1296", timeout=15.0)
    expect_text(window, "Sked frequency MHz", "1296")
    expect_text(window, "Mutual Doppler Hz", "124")
    expect_text(window, "Mutual Doppler rate Hz per minute", "   -1.25")
    expect_text(window, "Self Doppler Hz", "258")
    expect_text(window, "Self Doppler rate Hz per minute", "   -2.50")
    expect_text(window, "Moon azimuth", "123")
    expect_text(window, "Moon elevation", "46")
    expect_text(window, "WSJT period", "2nd/odd")  # minute 19 of the local clock
    expect_plan(window, PLAN_1296_10HZ)

    utc = window.text_box("UTC time")
    pattern = re.compile(r"Monday Dec 07, 2026 14:19:[3-5][0-9]")
    checks.record(bool(wait_until(lambda: pattern.fullmatch(Window.text_of(utc)), 5.0)),
                  "'UTC time' reads Monday Dec 07, 2026 14:19:ss (local 09:19 in New York)",
                  f"it reads {Window.text_of(utc)!r}")
    checks.record(bool(wait_until(lambda: window.showing_label("9:19"), 5.0)),
                  "the local time reads 9:19")
    checks.record(bool(wait_until(lambda: window.showing_label("~27.9 days past new moon"), 5.0)),
                  "the moon caption reads '~27.9 days past new moon'")
    shown = [k for k in range(30)
             if Window.showing(window.find("image", f"Moon phase picture {k}"))]
    checks.record(shown == [28], "only moon phase picture 28 is shown", f"shown: {shown}")
    checks.record(not window.showing_label("not found"), "no 'not found' beside the path")
    checks.record(not window.showing_label(STALE_WARNING), f"no {STALE_WARNING!r} while it is fresh")

    print("The file stops changing: the big seconds give way to AZEL IS NOT UPDATING:")
    seconds = window.text_box("Seconds after the minute")
    checks.record(bool(wait_until(lambda: not Window.showing(seconds), 8.0)),
                  "the seconds display is hidden after six reads of the same time stamp")
    checks.record(bool(wait_until(lambda: window.showing_label(STALE_WARNING), 5.0)),
                  f"{STALE_WARNING!r} shows in its place")

    print("The operator types 1296.1 and Enter (10 Hz):")
    enter_sked_frequency(window, "1296.1")
    expect_plan(window, PLAN_1296_1_10HZ)
    expect_text(window, "Sked frequency MHz", "1296.1")

    print("WSJT-X writes the file again, same band: the typed sked frequency holds:")
    write_azel(azel, AZEL_1296, "09:19:45")
    checks.record(bool(wait_until(lambda: Window.showing(seconds), 5.0)),
                  "the seconds display is back once the time stamp changes")
    checks.record(bool(wait_until(lambda: not window.showing_label(STALE_WARNING), 5.0)),
                  f"{STALE_WARNING!r} is gone again")
    expect_text(window, "Sked frequency MHz", "1296.1")
    expect_plan(window, PLAN_1296_1_10HZ)

    print("The operator picks 1 Hz resolution:")
    one_hz = window.find("radio button", "1 Hz resolution")
    with warnings.catch_warnings():  # its successor, get_name, comes after at-spi 2.46
        warnings.simplefilter("ignore", DeprecationWarning)
        actions = [one_hz.get_action_name(i) for i in range(one_hz.get_n_actions())]
    checks.record("Toggle" in actions, "the 1 Hz option offers the action 'Toggle'",
                  f"it offers {actions}")
    one_hz.do_action(actions.index("Toggle") if "Toggle" in actions else 0)
    expect_plan(window, PLAN_1296_1_1HZ)

    print("The operator enters 0: the plan shows the Doppler offsets in Hz:")
    enter_sked_frequency(window, "0")
    expect_plan(window, PLAN_HZ_OFFSETS)
    expect_text(window, "Sked frequency MHz", "0")

    print("WSJT-X changes band to 432 MHz: the sked frequency follows it:")
    write_azel(azel, AZEL_432, "09:19:52")
    expect_text(window, "Band MHz", "432")
    expect_text(window, "Sked frequency MHz", "432")
    expect_text(window, "Mutual Doppler Hz", "41")
    expect_text(window, "Self Doppler Hz", "86")
    expect_plan(window, PLAN_432_1HZ)


if __name__ == "__main__":
    sys.exit(main())
