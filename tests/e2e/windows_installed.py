#!/usr/bin/python3
"""The Windows installer and the installed program, checked under Wine as an operator
would meet them.

In a fresh Wine prefix: the installer installs silently (/S) where Windows keeps a
user's programs, with its Start-menu shortcut and its Apps & features entry, and its
uninstaller (the entry's QuietUninstallString) takes all of that away again; installed
once more into a folder named with /D=, the program answers --version, shows the
window on an azel.dat that a writer rewrites the WSJT-X way, and its Ctrl+C plan (read
from the X clipboard, which Wine shares) is the one the Linux program copies for the
same file, and the one worked out by hand. Save Path writes doppler.ini in the folder
the program was started in, as the Start-menu shortcut starts it. With
--rig-model 2 --rig-file 127.0.0.1:PORT it tunes a Linux rigctld (Hamlib's dummy rig)
to the Full Doppler Both Ways figures, read back from rigctld, and with --rot-model 2
--rot-file 127.0.0.1:PORT --point moon it turns a Linux rotctld (Hamlib's dummy
rotator, behind a proxy that logs what it is sent) onto the moon of azel.dat at once.

Needs an X server (scripts/test-windows runs it under Xvfb):
    windows_installed.py INSTALLER LINUX_SELVORA [SCREENSHOT.png]
"""

import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

from e2e_checks import AZEL_1296, ask_rigctld, stop
from rotctld_peer import LoggingProxy, Rotctld, on_target
from wine_session import (WINDOW_CAPTION, AzelWriter, WinePrefix, checks, click, copy_plan,
                          find_window, press, wait_until, window_geometry, windows_path)

# Worked out by hand for sked 1296 at 10 Hz steps: scheme, your Tx, your Rx.
EXPECTED_ROWS = [
    ("Full Doppler Both Ways", "1295.99988", "1296.00012"),
    ("Own Echo", "1296.00000", "1296.00026"),
    ("CFOM", "1295.99987", "1296.00013"),
    ("On DX Echo", "1295.99987", "1296.00012"),
    ("Call Dx", "1295.99974", "1296.00000"),
    ("No Doppler", "1296.00000", "1296.00000"),
]
FULL_DOPPLER_RX_HZ = 1296000120
FULL_DOPPLER_TX_HZ = 1295999880
INSTALL_FOLDER = "C:\\Ham Radio\\Selvora"  # a space in it, as Program Files has
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Selvora"
AHEAD = ["--ahead", "--at", "2026-12-09 21:30:00", "--dx-grid", "FN31pr", "--sked", "1296.1"]
MY_GRID = ["--my-grid", "JO22nb"]
AHEAD_LINES = ["Moon here: ", "Moon at the DX: ", "Self Doppler: ", "Mutual Doppler: "] + \
    [scheme + "  " for scheme, _, _ in EXPECTED_ROWS]
COMMON_WINDOW = re.compile(r"^\d{4}-\d\d-\d\d \d\d:\d\d UTC to \d{4}-\d\d-\d\d \d\d:\d\d UTC",
                           re.MULTILINE)


def rig_arguments(port):
    """The rig options the operator would give to follow Full Doppler Both Ways: the rig
    takes figures only from a sked the operator chose."""
    return ["--rig-model", "2", "--rig-file", f"127.0.0.1:{port}",
            "--sked", "1296", "--track", "full-doppler"]


def plan_rows(plan):
    """The plan's scheme rows as (scheme, your Tx, your Rx), from its aligned columns."""
    rows = []
    for line in (plan or "").splitlines():
        for scheme, _, _ in EXPECTED_ROWS:
            if line.startswith(scheme + "  "):
                cells = line[len(scheme):].split()
                rows.append((scheme, cells[0], cells[1]) if len(cells) >= 2 else (scheme,))
    return rows


def without_clock(plan):
    """The plan without its UTC time line: two programs started a while apart differ there."""
    return "\n".join(line for line in (plan or "").splitlines() if not line.startswith("UTC time:"))


def has_figures(plan):
    rows = plan_rows(plan)
    return len(rows) == 6 and all(len(row) == 3 and "-" not in row[1:] for row in rows)


def live_plan(window):
    """Ctrl+C until the plan shows figures (the first read may still be on its way)."""
    def copied():
        plan = copy_plan(window)
        return plan if has_figures(plan) else None

    return wait_until(copied, 30.0, 0.5)


def has_ahead_lines(text):
    lines = (text or "").splitlines()
    return all(any(line.startswith(start) for line in lines) for start in AHEAD_LINES) and \
        COMMON_WINDOW.search(text) is not None


