"""The installer and the uninstaller under Wine, each check in a prefix of its own named after
it: a plain installation and removal, both of them while the program runs (answered by the test
through the question they ask, and silently), a file another program holds open, an upgrade."""
import math
import os
import signal
import subprocess

from lanhe_wine import (BUILD, PROBE, SETUP, TITLE, UNPACKED, VERSION, Prefix, check, files_of,
                        main, screenshot, wait_for, xdotool)

OLDER_SETUP = BUILD / "tests/windows/lanhe-shutdown-0.9.0-win64-setup.exe"
UNINSTALL = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
ENTRY = UNINSTALL + "\\lanhe-shutdown"
QUESTION_SCREENSHOT = BUILD / "installer-question.png"
FINISH_SCREENSHOT = BUILD / "installer-finish.png"
# The captions of the installer's and the uninstaller's windows and boxes.
INSTALLER = f"{TITLE} 安装"
UNINSTALLER = f"{TITLE} 卸载"
NOTHING = ({}, False, {})


def uninstaller_ended(prefix):
    """Whether no copy of the uninstaller runs: it runs from a folder ~nsu*.tmp in the
    temporary folder."""
    return not prefix.windows_processes("\\~nsu")


class Installation:
    """The program installed for the user of a prefix of its own. As a context, it ends the
    prefix's programs on the way out, and removes the prefix unless a check failed."""

    def __init__(self, name, with_display=False):
        self.prefix = Prefix(name, with_display).create()
        user = self.prefix.user_folder()
        self.folder = user / "AppData/Local/Programs/lanhe-shutdown"
        self.shortcut = user / f"AppData/Roaming/Microsoft/Windows/Start Menu/Programs/{TITLE}.lnk"
        self.program = None

    def __enter__(self):
        return self

    def __exit__(self, failure, *_):
        self.prefix.stop()
        if failure is None:
            self.prefix.remove()

    def install(self, setup=SETUP, *options):
        status, _ = self.prefix.run(self.prefix.windows_path(setup), *options)
        return status

    def start_installer(self):
        return self.prefix.start(self.prefix.windows_path(SETUP))

    def uninstaller(self):
        return self.prefix.windows_path(self.folder / "uninstall.exe")

    def uninstall_and_wait(self):
        """Runs uninstall.exe /S the way Apps does. It starts a copy of itself from a folder
        ~nsu*.tmp in the temporary folder and ends at once: the copy is waited for until it
        shows (a short one may have ended unseen), then until it has gone."""
        self.prefix.run(self.uninstaller(), "/S")
        wait_for(lambda: not uninstaller_ended(self.prefix), 5)
        check(wait_for(lambda: uninstaller_ended(self.prefix), 60), "the uninstaller did not end")

    def uninstall_in_place(self):
        """The uninstaller run in place, so that its exit code is its own."""
        folder = self.prefix.windows_path(self.folder)
        status, _ = self.prefix.run(self.uninstaller(), "/S", f"_?={folder}")
        return status

    def entries(self):
        return {key: values for key, values in self.prefix.registry(UNINSTALL).items()
                if "DisplayName" in values}

    def snapshot(self):
        """Everything the installer and the uninstaller touch: files, shortcut, Apps entry."""
        return (files_of(self.folder) if self.folder.exists() else {}, self.shortcut.exists(),
                self.prefix.registry(ENTRY))

    def start_program(self):
        """Starts the installed program and waits for its mark, and on a display for its window:
        a window shown later would cover what the installer shows."""
        program = self.prefix.windows_path(self.folder / "lanhe-shutdown.exe")
        self.program = self.prefix.start(program)
        check(wait_for(self.prefix.program_runs, 60), "the installed program did not start")
        if self.prefix.display:
            check(wait_for(lambda: self.prefix.probe("client", TITLE), 30),
                  "the installed program shows no window")

    def stop_program(self):
        os.killpg(self.program.pid, signal.SIGTERM)
        check(wait_for(lambda: not self.prefix.program_runs(), 30), "the program did not end")


def installed(installation):
    """The installation holds the package's files, the uninstaller, the shortcut and its Apps
    entry, whose EstimatedSize is the files' size in KiB, each file rounded up as NSIS does."""
    files = files_of(installation.folder)
    package = files_of(UNPACKED)
    check(files.pop("uninstall.exe", None) and files == package,
          f"installed {sorted(files)}, packaged {sorted(package)}")
    check(installation.shortcut.exists(), "no Start-menu shortcut")
    entry = installation.prefix.registry(ENTRY).get(ENTRY)
    check(entry, "no Apps entry")
    folder = installation.prefix.windows_path(installation.folder).replace("\\", "\\\\")
    size = sum(math.ceil(path.stat().st_size / 1024) for path in UNPACKED.rglob("*")
               if path.is_file())
    expected = {"DisplayName": f'"{TITLE}"', "DisplayVersion": f'"{VERSION}"',
                "Publisher": f'"The {TITLE} developers"',
                "DisplayIcon": f'"{folder}\\\\lanhe-shutdown.exe,0"',
                "UninstallString": f'"\\"{folder}\\\\uninstall.exe\\""',
                "EstimatedSize": f"dword:{size:08x}"}
    wrong = {name: entry.get(name) for name, value in expected.items() if entry.get(name) != value}
    check(not wrong, f"the Apps entry has {wrong}, not {expected}")
    return f"{len(files)} files, uninstall.exe, shortcut, entry of {size} KiB"


