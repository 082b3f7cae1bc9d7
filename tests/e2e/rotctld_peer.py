"""Hamlib's dummy rotator behind rotctld, and a small TCP proxy in front of it that logs
every command the program sends (with its time) and can refuse moves, for the end-to-end
tests of the antenna on Linux and under Wine."""

import math
import socket
import subprocess
import threading
import time

from e2e_checks import wait_until


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Rotctld:
    """`rotctld -m 1` on 127.0.0.1:`port`: azimuth -180..450, elevation 0..90, turning at
    about 6 degrees a second, starting at 0, 0."""

    def __init__(self, port):
        self.port = port
        self.process = None

    def start(self):
        self.process = subprocess.Popen(
            ["rotctld", "-m", "1", "-T", "127.0.0.1", "-t", str(self.port)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return wait_until(self.answers, 10.0)

    def answers(self):
        return self.position() is not None

    def kill(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def position(self):
        """(az, el) as rotctld reports them now; None while it is away."""
        try:
            with socket.create_connection(("127.0.0.1", self.port), timeout=2) as s, \
                    s.makefile("rw", encoding="ascii", newline="\n") as f:
                f.write("p\n")
                f.flush()
                az, el = f.readline(), f.readline()
                return float(az), float(el)
        except (OSError, ValueError):
            return None


def pointing_error(position, target):
    """The angle in degrees between where the antenna points and the target."""
    (az1, el1), (az2, el2) = [(math.radians(a), math.radians(e)) for a, e in (position, target)]
    cos = (math.sin(el1) * math.sin(el2) + math.cos(el1) * math.cos(el2) * math.cos(az1 - az2))
    return math.degrees(math.acos(max(-1.0, min(1.0, cos))))


def on_target(rotator, target, tolerance=1.0):
    """The rotator has stopped within `tolerance` of `target` (the last move reached)."""
    first = rotator.position()
    time.sleep(0.3)
    second = rotator.position()
    if first is None or second is None or first != second:
        return None
    return second if pointing_error(second, target) <= tolerance + 0.05 else None


def move_target(command):
    """The (az, el) of a set-position command as netrotctl sends it ("P 123.40 45.60" or
    "\\set_pos 123.40 45.60"); None for any other command."""
    words = command.split()
    if len(words) == 3 and words[0] in ("P", "\\set_pos", "set_pos"):
        try:
            return float(words[1]), float(words[2])
        except ValueError:
            return None
    return None


class LoggingProxy:
    """Listens on 127.0.0.1:`port` and hands each connection on to rotctld at
    `upstream`, logging every line the program sends as (monotonic time, UTC time, line).
    While `refusing` is set, a move is answered "RPRT -1" (Hamlib's EINVAL, a soft
    error) and never reaches rotctld."""

    def __init__(self, port, upstream):
        self.port = port
        self.upstream = upstream
        self.refusing = False
        self.log = []
        self.lock = threading.Lock()
        self.server = socket.create_server(("127.0.0.1", port))
        self.running = True
        threading.Thread(target=self.accept, daemon=True).start()

    def close(self):
        self.running = False
        self.server.close()

    def accept(self):
        while self.running:
            try:
                client, _ = self.server.accept()
            except OSError:
                return
            threading.Thread(target=self.serve, args=(client,), daemon=True).start()

    def serve(self, client):
        try:
            upstream = socket.create_connection(("127.0.0.1", self.upstream), timeout=5)
        except OSError:
            client.close()  # rotctld is away: the program sees a closed connection
            return
        upstream.settimeout(None)
        threading.Thread(target=self.answers, args=(upstream, client), daemon=True).start()
        pending = b""
        try:
            while (data := client.recv(4096)) != b"":
                pending += data
                while b"\n" in pending:
                    line, pending = pending.split(b"\n", 1)
                    self.forward(line, client, upstream)
        except OSError:
            pass
        finally:
            client.close()
            upstream.close()

    def forward(self, line, client, upstream):
        command = line.decode("ascii", "replace").strip()
        with self.lock:
            self.log.append((time.monotonic(), time.time(), command))
            refuse = self.refusing and move_target(command) is not None
        if refuse:
            client.sendall(b"RPRT -1\n")
        else:
            upstream.sendall(line + b"\n")

    @staticmethod
    def answers(upstream, client):
        try:
            while (data := upstream.recv(4096)) != b"":
                client.sendall(data)
        except OSError:
            pass
        finally:
            try:
                client.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    def moves(self, since=0.0):
        """Every move sent since monotonic time `since`: (monotonic, UTC time, (az, el))."""
        with self.lock:
            return [(t, utc, move_target(c)) for t, utc, c in self.log
                    if t >= since and move_target(c) is not None]

    def commands(self, since=0.0):
        with self.lock:
            return [c for t, _, c in self.log if t >= since]
