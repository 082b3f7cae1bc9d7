#!/usr/bin/python3
"""The antenna follows the moon: Selvora under Xvfb drives a real rotctld.

Starts Hamlib's dummy rotator behind rotctld (azimuth -180..450, elevation 0..90, about
6 degrees a second) on a free port of 127.0.0.1, a small proxy in front of it that logs
every command the program sends with its time (tests/e2e/rotctld_peer.py), a writer
that rewrites azel.dat once a second as WSJT-X does, and the real program with
`--rot-model 2 --rot-file 127.0.0.1:PROXYPORT --point moon`. Reads the window's title
through the accessibility interface, as a screen reader would, and the rotator's
position from rotctld, and checks that the antenna reaches a live moon within the
tolerance; follows a moving moon with a handful of moves, not one a second; crosses
north the short way (from 350° to 10° it goes on to 370°); sends no move while
azel.dat's time stamp stands still nor while the moon is below the lowest elevation; is
back on the moon after rotctld restarts and after 15 s of refused moves; with --rot-move-seconds 50-59 moves only in those seconds
of the minute; follows the sun with --point sun; refuses bad rotator options with exit
status 2; and that the rig and the antenna track at once, a fault of one never stopping
the other.

Time is compressed where a real moon is slow: the moon written here moves 6 degrees in
20 s instead of a minute. The seconds of the minute are the machine's real clock, which
the program and the proxy share.

Needs an X server, a D-Bus session and the AT-SPI bus; scripts/e2e provides them:
    scripts/e2e [path/to/selvora] tests/e2e/rotator_follows.py
"""

import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from atspi_checks import WINDOW_CAPTION, checks, find_frame, program_argument, report, stop, \
    wait_until  # noqa: E402
from rotctld_peer import LoggingProxy, Rotctld, free_port, on_target  # noqa: E402
import rig_follows  # noqa: E402

TOLERANCE = 1.0
LOWEST_ELEVATION = 10.0


class MoonWriter:
    """Rewrites azel.dat once a second in place, as WSJT-X does: the moon on line 1, the
    sun on line 2, the Doppler line with a self Doppler that moves 20 Hz a record (for the
    rig). The moon's azimuth moves `moon_rate` degrees a second; while `frozen` the time
    stamp stands still, as when WSJT-X hangs."""

    def __init__(self, path, moon, sun=(200.1, 12.0)):
        self.path = path
        self.moon = moon
        self.sun = sun
        self.moon_rate = 0.0
        self.frozen = None
        self.self_doppler = 258.0
        self.last_stamp = None
        self.lock = threading.Lock()
        self.running = False
        self.thread = None

    def set(self, moon=None, sun=None, rate=None):
        with self.lock:
            if moon is not None:
                self.moon = moon
            if sun is not None:
                self.sun = sun
            if rate is not None:
                self.moon_rate = rate

    def freeze(self, frozen):
        """The last stamp written stays, or the clock's stamps come back."""
        with self.lock:
            self.frozen = self.last_stamp if frozen else None

    def target(self):
        with self.lock:
            return self.moon

    def record(self):
        with self.lock:
            t = self.frozen or time.strftime("%H:%M:%S", time.gmtime())
            self.last_stamp = t
            (maz, mel), (saz, sel) = self.moon, self.sun
            return (f"{t},{maz % 360:5.1f},{mel:5.1f},Moon\n{t},{saz % 360:5.1f},{sel:5.1f},Sun\n"
                    f"{t},  0.0,  0.0,Source\n"
                    f" 1296,   124.3,   -1.25,{self.self_doppler:8.1f},   -2.50,Doppler, R\n"
                    "     -62.8,     4.7,    -2.0,Pol\n")

    def start(self):
        self.running = True
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        while self.running:
            with open(self.path, "w", newline="\n") as f:
                f.write(self.record())
            with self.lock:
                az, el = self.moon
                self.moon = (az + self.moon_rate, el)
                if self.frozen is None:
                    self.self_doppler += 20.0
            time.sleep(1.0)

    def stop(self):
        self.running = False
        if self.thread is not None:
            self.thread.join()


def title(frame):
    return rig_follows.title(frame)


