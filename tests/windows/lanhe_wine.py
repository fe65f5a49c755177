"""What the Windows checks share: Wine prefixes copied from one prepared template, the display
of the fixture, the window's controls, windows found by title, screenshots and their pixels.

CTest gives the paths through the environment: LANHE_SOURCE_DIR, LANHE_BUILD_DIR (the windows
build) and LANHE_PACKAGE (the package's name, lanhe-shutdown-<version>-win64).
As a program: "template" prepares the template when it is missing or out of date; "up NAME"
and "down NAME" start and end the prefix NAME, with the display when "--display" is given;
"run NAME PROGRAM ARGS..." runs a Windows program there with the C++ runtime of Qt's folder of
DLLs (LANHE_QT_RUNTIME) on its path, and ends with its exit code.
"""
import hashlib
import os
import pathlib
import pwd
import shutil
import subprocess
import sys
import time

SOURCE = pathlib.Path(os.environ["LANHE_SOURCE_DIR"])
BUILD = pathlib.Path(os.environ["LANHE_BUILD_DIR"])
PACKAGE = os.environ.get("LANHE_PACKAGE", "")
WINE_DIR = BUILD / "wine"
TEMPLATE = WINE_DIR / "template"
HOME = WINE_DIR / "home"
DISPLAY_STATE = WINE_DIR / "display.state"
UNPACKED = WINE_DIR / "zip" / PACKAGE
SETUP = BUILD / f"{PACKAGE}-setup.exe"
VERSION = PACKAGE.split("-")[2] if PACKAGE else ""
PROBE = BUILD / "lanhe_desktop_probe.exe"
STAND_IN = BUILD / "lanhe_recording_shutdown.exe"
TITLE = "蓝禾自动关机"
# Wine's helpers that have no place in a test, and the stand-in that takes shutdown.exe's place
# in every prefix: a native program, so that Wine's own shutdown.exe never runs.
DLL_OVERRIDES = "winemenubuilder.exe=d;mscoree=d;mshtml=d;shutdown.exe=n"
# Large and never written: shared with the template as hard links. The rest is copied, the
# registry among it, which Wine rewrites in place.
SHARED_FOLDERS = ("drive_c/windows/system32", "drive_c/windows/winsxs")


class CheckFailed(Exception):
    """A check that did not hold, with what was seen instead."""


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def main(checks):
    """Runs the check named by the first argument: prints what it saw, fails with exit code 1."""
    name = sys.argv[1] if len(sys.argv) > 1 else ""
    if name not in checks:
        print(f"usage: {sys.argv[0]} {' | '.join(checks)}")
        return 2
    try:
        seen = checks[name](*sys.argv[2:])
    except CheckFailed as failure:
        print(f"FAILED: {failure}")
        return 1
    print(f"passed{': ' + seen if seen else ''}")
    return 0


def wait_for(condition, seconds, step=0.1):
    """The first true value of condition() within seconds, else None."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value or None
        time.sleep(step)


def display():
    """The fixture's display, ":N"."""
    for line in DISPLAY_STATE.read_text().splitlines():
        if line.startswith("DISPLAY="):
            return line.partition("=")[2]
    raise CheckFailed("the display fixture left no display")


