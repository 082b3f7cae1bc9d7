"""What every end-to-end test shares, under Xvfb or Wine alike: the window's caption, the
count of checks, waiting for a condition, the program under test, and ending it."""

import os
import socket
import subprocess
import sys
import time

WINDOW_CAPTION = "wsjt  Selvora v1.3 - Tarnwick"

# azel.dat for 1296 MHz as WSJT-X writes it, {t} the time stamp: moon, sun and source
# lines, then the Doppler line (MHz, mutual Doppler 124.3 Hz, its rate, self Doppler
# 258.7 Hz, its rate).
AZEL_1296 = (
    "{t},123.4, 45.6,Moon\n"
    "{t},200.1, 12.0,Sun\n"
    "{t},  0.0,  0.0,Source\n"
    " 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n"
    "     -62.8,     4.7,    -2.0,Pol\n"
)


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
        return ok


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


def ask_rigctld(port, *commands, timeout=5.0):
    """rigctld's answers to `commands` ("f VFOA", "s VFOA"), one value each as rigctl
    prints them (a split read gives two: split, Tx VFO), and "RPRT n" for a refusal; what
    came before it went away or stopped answering. Asked over rigctld's own protocol, not
    through rigctl, whose output differs between Hamlib releases (4.6 prints a banner)."""
    values = []
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=timeout) as s, \
                s.makefile("rw", encoding="ascii", newline="\n") as f:
            for command in commands:
                # "+": the extended answer, a line naming the command, then "Name: value"
                # lines, always ending with "RPRT n".
                f.write(f"+{command}\n")
                f.flush()
                header = True
                while (line := f.readline()) != "":
                    line = line.rstrip("\n")
                    if line.startswith("RPRT "):
                        if line != "RPRT 0":
                            values.append(line)
                        break
                    if not header and ": " in line:
                        values.append(line.split(": ", 1)[1])
                    header = False
                else:
                    break
    except OSError:
        pass
    return values


def program_argument():
    """The program under test, from the command line; None, with the usage said, without."""
    program = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else None
    if program is None or not os.access(program, os.X_OK):
        print(f"usage: {sys.argv[0]} path/to/selvora", file=sys.stderr)
        return None
    return program


def stop(process):
    """Ends the program, if one was started; whether it was still running until then, and
    how it exited."""
    if process is None:
        return False, None
    running = process.poll() is None
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    return running, process.returncode