def installs():
    with Installation("installs", with_display=True) as installation:
        check(installation.install(SETUP, "/S") == 0, "the installer failed")
        seen = installed(installation)
        installation.start_program()
    return seen + "; the installed program shows its window"


def removes():
    with Installation("removes") as installation:
        check(installation.install(SETUP, "/S") == 0, "the installer failed")
        installation.uninstall_and_wait()
        check(installation.snapshot() == NOTHING, f"left behind: {installation.snapshot()}")
        check(not installation.entries(), "an Apps entry is left")
    return "no file, shortcut or Apps entry left"


def installed_and_running(installation):
    """Installs the program and starts it; what the installation is then."""
    check(installation.install(SETUP, "/S") == 0, "the installer failed")
    installation.start_program()
    return installation.snapshot()


def unchanged(installation, before, what):
    check(installation.snapshot() == before, f"{what} changed the installation")
    check(installation.prefix.program_runs(), f"{what} ended the program")


def silently_installed_while_running():
    with Installation("install-running-silent") as installation:
        before = installed_and_running(installation)
        status = installation.install(SETUP, "/S")
        check(status == 2, f"the installer ended with {status}")
        unchanged(installation, before, "the silent installer")
    return "exit code 2; files, shortcut and entry unchanged; the program runs on"


def silently_uninstalled_while_running():
    with Installation("uninstall-running-silent") as installation:
        before = installed_and_running(installation)
        installation.uninstall_and_wait()
        unchanged(installation, before, "uninstall.exe /S")
        status = installation.uninstall_in_place()
        check(status == 2, f"the uninstaller ended with {status}")
        unchanged(installation, before, "the uninstaller run in place")
    return "exit code 2; files, shortcut and entry unchanged; the program runs on"


def window_of(prefix, caption, page=False):
    """The texts of the box captioned caption, or of the page window when page is true, once
    it is shown, and its X window. The page window's caption ends with a blank; the probe
    reads the texts of both."""
    texts = wait_for(lambda: prefix.probe("texts", caption), 60)
    check(texts, f"no window {caption}")
    title = f"^{caption}{' ' if page else ''}$"
    window = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", title,
                                      display_name=prefix.display), 10)
    check(window, f"the window {caption} is not on the display")
    return texts, window[0]


def shows(prefix, caption, text):
    """Whether a window captioned caption shows text."""
    return text in prefix.probe("texts", caption)


def gone(prefix, window):
    return lambda: window not in xdotool("search", "--onlyvisible", "--name", ".",
                                         display_name=prefix.display)


def click(prefix, caption, label, until):
    """Clicks the button labelled label in the window or box captioned caption, as a user does,
    until what it does has happened: a click while Wine is still making the window ready is
    lost. The mouse, not the keyboard: Wine may keep the focus with the program's window."""
    for _ in range(3):
        middle = wait_for(lambda: prefix.probe("button", caption, label).split(), 30)
        check(middle, f"no button {label} in {caption}")
        xdotool("mousemove", *middle, "click", "1", display_name=prefix.display)
        if wait_for(until, 15):
            return
    shot = BUILD / "installer-failure.png"
    subprocess.run(["import", "-window", "root", str(shot)], env={**os.environ,
                   "DISPLAY": prefix.display})
    check(False, f"{label} in {caption} did nothing; the screen is in {shot}")


def page_with(prefix, caption, text):
    """The installer's or uninstaller's window once it shows the page with text."""
    check(wait_for(lambda: shows(prefix, caption, text), 60), f"no page with {text}")
    return window_of(prefix, caption, page=True)[1]


def asks_to_close(installation, before, caption, ended):
    """Just started while the program runs, the installer or uninstaller asks to close it;
    Retry while it still runs asks again; Cancel ends it with the installation as it was before.
    What the installer's question looks like is kept in QUESTION_SCREENSHOT."""
    prefix = installation.prefix
    texts, window = window_of(prefix, caption)
    for expected in ("正在运行", "请先关闭它", "重试", "取消"):
        check(expected in texts, f"the question says {texts!r}")
    if caption == INSTALLER:
        screenshot(prefix.display, window, QUESTION_SCREENSHOT)
    click(prefix, caption, "重试(&R)", gone(prefix, window))
    texts_again, window = window_of(prefix, caption)
    check(texts_again == texts, f"after Retry: {texts_again!r}")
    click(prefix, caption, "取消", ended)
    unchanged(installation, before, f"{caption}, cancelled,")