class Prefix:
    """A Wine prefix of its own under the build's wine folder, set up as a Chinese Windows
    (code page 936) with its fonts, and the recording stand-in as shutdown.exe."""

    def __init__(self, name, with_display=False):
        self.path = WINE_DIR / name
        self.display = display() if with_display else None
        self.logs = 0

    def env(self):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WINEPATH") and not k.startswith("LC_")}
        env.update(WINEPREFIX=str(self.path), HOME=str(HOME), WINEDEBUG="-all",
                   LC_ALL="zh_CN.UTF-8", WINEDLLOVERRIDES=DLL_OVERRIDES)
        if self.display:
            env["DISPLAY"] = self.display
        return env

    def create(self):
        """A fresh copy of the template, its Wine session started: the session's helper
        processes start here, their output away from CTest's pipes, which they would hold open."""
        self.stop()
        shutil.rmtree(self.path, ignore_errors=True)

        def link_or_copy(source, target):
            shared = any(f"/{folder}/" in source for folder in SHARED_FOLDERS)
            (os.link if shared else shutil.copy2)(source, target)

        shutil.copytree(TEMPLATE, self.path, symlinks=True, copy_function=link_or_copy)
        stand_in = self.system32() / "shutdown.exe"
        stand_in.unlink()
        shutil.copy2(STAND_IN, stand_in)
        subprocess.run(["wineserver", "-p"], env=self.env(), check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.run("cmd", "/c", "exit")
        return self

    def stop(self):
        """Ends the prefix's Wine session and every program in it, and waits for the end."""
        if self.path.is_dir():
            for option in ("-k", "-w"):
                subprocess.run(["wineserver", option], env=self.env(), stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def remove(self):
        self.stop()
        shutil.rmtree(self.path, ignore_errors=True)

    def windows_path(self, path):
        """A host path as programs in the prefix name it: C: for the prefix's own drive, Z: for
        the rest of the host."""
        path = pathlib.Path(path)
        drive_c = self.path / "drive_c"
        if path.is_relative_to(drive_c):
            return "C:\\" + str(path.relative_to(drive_c)).replace("/", "\\")
        return "Z:" + str(path).replace("/", "\\")

    def system32(self):
        return self.path / "drive_c/windows/system32"

    def user_folder(self):
        return self.path / "drive_c/users" / pwd.getpwuid(os.getuid()).pw_name

    def log_file(self):
        self.logs += 1
        return self.path / f"wine-{self.logs}.log"

    def run(self, *args, timeout=120):
        """Runs a Windows program to its end: (exit code, its output)."""
        log = self.log_file()
        with open(log, "wb") as output:
            result = subprocess.run(["wine", *map(str, args)], env=self.env(), cwd=HOME,
                                    stdin=subprocess.DEVNULL, stdout=output,
                                    stderr=subprocess.STDOUT, timeout=timeout)
        return result.returncode, log.read_text(errors="replace").replace("\r", "")

    def start(self, *args):
        """Starts a Windows program without waiting; its output goes to a log of its own."""
        with open(self.log_file(), "wb") as output:
            return subprocess.Popen(["wine", *map(str, args)], env=self.env(), cwd=HOME,
                                    stdin=subprocess.DEVNULL, stdout=output,
                                    stderr=subprocess.STDOUT, start_new_session=True)

    def probe(self, *args):
        """What the desktop probe reports ("" when it finds nothing)."""
        status, output = self.run(PROBE, *args, timeout=30)
        return output if status == 0 else ""

    def program_runs(self):
        """Whether a copy of the program holds its mark, as the installer looks for it."""
        return self.probe("running", os.environ["LANHE_RUNNING_MUTEX"]) == "running\n"

    def registry(self, key):
        """A registry key and the keys below it as {key: {name: value as .reg writes it}}, from
        reg's .reg export (reg's own listing comes in the console's code page); {} when there is
        no such key."""
        exported = self.path / "drive_c/key.reg"
        exported.unlink(missing_ok=True)
        status, _ = self.run("reg", "export", key, "C:\\key.reg", "/y")
        if status != 0 or not exported.exists():
            return {}
        keys, values = {}, None
        for line in exported.read_text(encoding="utf-16").replace("\r", "").splitlines():
            if line.startswith("[") and line.endswith("]"):
                values = keys.setdefault(line[1:-1], {})
            elif line.startswith('"') and "=" in line and values is not None:
                name, _, value = line.partition("=")
                values[name.strip('"')] = value
        return keys

    def windows_processes(self, name):
        """The host's processes of this prefix whose command line holds name."""
        found = []
        for proc in pathlib.Path("/proc").iterdir():
            try:
                environment = (proc / "environ").read_bytes().split(b"\0")
                command = (proc / "cmdline").read_bytes()
            except (OSError, ValueError):
                continue
            if f"WINEPREFIX={self.path}".encode() in environment and name.encode() in command:
                found.append(int(proc.name))
        return found


def files_of(folder):
    """Each file under folder as its relative path -> its SHA-256."""
    return {str(path.relative_to(folder)): hashlib.sha256(path.read_bytes()).hexdigest()
            for path in sorted(pathlib.Path(folder).rglob("*")) if path.is_file()}


def xdotool(*args, display_name):
    result = subprocess.run(["xdotool", *map(str, args)], env={**os.environ,
                            "DISPLAY": display_name}, capture_output=True, text=True)
    return result.stdout.split()


def windows_titled(display_name, pid, title, count=1, seconds=30):
    """The ids of the visible windows of process pid titled exactly title, once there are count
    of them."""
    def ids():
        found = xdotool("search", "--onlyvisible", "--pid", pid, "--name", f"^{title}$",
                        display_name=display_name)
        return found if len(found) == count else None

    return wait_for(ids, seconds)


def layout(function, *args):
    """What a function of tests/e2e/controls.sh, which reads the window's own layout, gives: a
    tuple of pixels."""
    script = f'source "{SOURCE}/tests/e2e/controls.sh" && {function} {" ".join(args)}'
    output = subprocess.run(["bash", "-c", script], env={**os.environ,
                            "LANHE_SOURCE_DIR": str(SOURCE)}, capture_output=True, text=True)
    check(output.returncode == 0, f"{function} {' '.join(args)}: {output.stderr}")
    return tuple(int(field) for field in output.stdout.split())


def control_middle(name):
    """A control's middle in pixels from the client area's corner."""
    return layout("control_middle", name)


def client_size():
    """The window's client size in pixels."""
    return layout("client_size")


def screenshot(display_name, window, path):
    """Saves what the window shows as a PNG and returns its pixels as rows of (r, g, b)."""
    env = {**os.environ, "DISPLAY": display_name}
    subprocess.run(["import", "-window", str(window), str(path)], env=env, check=True)
    ppm = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    fields = ppm.split(maxsplit=4)
    check(fields[0] == b"P6", "ImageMagick wrote no binary PPM")
    width, height, data = int(fields[1]), int(fields[2]), fields[4]
    return [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def make_template():
    """The template every prefix is copied from, made again when Wine, this file or the prefix
    set-up changed."""
    setup = SOURCE / "tests/windows/wine_prefix_setup.sh"
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout
    stamp = hashlib.sha256(wine.encode() + pathlib.Path(__file__).read_bytes()
                           + setup.read_bytes()).hexdigest()
    made = TEMPLATE / "lanhe-template"
    if made.exists() and made.read_text() == stamp:
        return "the Wine prefix template as it was"
    HOME.mkdir(parents=True, exist_ok=True)
    template = Prefix("template")
    template.remove()
    template.path.mkdir(parents=True)
    for command in (["wineboot", "-i"], ["bash", str(setup)]):
        subprocess.run(command, env=template.env(), check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    template.stop()
    made.write_text(stamp)
    return "a new Wine prefix template"


def run_in_prefix(name, *command):
    """Runs a Windows program to its end with the C++ runtime on its path, its output the
    caller's: a test program of the suite."""
    env = {**Prefix(name).env(), "WINEPATH": "Z:" + os.environ["LANHE_QT_RUNTIME"]}
    return subprocess.run(["wine", *command], env=env, stdin=subprocess.DEVNULL).returncode


def prefix_up(name, *options):
    Prefix(name, with_display="--display" in options).create()
    return 0


def prefix_down(name):
    Prefix(name).remove()
    return 0


def template():
    print(make_template())
    return 0


if __name__ == "__main__":
    commands = {"template": template, "up": prefix_up, "down": prefix_down, "run": run_in_prefix}
    if sys.argv[1:2] and sys.argv[1] in commands:
        sys.exit(commands[sys.argv[1]](*sys.argv[2:]))
    sys.exit(f"usage: {sys.argv[0]} template | up NAME [--display] | down NAME"
             " | run NAME PROGRAM ARGS...")
