#!/usr/bin/python3
"""Rig tracking beside WSJT-X, as a station leaves it running all night.

Each scenario starts a fresh rigctld on Hamlib's dummy rig (at 145 MHz on VFO A; no VFO
mode, as many stations run it, but for 2), a writer that rewrites azel.dat as WSJT-X does, and a
fresh Selvora on that rigctld; it reads the rig with rigctl and the window through the
accessibility interface:
  0. sharing the rig with WSJT-X, which writes the rig's dial back as the band, does not
     walk the rig off the band, and without a sked the operator chose the rig is held;
  1. an azel.dat written once, long ago, tunes nothing;
  2. Rx lands on the main VFO (VFO A) though the rig was left on VFO B;
  3. a rigctld restarted while the figures hold is noticed, and the rig tuned again;
  5. a rig that stalls is said to in the title, and closing the window still ends the
     program within 3 s;
  6. behind a transverter the rig gets the shown figure less the LO.

Needs an X server, a D-Bus session and the AT-SPI bus; scripts/e2e provides them:
    scripts/e2e [path/to/selvora] tests/e2e/rig_beside_wsjtx.py
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from collections import namedtuple

from atspi_checks import (WINDOW_CAPTION, checks, find_frame, program_argument, report, stop,
                          wait_until)
from rig_follows import Rigctld, Writer, find_all, free_port, hz, start_selvora, text_of, title

DIAL = 145000000  # where the dummy rig starts


class Run:
    """One scenario's rig, writer and program, and what the window shows."""

    def __init__(self, rig, writer, process):
        self.rig, self.writer, self.process = rig, writer, process
        self.frame = wait_until(lambda: process.poll() is not None or find_frame(
            process.pid, 0, titled=lambda t: WINDOW_CAPTION in t), 30.0, interval=0.2)
        if self.frame is True or self.frame is None:
            raise RuntimeError(f"no window: the program exited with {process.poll()}")
        self.boxes = find_all(self.frame, {})

    def title(self):
        return title(self.frame)

    def text(self, name):
        return text_of(self.boxes[("text", name)])

    def shown(self, scheme):
        """The scheme's shown Rx and Tx figures in Hz."""
        return hz(self.text(f"{scheme} Rx frequency")), hz(self.text(f"{scheme} Tx frequency"))

    def dial(self, select=()):
        """The frequency of the VFO the rig has selected (or the one `select` selects,
        such as ("V VFOA",)), in Hz; None while rigctld is away."""
        out = self.rig.ask(*select, "f")
        return int(out[0]) if out else None

    def vfos(self):
        """VFO A and VFO B in Hz; in VFO mode, so reading selects neither (a reader that
        selects them moves the program's commands between the VFOs)."""
        out = self.rig.ask("f VFOA", "f VFOB")
        return (int(out[0]), int(out[1])) if len(out) == 2 else None


