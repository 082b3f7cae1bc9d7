#!/usr/bin/python3
"""The rig follows the window: Selvora under Xvfb tracks CFOM on a real rigctld.

Starts Hamlib's dummy rig behind rigctld on a free port of 127.0.0.1, a writer that
rewrites azel.dat once a second as WSJT-X does (with the self Doppler moving), and
the real program with `--rig-model 2 --rig-file 127.0.0.1:PORT --track cfom --sked
1296.1` (the rig follows only a sked the operator chose). Reads
the CFOM fields through the accessibility interface, as a screen reader would, and
the rig's VFOs from rigctld, and checks that they agree in Hz, follow each new record,
stop following once the writer stops, resume when it starts again, and that a
rigctld killed and restarted mid-run is survived.

Needs an X server, a D-Bus session and the AT-SPI bus; scripts/e2e provides them:
    scripts/e2e [path/to/selvora] tests/e2e/rig_follows.py
"""

import decimal
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from atspi_checks import (WINDOW_CAPTION, checks, find_frame, program_argument, report, stop,
                          wait_until)  # noqa: E402
from e2e_checks import ask_rigctld  # noqa: E402

def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Rigctld:
    """Hamlib's dummy rig behind rigctld, at 145 MHz on VFO A when it starts. In VFO mode
    (-o) reading VFO B never switches to it; without it, as many stations run rigctld,
    a command goes to the VFO the rig has selected."""

    def __init__(self, port, vfo_mode=True):
        self.port = port
        self.vfo_mode = ["-o"] if vfo_mode else []
        self.process = None

    def start(self):
        self.process = subprocess.Popen(
            ["rigctld", "-m", "1", "-P", "RIG", *self.vfo_mode, "-T", "127.0.0.1",
             "-t", str(self.port)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return wait_until(self.answers, 10.0)

    def answers(self):
        try:
            with socket.create_connection(("127.0.0.1", self.port), timeout=1):
                return True
        except OSError:
            return False

    def kill(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def ask(self, *commands):
        """rigctld's answers to `commands` ("f VFOA"), a value each; none while it is away."""
        return ask_rigctld(self.port, *commands)

    def read(self):
        """Main VFO and Tx VFO in Hz, and split, as rigctld reports them."""
        out = self.ask("f VFOA", "f VFOB", "s VFOA")
        if len(out) < 3:
            return None
        return int(out[0]), int(out[1]), out[2]


class Writer:
    """Rewrites azel.dat once a second in place, as WSJT-X does, the self Doppler moving
    `step` Hz a record (so CFOM moves half that on each side). `band` is the whole MHz
    written, or a function that gives it for each record."""

    def __init__(self, path, self_doppler, step, band=1296, mutual=124.3):
        self.path = path
        self.self_doppler = self_doppler
        self.step = step
        self.band = band
        self.mutual = mutual
        self.running = False
        self.thread = None

    def record(self, stamp=None):
        t = stamp or time.strftime("%H:%M:%S", time.gmtime())
        band = self.band() if callable(self.band) else self.band
        return (f"{t},123.4, 45.6,Moon\n{t},200.1, 12.0,Sun\n{t},  0.0,  0.0,Source\n"
                f"{band:5d},{self.mutual:8.1f},   -1.25,{self.self_doppler:8.1f},   -2.50,Doppler, R\n"
                "     -62.8,     4.7,    -2.0,Pol\n")

    def start(self):
        self.running = True
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        while self.running:
            with open(self.path, "w", newline="\n") as f:
                f.write(self.record())
            self.self_doppler += self.step
            time.sleep(1.0)

    def stop(self):
        self.running = False
        if self.thread is not None:
            self.thread.join()


def hz(mhz_text):
    """A shown MHz figure in whole Hz, from its decimal digits."""
    try:
        return int(decimal.Decimal(mhz_text) * 1000000)
    except decimal.InvalidOperation:
        return None


def find_all(node, found):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        found.setdefault((child.get_role_name(), child.get_name()), child)
        find_all(child, found)
    return found


def text_of(accessible):
    Atspi.Accessible.clear_cache(accessible)
    return Atspi.Text.get_text(accessible, 0, Atspi.Text.get_character_count(accessible))


def title(frame):
    Atspi.Accessible.clear_cache(frame)
    return frame.get_name()


def start_selvora(program, work, port, options, log):
    """The program in `work` (which holds doppler.ini), its rig on rigctld at `port`."""
    env = dict(os.environ)
    env.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb",
                "LANG": "C.UTF-8", "XDG_CONFIG_HOME": os.path.join(work, "config")})
    return subprocess.Popen(
        [program, "--rig-model", "2", "--rig-file", f"127.0.0.1:{port}", *options],
        cwd=work, env=env, stdout=log, stderr=subprocess.STDOUT)


def main():
    program = program_argument()
    if program is None:
        return 2
    work = tempfile.mkdtemp(prefix="selvora-e2e-rig-")
    azel = os.path.join(work, "azel.dat")
    with open(os.path.join(work, "doppler.ini"), "w", newline="") as f:
        f.write(azel + "\r\n")
    rig = Rigctld(free_port())
    writer = Writer(azel, 258.0, 20.0)
    log_path = os.path.join(work, "selvora.log")
    log = open(log_path, "w")
    process = None
    started = time.monotonic()
    try:
        checks.record(rig.start(), f"rigctld answers on 127.0.0.1:{rig.port}")
        writer.start()
        process = start_selvora(program, work, rig.port, ["--track", "cfom", "--sked", "1296.1"],
                                log)
        run(process, rig, writer)
    except Exception as error:  # report, then fail below
        checks.record(False, "the test ran to its end", f"{type(error).__name__}: {error}")
    finally:
        writer.stop()
        if process is not None:
            running, status = stop(process)
            checks.record(running, "the program is still running at the end",
                          f"it exited with {status}")
        rig.kill()
        log.close()
        status = report("e2e-rig", started, program, log_path)
        shutil.rmtree(work, ignore_errors=True)
    return status


def expect_rig_on_shown_figures(rig, rx_box, tx_box, what, timeout=8.0):
    """The rig's VFOs equal the shown CFOM figures in Hz (rigctld answers from its cache
    for a moment after a change, so agreement is waited for)."""
    def agree():
        shown = (hz(text_of(rx_box)), hz(text_of(tx_box)))
        read = rig.read()
        return shown if read is not None and (read[0], read[1]) == shown and read[2] == "1" else None

    shown = wait_until(agree, timeout)
    checks.record(bool(shown), f"{what}: the rig's VFOs equal the shown CFOM figures",
                  f"shown Rx {text_of(rx_box)!r} Tx {text_of(tx_box)!r}, rig reads {rig.read()}")
    return shown


def run(process, rig, writer):
    frame = find_frame(process.pid, 30.0, titled=lambda t: t.startswith(WINDOW_CAPTION))
    checks.record(frame is not None, "the window appears on the accessibility bus")
    if frame is None:
        raise RuntimeError("no window to read")
    ok = wait_until(lambda: title(frame).endswith(" — rig: CFOM"), 20.0)
    checks.record(ok, "the title says the rig is on CFOM", f"it says {title(frame)!r}")
    found = find_all(frame, {})
    checks.record(("label", "CFOM, tracked on the rig") in found,
                  "the CFOM caption is announced as tracked on the rig")
    rx_box = found[("text", "CFOM Rx frequency")]
    tx_box = found[("text", "CFOM Tx frequency")]

    print("The rig follows each new record (the self Doppler moves 20 Hz a second):")
    seen = set()
    for _ in range(3):
        shown = expect_rig_on_shown_figures(rig, rx_box, tx_box, "following")
        seen.add(shown)
        time.sleep(1.5)
    checks.record(len(seen) >= 2, "the figures moved while the rig followed", f"saw {seen}")

    print("The writer stops: the rig stays on the last figures and the title says why:")
    writer.stop()
    ok = wait_until(lambda: "rig: waiting for azel.dat (not updating)" in title(frame), 15.0)
    checks.record(ok, "the title says the rig is waiting", f"it says {title(frame)!r}")
    last = expect_rig_on_shown_figures(rig, rx_box, tx_box, "stopped")

    print("The writer starts again, 200 Hz further on:")
    writer.self_doppler += 200.0
    writer.start()
    ok = wait_until(lambda: title(frame).endswith(" — rig: CFOM"), 15.0)
    checks.record(ok, "the title says the rig is on CFOM again", f"it says {title(frame)!r}")
    resumed = expect_rig_on_shown_figures(rig, rx_box, tx_box, "resumed")
    checks.record(resumed is not None and resumed != last, "the rig moved on from the stopped figures")

    print("rigctld is killed and restarted (the rig comes back at 145 MHz):")
    rig.kill()
    ok = wait_until(lambda: "rig: no answer (" in title(frame), 15.0)
    checks.record(ok, "the title says the rig does not answer", f"it says {title(frame)!r}")
    checks.record(rig.start(), "rigctld answers again")
    ok = wait_until(lambda: title(frame).endswith(" — rig: CFOM"), 40.0)
    checks.record(ok, "the title says the rig is on CFOM once it answers", f"it says {title(frame)!r}")
    expect_rig_on_shown_figures(rig, rx_box, tx_box, "after the restart", timeout=10.0)


if __name__ == "__main__":
    sys.exit(main())