def start_selvora(program, work, options, log):
    env = dict(os.environ)
    env.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb",
                "LANG": "C.UTF-8", "XDG_CONFIG_HOME": os.path.join(work, "config")})
    return subprocess.Popen([program, *options], cwd=work, env=env, stdout=log,
                            stderr=subprocess.STDOUT)


def rotator_options(proxy, *more):
    return ["--rot-model", "2", "--rot-file", f"127.0.0.1:{proxy.port}",
            "--rot-tolerance", str(TOLERANCE), *more]


class Station:
    """azel.dat's folder, its writer, rotctld and the logging proxy, and the program's log."""

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="selvora-e2e-rot-")
        azel = os.path.join(self.work, "azel.dat")
        with open(os.path.join(self.work, "doppler.ini"), "w", newline="") as f:
            f.write(azel + "\r\n")
        self.writer = MoonWriter(azel, (357.0, 20.0))
        self.rotator = Rotctld(free_port())
        self.proxy = None
        self.log_path = os.path.join(self.work, "selvora.log")
        self.log = open(self.log_path, "w")

    def start(self):
        checks.record(self.rotator.start(), f"rotctld answers on 127.0.0.1:{self.rotator.port}")
        self.proxy = LoggingProxy(free_port(), self.rotator.port)
        self.writer.start()

    def close(self):
        self.writer.stop()
        if self.proxy is not None:
            self.proxy.close()
        self.rotator.kill()
        self.log.close()


def main():
    program = program_argument()
    if program is None:
        return 2
    station = Station()
    started = time.monotonic()
    process = None
    try:
        station.start()
        bad_options(program)
        process = start_selvora(
            program, station.work,
            rotator_options(station.proxy, "--point", "moon",
                            "--rot-min-elevation", str(LOWEST_ELEVATION)), station.log)
        follow_the_moon(process, station)
        ended(process)
        process = start_selvora(
            program, station.work,
            rotator_options(station.proxy, "--point", "sun", "--rot-move-seconds", "50-59"),
            station.log)
        follow_the_sun_between_periods(process, station)
        ended(process)
        process = None
        rig_and_antenna_at_once(program, station)
    except Exception as error:  # report, then fail below
        checks.record(False, "the test ran to its end", f"{type(error).__name__}: {error}")
    finally:
        if process is not None:
            stop(process)
        station.close()
        status = report("e2e-rotator", started, program, station.log_path)
        shutil.rmtree(station.work, ignore_errors=True)
    return status


def ended(process):
    running, status = stop(process)
    checks.record(running, "the program was still running at the end", f"it exited with {status}")