def write_wsjtx_settings(wine):
    """WSJT-X's settings file where WSJT-X on Windows keeps it, with both locators."""
    folder = wine.user_folder("AppData", "Local", "WSJT-X")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "WSJT-X.ini"), "w", newline="\r\n") as f:
        f.write("[Configuration]\nMyCall=PA3XYZ\nMyGrid=JO22nb\n[MainWindow]\nDXgrid=FN31pr\n")


def with_erfas_moon(command):
    """The command with WSJT-X's JPL ephemeris out of sight (an empty folder over it, in
    a mount namespace of the command's own), so that Linux uses ERFA's lunar theory as
    the Windows program does: the moon's distance in whole km tells the two apart."""
    folder = "/usr/share/wsjtx"
    if not os.path.isdir(folder):
        return command
    namespace = ["unshare", "--mount"] + ([] if os.geteuid() == 0 else ["--map-root-user"])
    return namespace + ["sh", "-c", f'mount -t tmpfs tmpfs {folder} && exec "$0" "$@"'] + command


def check_ahead_command(wine, exe, linux_program, work):
    print("selvora.exe --ahead, beside the Linux program's:")
    result = wine.run([exe] + AHEAD + MY_GRID, timeout=60, cwd=work)
    text = result.stdout.replace("\r\n", "\n")
    checks.record(result.returncode == 0 and has_ahead_lines(text),
                  "it prints the moon, the Doppler, the six schemes and the common windows, exit 0",
                  f"exit {result.returncode}\n{text}{result.stderr}")
    env = dict(os.environ, LANG="C.UTF-8", XDG_CONFIG_HOME=os.path.join(work, "linux-config"))
    linux = subprocess.run(with_erfas_moon([linux_program] + AHEAD + MY_GRID), env=env,
                           capture_output=True, text=True, timeout=60)
    checks.record(linux.returncode == 0 and text == linux.stdout,
                  "the Linux program on ERFA's moon, as on Windows, prints the same",
                  f"\n--- Windows\n{text}--- Linux\n{linux.stdout}{linux.stderr}---")
    from_wsjtx = wine.run([exe] + AHEAD, timeout=60, cwd=work)
    checks.record(from_wsjtx.stdout.replace("\r\n", "\n") == text,
                  "without --my-grid, the locator is WSJT-X's (its WSJT-X.ini in %LOCALAPPDATA%)",
                  f"{from_wsjtx.stdout!r} {from_wsjtx.stderr!r}")
    bad = wine.run([exe] + AHEAD + ["--my-grid", "XX99zz"], timeout=60, cwd=work)
    checks.record(bad.returncode == 2 and bad.stdout == "" and
                  len(bad.stderr.strip().splitlines()) == 1 and "--my-grid" in bad.stderr,
                  "a bad locator: exit 2 and one line", f"exit {bad.returncode} {bad.stdout!r} "
                  f"{bad.stderr!r}")


def check_sked_ahead_window(window, screenshot):
    print("Ctrl+K, the Sked ahead window:")
    press(window, "ctrl+k")
    ahead = find_window("^Sked ahead$", 30.0)
    checks.record(ahead is not None and ahead != window, "the Sked ahead window appears")
    if ahead is None:
        return
    plan = wait_until(lambda: copy_plan(ahead, "alt+c"), 20.0, 0.5)
    checks.record(has_ahead_lines(plan) and "Sked frequency: 1296" in plan,
                  "its Copy gives figures for WSJT-X's locators and the main window's sked",
                  f"{plan!r}")
    if screenshot:
        time.sleep(1.0)
        shot = re.sub(r"(\.png)?$", "-sked-ahead.png", screenshot, count=1)
        subprocess.run(["import", "-window", ahead, "PNG24:" + shot], check=False)
        checks.record(os.path.isfile(shot), f"a screenshot of the Sked ahead window: {shot}")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def rig_reads(port):
    """The dummy rig's main VFO (Rx) and Tx VFO in Hz, as rigctld reports them (VFO mode,
    so reading VFO B does not switch to it), or None while there is no answer."""
    out = ask_rigctld(port, "f VFOA", "f VFOB")
    try:
        return int(out[0]), int(out[1])
    except (IndexError, ValueError):
        return None


def check_installed(wine, folder):
    for name in ["selvora.exe", "libhamlib-4.dll", "libwinpthread-1.dll", "uninstall.exe",
                 "LICENSE.txt", "THIRD-PARTY.txt", "licenses\\Qt\\LGPL-3.0-only.txt",
                 "licenses\\Qt\\SOURCE.txt", "licenses\\Hamlib\\COPYING.LIB.txt",
                 "licenses\\ERFA\\LICENSE.txt"]:
        checks.record(os.path.isfile(wine.c_drive(folder + "\\" + name)), f"{name} is installed")