def throughout(seconds, sample):
    """Samples `sample` (which gives ok, detail) for `seconds`: the first failure's detail,
    or None when every sample was good."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        ok, detail = sample()
        if not ok:
            return detail
        time.sleep(0.3)
    return None


def rig_held_without_sked(run):
    said = wait_until(lambda: "rig: enter a sked frequency" in run.title(), 8.0)
    checks.record(said, "the title asks for a sked frequency", f"it says {run.title()!r}")
    def sample():
        dial = run.dial()
        return dial == DIAL, f"the rig reads {dial}"

    moved = throughout(5.0, sample)
    checks.record(moved is None, f"the rig stays at {DIAL} Hz for 5 s", moved)


def rig_stays_on_the_chosen_sked(run):
    on = lambda: run.dial() == run.shown("Full Doppler Both Ways")[0]  # noqa: E731
    checks.record(wait_until(on, 8.0), "the rig goes to the shown Full Doppler Rx figure",
                  f"shown {run.shown('Full Doppler Both Ways')}, the rig reads {run.dial()}")

    def sample():
        dial, shown, sked = run.dial(), run.shown("Full Doppler Both Ways")[0], run.text(
            "Sked frequency MHz")
        return (dial == shown and abs(dial - DIAL) <= 1000 and sked == "145",
                f"the rig reads {dial}, shown Rx {shown}, sked box {sked!r}")

    walked = throughout(10.0, sample)
    checks.record(walked is None, "for 10 s the rig stays on the shown Rx, within 1 kHz of "
                  "145 MHz, and the sked box reads 145", walked)


def dead_file_tunes_nothing(run):
    waiting = lambda: " — rig: waiting for azel.dat" in run.title()  # noqa: E731
    checks.record(wait_until(waiting, 8.0), "the title says the rig waits for azel.dat",
                  f"it says {run.title()!r}")

    def sample():
        out = run.rig.ask("f", "s")
        return (out[:2] == [str(DIAL), "0"] and waiting(),
                f"the rig reads {out} (frequency, split), the title says {run.title()!r}")

    tuned = throughout(5.0, sample)
    checks.record(tuned is None, f"for 5 s the rig stays at {DIAL} Hz without split, waiting",
                  tuned)


def rx_on_the_main_vfo(run):
    def agree():
        shown = run.shown("CFOM")
        return run.vfos() == shown and shown

    seen = set()
    for _ in range(2):  # the writer moves the figures: two of them, seen on the rig
        shown = wait_until(agree, 8.0, interval=0.3)
        checks.record(shown, "VFO A reads the shown CFOM Rx and VFO B the shown Tx",
                      f"shown {run.shown('CFOM')}, VFO A and B read {run.vfos()}")
        seen.add(shown)
        time.sleep(1.5)
    checks.record(len(seen) == 2, "the rig followed the figures as they moved", f"saw {seen}")


def restart_noticed(run):
    sked = 1296100000
    checks.record(wait_until(lambda: run.dial() == sked, 8.0, interval=0.3),
                  f"the rig goes to {sked} Hz", f"it reads {run.dial()}")
    run.rig.kill()
    killed = time.monotonic()
    noticed = wait_until(lambda: "rig: no answer" in run.title(), 10.0)
    checks.record(noticed, "the title says \"no answer\" within 10 s of rigctld's end",
                  f"after {time.monotonic() - killed:.1f} s it says {run.title()!r}")
    checks.record(run.rig.start(), "rigctld answers again")
    back = wait_until(lambda: run.dial() == sked, 15.0, interval=0.3)
    checks.record(back, f"the rig reads {sked} Hz again within 15 s", f"it reads {run.dial()}")


def close_window(pid):
    """Asks the program's window to close, as a window manager's close button does."""
    from Xlib import X, display, protocol
    ids = subprocess.run(["xdotool", "search", "--pid", str(pid), "--name", WINDOW_CAPTION],
                         capture_output=True, text=True).stdout.split()
    screen = display.Display()
    window = screen.create_resource_object("window", int(ids[0]))
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(
        window=window, client_type=screen.intern_atom("WM_PROTOCOLS"),
        data=(32, [delete, X.CurrentTime, 0, 0, 0])), event_mask=X.NoEventMask)
    screen.flush()


def stall_then_close(run):
    sked = 1296100000
    checks.record(wait_until(lambda: run.dial() == sked, 8.0, interval=0.3),
                  f"the rig goes to {sked} Hz", f"it reads {run.dial()}")
    os.kill(run.rig.process.pid, signal.SIGSTOP)  # takes commands, answers none
    try:
        stalled = lambda: any(s in run.title() for s in (  # noqa: E731
            "rig: waiting for the rig", "rig: no answer"))
        stopped = time.monotonic()
        said = wait_until(stalled, 10.0)
        checks.record(said, "within 10 s the title says the rig stalls",
                      f"after {time.monotonic() - stopped:.1f} s it says {run.title()!r}")
        close_window(run.process.pid)
        asked = time.monotonic()
        ended = wait_until(lambda: run.process.poll() is not None, 10.0, interval=0.1)
        took = time.monotonic() - asked
        checks.record(ended and took <= 3.0, "closing the window ends the program within 3 s",
                      f"{'ended' if ended else 'still running'} after {took:.1f} s")
        print(f"  (the stall was shown after {asked - stopped:.1f} s at the latest; "
              f"the program ended {took:.1f} s after the window was closed)")
    finally:
        os.kill(run.rig.process.pid, signal.SIGCONT)


def transverter_offset(run):
    rig_hz = 144100000
    vfo_a = ("V VFOA",)
    on = wait_until(lambda: run.dial(vfo_a) == rig_hz, 8.0, interval=0.3)
    checks.record(on, f"VFO A reads {rig_hz} Hz, the sked less the 10224 MHz LO",
                  f"it reads {run.dial(vfo_a)}")


# `band` is the whole MHz written, or "dial" for the rig's own dial, as WSJT-X sharing the
# rig writes it; `step` moves the self Doppler each record; `stamp` is that of a file
# written once and never again (None: rewritten each second, the stamp moving); `before`
# is what is asked of rigctld before the program starts.
Scenario = namedtuple("Scenario",
                      "name options band mutual step stamp before check vfo_mode closes",
                      defaults=[False, False])
SCENARIOS = [
    Scenario("0. sharing the rig with WSJT-X, no sked chosen: the rig is held",
             ["--track", "full-doppler"], "dial", -124.3, 0.0, None, None, rig_held_without_sked),
    Scenario("0. sharing the rig with WSJT-X, --sked 145: the rig does not walk off the band",
             ["--sked", "145", "--track", "full-doppler"], "dial", -124.3, 0.0, None, None,
             rig_stays_on_the_chosen_sked),
    Scenario("1. azel.dat written once at 03:00:17 and never again: nothing is tuned",
             ["--sked", "432.1", "--track", "cfom"], 432, 41.0, 0.0, "03:00:17", None,
             dead_file_tunes_nothing),
    Scenario("2. the rig left on VFO B: Rx lands on VFO A, Tx on VFO B",
             ["--sked", "1296.1", "--track", "cfom"], 1296, 124.3, 20.0, None,
             ("V VFOB",), rx_on_the_main_vfo, True),
    Scenario("3. rigctld restarted while the No Doppler figures hold",
             ["--sked", "1296.1", "--track", "no-doppler"], 1296, 124.3, 0.0, None, None,
             restart_noticed),
    Scenario("5. a rig that stalls, and the window closed meanwhile",
             ["--sked", "1296.1", "--track", "no-doppler"], 1296, 124.3, 0.0, None, None,
             stall_then_close, closes=True),
    Scenario("6. a 10368 MHz sked behind a transverter with a 10224 MHz LO",
             ["--sked", "10368.1", "--transverter", "10368:10224", "--track", "no-doppler"],
             10368, 124.3, 0.0, None, None, transverter_offset),
]


def play(program, scenario, log):
    work = tempfile.mkdtemp(prefix="selvora-e2e-beside-")
    azel = os.path.join(work, "azel.dat")
    with open(os.path.join(work, "doppler.ini"), "w", newline="") as f:
        f.write(azel + "\r\n")
    rig = Rigctld(free_port(), vfo_mode=scenario.vfo_mode)
    band = scenario.band
    if band == "dial":  # the whole MHz of the dial; the last one while rigctld is away
        last = [DIAL // 1000000]
        def band():  # noqa: E306
            out = rig.ask("f")
            last[0] = int(out[0]) // 1000000 if out else last[0]
            return last[0]
    writer = Writer(azel, 258.0, scenario.step, band=band, mutual=scenario.mutual)
    process = None
    try:
        if not rig.start():
            raise RuntimeError(f"rigctld does not answer on 127.0.0.1:{rig.port}")
        if scenario.before:
            rig.ask(*scenario.before)
        if scenario.stamp:
            with open(azel, "w", newline="\n") as f:
                f.write(writer.record(scenario.stamp))
        else:
            writer.start()
        log.write(f"=== {scenario.name}\n")
        log.flush()
        process = start_selvora(program, work, rig.port, scenario.options, log)
        scenario.check(Run(rig, writer, process))
    except Exception as error:  # report, then go on with the next scenario
        checks.record(False, "the scenario ran to its end", f"{type(error).__name__}: {error}")
    finally:
        writer.stop()
        if process is not None and scenario.closes:
            stop(process)
        elif process is not None:
            running, status = stop(process)
            checks.record(running, "the program is still running at the end",
                          f"it exited with {status}")
        rig.kill()
        shutil.rmtree(work, ignore_errors=True)


def main():
    program = program_argument()
    if program is None:
        return 2
    log_dir = tempfile.mkdtemp(prefix="selvora-e2e-beside-log-")
    log_path = os.path.join(log_dir, "selvora.log")
    started = time.monotonic()
    with open(log_path, "w") as log:
        for scenario in SCENARIOS:
            print(scenario.name)
            sys.stdout.flush()
            play(program, scenario, log)
    status = report("e2e-rig-beside-wsjtx", started, program, log_path)
    shutil.rmtree(log_dir, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