def bad_options(program):
    print("Rotator options that do not read: exit status 2 and the reason on one line:")
    cases = [
        (["--rot-model", "two"], "--rot-model"),
        (["--rot-speed", "fast"], "--rot-speed"),
        (["--point", "mars"], "--point"),
        (["--rot-tolerance", "-1"], "--rot-tolerance"),
        (["--rot-tolerance", "1,5"], "--rot-tolerance"),
        (["--rot-move-seconds", "50"], "--rot-move-seconds"),
        (["--rot-move-seconds", "50-61"], "--rot-move-seconds"),
        (["--rot-min-elevation", "ninety"], "--rot-min-elevation"),
    ]
    for arguments, option in cases:
        done = subprocess.run([program, *arguments], capture_output=True, text=True, timeout=30,
                              env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        lines = done.stderr.splitlines()
        reason_ok = len(lines) == 2 and lines[0].startswith(f"selvora: {option}") and \
            lines[1].startswith("Try 'selvora --help'")
        checks.record(done.returncode == 2 and reason_ok and done.stdout == "",
                      f"{' '.join(arguments)}: exit 2, one line why",
                      f"exit {done.returncode}, stderr {done.stderr!r}")


def window_of(process):
    frame = find_frame(process.pid, 30.0, titled=lambda t: WINDOW_CAPTION in t)
    checks.record(frame is not None, "the window appears on the accessibility bus")
    if frame is None:
        raise RuntimeError("no window to read")
    return frame


def expect_on_target(station, target, what, timeout):
    reached = wait_until(lambda: on_target(station.rotator, target, TOLERANCE), timeout, interval=0.2)
    checks.record(bool(reached), f"{what}: the antenna is within {TOLERANCE}° of {target}",
                  f"rotctld reads {station.rotator.position()}")
    return reached


def no_moves_for(station, seconds, what):
    since = time.monotonic()
    time.sleep(seconds)
    moves = station.proxy.moves(since)
    checks.record(not moves, what, f"moves sent: {[m for _, _, m in moves]}")


def follow_the_moon(process, station):
    proxy, writer = station.proxy, station.writer
    frame = window_of(process)
    ok = wait_until(lambda: "antenna: moon" in title(frame), 20.0)
    checks.record(ok, "the title says the antenna is on the moon", f"it says {title(frame)!r}")

    print("A live moon at 357°, the rotator at 0°: the short way, across north:")
    expect_on_target(station, writer.target(), "the live moon", 30.0)
    first = proxy.moves()
    checks.record(bool(first) and -5.0 < first[0][2][0] < 0.0,
                  "the first move goes to -3°, not round to 357°",
                  f"moves: {[m for _, _, m in first]}")

    print("The moon moves 6° in 20 s, across north (a minute's worth, sped up):")
    since = time.monotonic()
    writer.set(rate=0.3)
    time.sleep(20.0)
    writer.set(rate=0.0)
    expect_on_target(station, writer.target(), "after the moon moved", 15.0)
    moves = proxy.moves(since)
    azimuths = [m[0] for _, _, m in moves]
    checks.record(3 <= len(moves) <= 10,
                  f"a handful of moves followed it ({len(moves)} in 20 s), not one a second",
                  f"moves: {moves}")
    checks.record(all(-5.0 < az < 5.0 for az in azimuths),
                  "every move stayed near north, never round by 180°", f"azimuths {azimuths}")

    print("azel.dat's time stamp stands still; once the window says so, its moon jumps to 30°:")
    writer.freeze(True)
    ok = wait_until(lambda: title(frame).startswith("AZEL IS NOT UPDATING"), 10.0)
    checks.record(ok, "the title warns that azel.dat is not updating", f"it says {title(frame)!r}")
    writer.set(moon=(30.0, 25.0))
    no_moves_for(station, 10.0, "no move while azel.dat is not updating")
    checks.record("antenna: waiting for azel.dat" in title(frame),
                  "the title says the antenna waits for azel.dat", f"it says {title(frame)!r}")

    print(f"Live again, but the moon at 5°, under the lowest elevation ({LOWEST_ELEVATION}°):")
    writer.set(moon=(30.0, 5.0))
    writer.freeze(False)
    ok = wait_until(lambda: "below" in title(frame), 10.0)
    checks.record(ok, "the title says the moon is below the lowest elevation",
                  f"it says {title(frame)!r}")
    no_moves_for(station, 8.0, "no move below the lowest elevation")

    print("The moon rises to 25°:")
    writer.set(moon=(30.0, 25.0))
    expect_on_target(station, writer.target(), "the risen moon", 30.0)

    print("rotctld is killed, then started again (the dummy comes back at 0°, 0°):")
    station.rotator.kill()
    ok = wait_until(lambda: "antenna: no answer" in title(frame), 20.0)
    checks.record(ok, "the title says the rotator does not answer", f"it says {title(frame)!r}")
    checks.record(station.rotator.start(), "rotctld answers again")
    expect_on_target(station, writer.target(), "after rotctld's restart", 60.0)

    print("The proxy refuses every move for 15 s (RPRT -1) while the moon goes to 45°:")
    since = time.monotonic()
    proxy.refusing = True
    writer.set(moon=(45.0, 25.0))
    titles = set()
    deadline = time.monotonic() + 15.0
    while time.monotonic() < deadline:
        titles.add(title(frame))
        time.sleep(0.5)
    proxy.refusing = False
    refused = proxy.moves(since)
    reopened = [c for c in proxy.commands(since) if c == "\\dump_state"]
    checks.record(bool(refused), f"moves were tried while refused ({len(refused)})")
    checks.record(not reopened and not any("no answer" in t for t in titles),
                  "a refused move is not a lost rotator: no reconnection, no 'no answer'",
                  f"{len(reopened)} reconnections, titles {sorted(titles)}")
    expect_on_target(station, writer.target(), "after the refusals", 30.0)

    print("Round by the east to 350°, then the moon at 10°: on to 370°, not back by 340°:")
    for az in (200.0, 350.0):
        writer.set(moon=(az, 25.0))
        expect_on_target(station, (az, 25.0), f"the moon at {az}°", 45.0)
    since = time.monotonic()
    writer.set(moon=(10.0, 25.0))
    expect_on_target(station, writer.target(), "across north", 20.0)
    azimuths = [m[0] for _, _, m in proxy.moves(since)]
    checks.record(bool(azimuths) and all(abs(az - 370.0) < 0.06 for az in azimuths),
                  "the move across north went to 370°", f"azimuths {azimuths}")


def follow_the_sun_between_periods(process, station):
    proxy, writer = station.proxy, station.writer
    frame = window_of(process)
    print("--point sun --rot-move-seconds 50-59: the sun of line 2, only between periods:")
    since = time.monotonic()
    sun = (70.0, 15.0)
    writer.set(moon=(45.0, 25.0), sun=sun)
    ok = wait_until(lambda: "antenna: sun" in title(frame), 20.0)
    checks.record(ok, "the title says the antenna is on the sun", f"it says {title(frame)!r}")
    expect_on_target(station, sun, "the sun", 80.0)
    moves = proxy.moves(since)
    # The proxy's clock is the program's; a move decided at :59 may be logged a little later.
    seconds = [utc % 60.0 for _, utc, _ in moves]
    checks.record(bool(moves) and all(50.0 <= s < 60.4 or s < 0.4 for s in seconds),
                  "every move fell in seconds 50-59 of the minute",
                  f"seconds {[round(s, 2) for s in seconds]}")


def rig_and_antenna_at_once(program, station):
    print("The rig on CFOM and the antenna on the moon at once; each survives the other's fault:")
    rig = rig_follows.Rigctld(free_port())
    checks.record(rig.start(), f"rigctld answers on 127.0.0.1:{rig.port}")
    station.writer.set(moon=(50.0, 30.0))
    process = start_selvora(
        program, station.work,
        ["--rig-model", "2", "--rig-file", f"127.0.0.1:{rig.port}", "--track", "cfom", "--sked",
         "1296.1", *rotator_options(station.proxy, "--point", "moon")], station.log)
    try:
        frame = window_of(process)
        ok = wait_until(lambda: " — rig: CFOM — antenna: moon" in title(frame), 20.0)
        checks.record(ok, "the title says the rig is on CFOM and the antenna on the moon",
                      f"it says {title(frame)!r}")
        found = rig_follows.find_all(frame, {})
        rx_box = found[("text", "CFOM Rx frequency")]
        tx_box = found[("text", "CFOM Tx frequency")]
        rig_follows.expect_rig_on_shown_figures(rig, rx_box, tx_box, "both tracking")
        expect_on_target(station, station.writer.target(), "both tracking", 30.0)

        station.rotator.kill()
        ok = wait_until(lambda: "antenna: no answer" in title(frame), 20.0)
        checks.record(ok, "the antenna is lost", f"the title says {title(frame)!r}")
        first = rig_follows.expect_rig_on_shown_figures(rig, rx_box, tx_box, "antenna lost")
        time.sleep(2.0)
        later = rig_follows.expect_rig_on_shown_figures(rig, rx_box, tx_box, "antenna lost")
        checks.record(first is not None and later is not None and first != later,
                      "the rig kept following while the antenna was lost")
        checks.record(station.rotator.start(), "rotctld answers again")

        rig.kill()
        ok = wait_until(lambda: "rig: no answer" in title(frame), 20.0)
        checks.record(ok, "the rig is lost", f"the title says {title(frame)!r}")
        station.writer.set(moon=(60.0, 30.0))
        expect_on_target(station, station.writer.target(), "the rig lost", 60.0)
        ended(process)
        process = None
    finally:
        if process is not None:
            stop(process)
        rig.kill()


if __name__ == "__main__":
    sys.exit(main())