def install_and_uninstall(wine, installer):
    print("The installer, silent, where it installs by default:")
    result = wine.run([installer, "/S"], timeout=300)
    checks.record(result.returncode == 0, "the silent install exits 0", f"{result.returncode}")
    folder = wine.user_folder("AppData", "Local", "Programs", "Selvora")
    checks.record(os.path.isfile(os.path.join(folder, "selvora.exe")),
                  "selvora.exe is in %LOCALAPPDATA%\\Programs\\Selvora")
    shortcut = wine.user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                "Programs", "Selvora.lnk")
    checks.record(os.path.isfile(shortcut), "the Start-menu shortcut is there")
    entry = wine.registry_values(UNINSTALL_KEY)
    checks.record(entry.get("DisplayName") == "Selvora" and entry.get("DisplayVersion") == "1.3.0",
                  "Apps & features lists Selvora 1.3.0", f"{entry}")
    for value in ["Publisher", "UninstallString", "DisplayIcon", "EstimatedSize"]:
        checks.record(value in entry, f"the entry has a {value}")
    quiet = entry.get("QuietUninstallString", "")
    checks.record(quiet.endswith("uninstall.exe\" /S"), "the entry has a silent uninstall",
                  f"{quiet!r}")

    print("Its uninstaller, silent:")
    uninstaller = quiet.rsplit(" /S", 1)[0].strip('"')
    wine.run([uninstaller, "/S"], timeout=120)
    gone = wait_until(lambda: not os.path.exists(folder), 30.0, 0.5)
    checks.record(gone, "the program's folder is gone", f"left: {os.listdir(folder) if not gone else ''}")
    checks.record(not os.path.exists(shortcut), "the shortcut is gone")
    checks.record(wine.registry_values(UNINSTALL_KEY) == {}, "the Apps & features entry is gone")


def read_plan_on_linux(program, azel, work):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8",
               XDG_CONFIG_HOME=os.path.join(work, "linux-config"))
    folder = os.path.join(work, "linux")
    os.makedirs(folder)
    with open(os.path.join(work, "linux.log"), "w") as log:
        process = subprocess.Popen([program, "--azel", azel], cwd=folder, env=env, stdout=log,
                                   stderr=subprocess.STDOUT)
        try:
            window = find_window(WINDOW_CAPTION, 30.0)
            return live_plan(window) if window else None
        finally:
            stop(process)


def run_installed(wine, exe, folder, arguments, log_path):
    """selvora.exe started in `folder`, as its Start-menu shortcut starts it."""
    log = open(log_path, "a")
    return wine.start([exe] + arguments, wine.c_drive(folder), log)


