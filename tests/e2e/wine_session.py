"""What the Windows end-to-end test needs around the program: a Wine prefix of its own,
the X tools that reach a window from outside (xdotool, xclip), a writer that keeps
azel.dat moving as WSJT-X does. No AT-SPI: Wine's windows are
not on the accessibility bus, so the window is read through its clipboard."""

import glob
import os
import subprocess
import sys
import threading
import time

from e2e_checks import WINDOW_CAPTION, checks, wait_until  # noqa: F401

WINE = "/usr/lib/wine/wine64" if os.access("/usr/lib/wine/wine64", os.X_OK) else "wine"
WINESERVER = "/usr/lib/wine/wineserver" if os.access("/usr/lib/wine/wineserver", os.X_OK) \
    else "wineserver"

# Arial, Arial Narrow, Courier New, MS Sans Serif and Calibri mapped to Liberation and
# Carlito, as fontconfig maps them on Debian, so that the window is laid out as on Linux.
FONT_REGISTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake",
                             "wine-fonts.reg")


def windows_path(unix_path):
    """A Linux path as a Windows program under Wine names it (Wine's Z: drive is /)."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class WinePrefix:
    """A fresh Windows profile; one Wine server for everything run in it."""

    def __init__(self, folder):
        self.folder = folder
        self.env = dict(os.environ, WINEPREFIX=folder, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono or Gecko prompts

    def create(self):
        subprocess.run([WINE, "wineboot", "-i"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        self.run(["regedit", "/S", windows_path(FONT_REGISTRY)], timeout=60)

    def run(self, arguments, timeout, cwd=None):
        return subprocess.run([WINE] + arguments, env=self.env, cwd=cwd, capture_output=True,
                              text=True, errors="replace", timeout=timeout)

    def start(self, arguments, cwd, log):
        return subprocess.Popen([WINE] + arguments, env=self.env, cwd=cwd, stdout=log,
                                stderr=subprocess.STDOUT)

    def c_drive(self, windows):
        """C:\\a\\b as a Linux path."""
        assert windows[:3].upper() == "C:\\"
        return os.path.join(self.folder, "drive_c", *windows[3:].split("\\"))

    def user_folder(self, *below):
        """The first (only) user profile's folder, and below it."""
        users = [u for u in glob.glob(os.path.join(self.folder, "drive_c", "users", "*"))
                 if os.path.basename(u) != "Public"]
        return os.path.join(users[0], *below)

    def registry_values(self, key):
        """The values of a registry key by name, as reg query shows them; {} when absent."""
        out = self.run(["reg", "query", key], timeout=60).stdout
        values = {}
        for line in out.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) == 3 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2]
        return values

    def stop(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, stderr=subprocess.DEVNULL)


class AzelWriter:
    """Rewrites azel.dat once a second the WSJT-X way (in place from the start, then cut to
    length), with a new time stamp each time so the figures stay live. The Doppler values
    stay put, so two programs reading it at different moments show the same plan."""

    def __init__(self, path, records, line_end):
        self.path = path
        self.records = records  # a format with {t}, the UTC time
        self.line_end = line_end
        self.running = False
        self.thread = None

    def write_once(self):
        text = self.records.format(t=time.strftime("%H:%M:%S", time.gmtime()))
        data = text.replace("\n", self.line_end).encode("ascii")
        mode = "r+b" if os.path.exists(self.path) else "wb"
        with open(self.path, mode) as f:
            f.write(data)
            f.truncate()

    def start(self):
        self.write_once()
        self.running = True
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        while self.running:
            time.sleep(1.0 - time.time() % 1.0)  # at the turn of the second, as WSJT-X
            if self.running:
                self.write_once()

    def stop(self):
        self.running = False
        if self.thread is not None:
            self.thread.join()


def find_window(name, timeout):
    """The X window showing `name` in its title, or None."""
    def look():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None

    return wait_until(look, timeout, 0.25)


def press(window, keys):
    """Presses the keys (xdotool's names, "ctrl+k") in the window."""
    subprocess.run(["xdotool", "windowfocus", "--sync", window], stderr=subprocess.DEVNULL,
                   timeout=10)
    subprocess.run(["xdotool", "key", "--clearmodifiers", keys], timeout=10)


def copy_plan(window, keys="ctrl+c"):
    """Presses Ctrl+C (or `keys`) in the window and returns what the clipboard then holds."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], timeout=10)
    press(window, keys)
    def pasted():
        out = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                             text=True, errors="replace", timeout=10).stdout
        return out.replace("\r\n", "\n") if out.strip() else None

    return wait_until(pasted, 5.0, 0.2)


def window_geometry(window):
    """(x, y, width, height) of an X window on the screen."""
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                         capture_output=True, text=True).stdout
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def click(window, x, y):
    """A left click at (x, y) in the window's own pixels."""
    subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"],
                   timeout=10)