def installed_while_running():
    with Installation("install-running", with_display=True) as installation:
        before = installed_and_running(installation)
        prefix = installation.prefix
        process = installation.start_installer()

        def ended():
            return process.poll() is not None

        asks_to_close(installation, before, INSTALLER, ended)
        check(process.returncode == 2, f"the cancelled installer ended with {process.returncode}")
        # Asked again, the user closes the program and retries: the installation goes ahead.
        process = installation.start_installer()
        _, question = window_of(prefix, INSTALLER)
        installation.stop_program()
        click(prefix, INSTALLER, "重试(&R)", gone(prefix, question))
        click(prefix, INSTALLER, "安装(&I)", lambda: shows(prefix, INSTALLER, "完成(&F)"))
        screenshot(prefix.display, page_with(prefix, INSTALLER, "完成(&F)"), FINISH_SCREENSHOT)
        click(prefix, INSTALLER, "完成(&F)", ended)
        check(process.returncode == 0, f"the installer ended with {process.returncode}")
        installed(installation)
        check(wait_for(prefix.program_runs, 60), "the finish page did not start the program")
    return (f"asked ({QUESTION_SCREENSHOT}), Retry asked again, Cancel: exit code 2, all as it "
            f"was; closed and retried: installed ({FINISH_SCREENSHOT})")


def uninstalled_while_running():
    with Installation("uninstall-running", with_display=True) as installation:
        before = installed_and_running(installation)
        prefix = installation.prefix
        prefix.start(installation.uninstaller())
        asks_to_close(installation, before, UNINSTALLER,
                      lambda: uninstaller_ended(prefix))
    return "asked, Retry asked again, Cancel left all as it was"


def file_in_use():
    """A file held open by another program cannot be removed: the uninstaller says which, keeps
    itself and its entry, ends with exit code 2, and removes the rest once the file is free."""
    with Installation("file-in-use", with_display=True) as installation:
        check(installation.install(SETUP, "/S") == 0, "the installer failed")
        prefix = installation.prefix
        flag = prefix.path / "drive_c/hold.pid"
        held = prefix.windows_path(installation.folder / "translations/qtbase_zh_CN.qm")
        prefix.start(PROBE, "hold", "C:\\hold.pid", held)
        check(wait_for(flag.exists, 10), "the file was not taken")
        prefix.start(installation.uninstaller())
        click(prefix, UNINSTALLER, "卸载(&U)", lambda: shows(prefix, UNINSTALLER, "无法删除"))
        said, _ = window_of(prefix, UNINSTALLER)
        check(held in said, f"the uninstaller said {said!r}")
        # The page then tells a failure, never success; its one button left ends it.
        click(prefix, UNINSTALLER, "确定", lambda: shows(prefix, UNINSTALLER, "卸载程序未能完成卸载"))
        click(prefix, UNINSTALLER, "取消(&C)", lambda: uninstaller_ended(prefix))
        files, shortcut, entry = installation.snapshot()
        check("uninstall.exe" in files and "translations/qtbase_zh_CN.qm" in files and shortcut
              and entry, f"after the failed removal: {sorted(files)}, shortcut {shortcut}, {entry}")
        status = installation.uninstall_in_place()
        check(status == 2, f"the uninstaller ended with {status}")
        flag.unlink()
        check(wait_for(lambda: not prefix.windows_processes("lanhe_desktop_probe"), 10),
              "the file was not let go")
        installation.uninstall_and_wait()
        check(installation.snapshot() == NOTHING, f"left: {installation.snapshot()}")
    return ("said which file it could not remove, kept uninstall.exe, the shortcut and the "
            "entry; exit code 2; removed all once the file was free")


def upgrade():
    """An older version is replaced: one Apps entry, only this version's files."""
    with Installation("upgrade") as installation:
        check(installation.install(OLDER_SETUP, "/S") == 0, "the older installer failed")
        older = files_of(installation.folder)
        check("imageformats/qico.dll" in older, f"the older version installed {sorted(older)}")
        check(installation.install(SETUP, "/S") == 0, "the installer failed")
        seen = installed(installation)
        entries = installation.entries()
        check(list(entries) == [ENTRY], f"the Apps entries are {list(entries)}")
        check(not (installation.folder / "imageformats").exists(), "the older folder is left")
    return f"0.9.0 to {VERSION}: one entry; {seen}"


if __name__ == "__main__":
    raise SystemExit(main({
        "installs": installs, "removes": removes,
        "install-while-running": installed_while_running,
        "install-while-running-silent": silently_installed_while_running,
        "uninstall-while-running": uninstalled_while_running,
        "uninstall-while-running-silent": silently_uninstalled_while_running,
        "file-in-use": file_in_use, "upgrade": upgrade}))