def check_window(wine, exe, folder, azel, linux_plan, work, screenshot):
    print("The installed program on azel.dat, beside the Linux program's plan:")
    process = run_installed(wine, exe, folder, ["--azel", windows_path(azel)],
                            os.path.join(work, "selvora.log"))
    try:
        window = find_window(WINDOW_CAPTION, 60.0)
        checks.record(window is not None, "the window appears")
        if window is None:
            return
        plan = live_plan(window)
        checks.record(plan is not None, "Ctrl+C puts a plan with figures on the clipboard")
        rows = plan_rows(plan)
        checks.record(rows == EXPECTED_ROWS, "its figures are the ones worked out by hand",
                      f"{rows}")
        checks.record(linux_plan is not None and without_clock(plan) == without_clock(linux_plan),
                      "its plan is the Linux program's, but for the clock",
                      f"\n--- Windows\n{plan}--- Linux\n{linux_plan}---")
        if screenshot:
            time.sleep(1.0)
            subprocess.run(["import", "-window", window, "PNG24:" + screenshot], check=False)
            checks.record(os.path.isfile(screenshot), f"a screenshot of the window: {screenshot}")

        print("Save Path, clicked:")
        ini = os.path.join(wine.c_drive(folder), "doppler.ini")
        x, y, width, height = window_geometry(window)
        # The button's middle, from the control table (2880, 5115, 975 x 255 twips) at
        # 15 twips a pixel, below whatever frame Wine draws above the client area.
        frame_top = max(0, height - 387)
        frame_side = max(0, (width - 295) // 2)
        click(window, frame_side + (2880 + 975 // 2) // 15, frame_top + (5115 + 255 // 2) // 15)
        saved = wait_until(lambda: os.path.isfile(ini), 10.0)
        content = open(ini, "rb").read() if saved else b""
        checks.record(content == (windows_path(azel) + "\r\n").encode("utf-8"),
                      "doppler.ini holds the path, CR LF ended", f"{content!r}")
        check_sked_ahead_window(window, screenshot)
    finally:
        stop(process)


MOON = (123.4, 45.6)  # line 1 of AZEL_1296


def check_rig_and_antenna(wine, exe, folder, azel, work):
    print("The rig on Full Doppler Both Ways on a Linux rigctld, and the antenna on the moon")
    print("through a Linux rotctld, at once, over TCP:")
    port = free_port()
    rigctld = subprocess.Popen(["rigctld", "-m", "1", "-o", "-T", "127.0.0.1", "-t", str(port)],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    rotator = Rotctld(free_port())
    proxy = None
    process = None
    try:
        checks.record(rotator.start(), f"rotctld answers on 127.0.0.1:{rotator.port}")
        proxy = LoggingProxy(free_port(), rotator.port)

        def answers():
            try:
                with socket.create_connection(("127.0.0.1", port), timeout=1):
                    return True
            except OSError:
                return False

        checks.record(wait_until(answers, 10.0), f"rigctld answers on 127.0.0.1:{port}")
        process = run_installed(wine, exe, folder,
                                ["--azel", windows_path(azel)] + rig_arguments(port) +
                                ["--rot-model", "2", "--rot-file", f"127.0.0.1:{proxy.port}",
                                 "--point", "moon"],
                                os.path.join(work, "selvora-rig.log"))
        tuned = wait_until(lambda: rig_reads(port) == (FULL_DOPPLER_RX_HZ, FULL_DOPPLER_TX_HZ),
                           60.0, 1.0)
        checks.record(bool(tuned), "the rig is on the Full Doppler figures to the Hz "
                      f"(Rx {FULL_DOPPLER_RX_HZ}, split Tx {FULL_DOPPLER_TX_HZ})",
                      f"rigctld reports {rig_reads(port)}")
        # The dummy turns about 6 degrees a second, from 0, 0.
        reached = wait_until(lambda: on_target(rotator, MOON), 90.0, 0.5)
        checks.record(bool(reached), f"the antenna is within 1° of the moon at {MOON}",
                      f"rotctld reads {rotator.position()}")
        moves = proxy.moves()
        checks.record(bool(moves) and all(abs(az - MOON[0]) < 0.06 and abs(el - MOON[1]) < 0.06
                                          for _, _, (az, el) in moves),
                      f"every move sent was to the moon ({len(moves)})",
                      f"moves {[m for _, _, m in moves]}")
    finally:
        stop(process)
        rigctld.kill()
        rigctld.wait()
        if proxy is not None:
            proxy.close()
        rotator.kill()


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    installer, linux_program = (os.path.abspath(a) for a in sys.argv[1:3])
    screenshot = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    work = tempfile.mkdtemp(prefix="selvora-wine-")
    wine = WinePrefix(os.path.join(work, "prefix"))
    azel = os.path.join(work, "wsjtx", "azel.dat")
    os.makedirs(os.path.dirname(azel))
    writer = AzelWriter(azel, AZEL_1296, "\r\n")  # WSJT-X on Windows: CR LF line ends
    started = time.monotonic()
    try:
        print("A fresh Wine prefix, with Arial and Calibri mapped to Liberation and Carlito")
        wine.create()
        install_and_uninstall(wine, windows_path(installer))

        print(f"Installed again, silently, into {INSTALL_FOLDER} (/D=):")
        # /D= comes last and unquoted, spaces and all, as NSIS wants it: one line for
        # cmd.exe, since Wine would quote an argument with a space in it.
        wine.run(["cmd", "/c", f"{windows_path(installer)} /S /D={INSTALL_FOLDER}"], timeout=300)
        # Its last step is the Apps & features entry's size.
        wait_until(lambda: "EstimatedSize" in wine.registry_values(UNINSTALL_KEY), 60.0, 1.0)
        check_installed(wine, INSTALL_FOLDER)
        exe = INSTALL_FOLDER + "\\selvora.exe"
        version = wine.run([exe, "--version"], timeout=60, cwd=work)
        checks.record("1.3.0" in version.stdout, "selvora.exe --version says 1.3.0",
                      f"{version.stdout!r} {version.stderr!r}")

        write_wsjtx_settings(wine)
        check_ahead_command(wine, exe, linux_program, work)
        writer.start()
        linux_plan = read_plan_on_linux(linux_program, azel, work)
        checks.record(linux_plan is not None, "the Linux program copies its plan")
        check_window(wine, exe, INSTALL_FOLDER, azel, linux_plan, work, screenshot)
        check_rig_and_antenna(wine, exe, INSTALL_FOLDER, azel, work)
    except Exception as error:  # report, then fail below
        checks.record(False, "the test ran to its end", f"{type(error).__name__}: {error}")
    finally:
        writer.stop()
        wine.stop()
        if checks.failed:
            for log in ("selvora.log", "selvora-rig.log", "linux.log"):
                path = os.path.join(work, log)
                if os.path.isfile(path):
                    print(f"--- {log} ---\n{open(path, errors='replace').read()}--- end ---")
        print(f"({time.monotonic() - started:.1f} s)")
        print(f"e2e-windows: {checks.passed} passed, {checks.failed} failed")
        shutil.rmtree(work, ignore_errors=True)
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
