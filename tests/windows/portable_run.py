"""The program from its unpacked zip, run in the prefix "portable" on the fixture's display the
way a user meets it: started from another folder with nothing of Qt on its path, measured,
photographed, and driven with xdotool. What it starts is the recording stand-in, which records
its command line in shutdown.calls beside itself.

"stand-in" (a fixture) sees the stand-in run as C:\\windows\\system32\\shutdown.exe before
anything can be armed; "start" and "stop" (fixtures) start and end the program, whose process
and window the other checks find in the state file."""
import json
import os
import re
import signal
import subprocess
import time

from lanhe_wine import (BUILD, PROBE, TITLE, UNPACKED, WINE_DIR, Prefix, check, client_size,
                        control_middle, main, screenshot, wait_for, windows_titled, xdotool)

STATE = WINE_DIR / "portable.state"
SCREENSHOT = BUILD / "windows-screenshot.png"


def prefix():
    return Prefix("portable", with_display=True)


def calls_file():
    return prefix().system32() / "shutdown.calls"


def recorded_calls():
    calls = calls_file()
    return calls.read_text(encoding="utf-8").replace("\r", "") if calls.exists() else ""


def stand_in():
    calls_file().unlink(missing_ok=True)
    status, output = prefix().run("C:\\windows\\system32\\shutdown.exe", "-probe")
    recorded = recorded_calls()
    expected = r'"?C:\\windows\\system32\\shutdown\.exe"? -probe\n'
    check(status == 0 and re.fullmatch(expected, recorded),
          f"exit code {status}, recorded {recorded!r}, said {output!r}")
    calls_file().unlink()
    return recorded.strip()


def start():
    program = prefix()
    process = program.start(program.windows_path(UNPACKED / "lanhe-shutdown.exe"))
    found = windows_titled(program.display, process.pid, TITLE, seconds=60)
    check(found, f"the window did not appear; exit code {process.poll()}")
    client = wait_for(lambda: program.probe("client", TITLE).split(), 10)
    check(client, "Windows knows no window titled " + TITLE)
    width, height, left, top = map(int, client)
    STATE.write_text(json.dumps({"pid": process.pid, "window": found[0], "client": [width, height],
                                 "origin": [left, top]}))
    return f"window {found[0]}, client area {width}x{height} at {left},{top}"


def state():
    return json.loads(STATE.read_text())


def stop():
    if STATE.exists():
        try:
            os.killpg(state()["pid"], signal.SIGTERM)
        except ProcessLookupError:
            pass
        STATE.unlink()
    return "stopped"


def client_size_matches_layout():
    measured, expected = tuple(state()["client"]), client_size()
    check(measured == expected, f"client area {measured}, the layout says {expected}")
    return f"{measured[0]}x{measured[1]} as GetClientRect measures it"


def whole_window_drawn():
    """The whole frame is drawn, its right end and the caption's close button included: Wine's
    desktop had been made 1024 pixels wide by a run without a display in the same session."""
    window = state()["window"]
    pixels = screenshot(prefix().display, window, SCREENSHOT)
    width, height = len(pixels[0]), len(pixels)
    left, top = state()["origin"]
    geometry = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True,
                              env={**os.environ, "DISPLAY": prefix().display}).stdout
    frame_x = int(geometry.split("Absolute upper-left X:")[1].split()[0])
    frame_y = int(geometry.split("Absolute upper-left Y:")[1].split()[0])
    border, caption = left - frame_x, top - frame_y
    client_width, _ = state()["client"]
    check(width == client_width + 2 * border, f"the frame is {width} wide around a client area of "
          f"{client_width} with borders of {border}")

    def black_share(xs, ys):
        area = [pixels[y][x] for y in ys for x in xs]
        return sum(1 for colour in area if colour == (0, 0, 0)) / len(area), area

    right_share, _ = black_share(range(width - border, width), range(caption, height))
    check(right_share < 0.5, f"the frame's right end is {right_share:.0%} black")
    button = range(width - border - (caption - border), width - border)
    button_share, area = black_share(button, range(border, caption))
    lightness = [sum(colour) / 3 for colour in area]
    check(button_share < 0.5 and min(lightness) < 100 < 160 < max(lightness),
          f"no close button at the caption's right end: {button_share:.0%} black, lightness "
          f"{min(lightness):.0f} to {max(lightness):.0f}")
    return f"{SCREENSHOT}, {width}x{height}"


def click(name):
    x, y = control_middle(name)
    left, top = state()["origin"]
    xdotool("mousemove", left + x, top + y, "click", "1", display_name=prefix().display)
    time.sleep(0.3)


def type_into(name, text):
    click(name)
    xdotool("key", "ctrl+a", "BackSpace", display_name=prefix().display)
    if text:
        xdotool("type", "--delay", "20", text, display_name=prefix().display)


def message_box_text():
    """The text of the message box open over the window and of its button, copied as a Windows
    user copies them (Ctrl+C); the box is then answered with Return."""
    program = prefix()
    ids = windows_titled(program.display, state()["pid"], TITLE, count=2, seconds=10)
    check(ids, "no message box")
    box = next(i for i in ids if i != state()["window"])
    xdotool("windowfocus", "--sync", box, display_name=program.display)
    time.sleep(0.3)
    xdotool("key", "ctrl+c", display_name=program.display)
    text = wait_for(lambda: program.probe("clipboard").replace("\r", ""), 5) or ""
    xdotool("key", "Return", display_name=program.display)
    check(windows_titled(program.display, state()["pid"], TITLE, seconds=5),
          "the box stayed open")
    return text


def no_date_message():
    type_into("Text1", "")
    click("Option1")
    click("Command1")
    text = message_box_text()
    check("!请输入正确的时间!" in text and "确定" in text, f"the box said {text!r}")
    return "!请输入正确的时间! with 确定"


def process_exit_fires_once():
    """The right panel armed with 关机 on a harmless process of the prefix: nothing starts while
    it runs; when it ends, the shutdown command line is started once."""
    program = prefix()
    hold = program.path / "drive_c/hold.pid"
    hold.unlink(missing_ok=True)
    calls_file().unlink(missing_ok=True)
    program.start(PROBE, "hold", "C:\\hold.pid")
    held = wait_for(lambda: hold.exists() and hold.read_text(), 10)
    check(held, "the process to watch did not start")
    type_into("Text10", held)
    click("Option9")
    click("Command5")
    check("设置成功!" in message_box_text(), "arming was not confirmed")
    # Two ticks of the process trigger, a second apart, while the process runs.
    time.sleep(2.2)
    check(recorded_calls() == "", f"started while the process ran: {recorded_calls()!r}")
    hold.unlink()
    check(wait_for(recorded_calls, 15), "nothing was started after the process ended")
    time.sleep(2.2)
    check(recorded_calls() == "shutdown -f -s -t 0\n", f"recorded {recorded_calls()!r}")
    check(os.path.exists(f"/proc/{state()['pid']}"), "the program is gone")
    return f"process {held}: shutdown -f -s -t 0, once"


if __name__ == "__main__":
    raise SystemExit(main({
        "stand-in": stand_in, "start": start, "stop": stop,
        "client-size": client_size_matches_layout, "screenshot": whole_window_drawn,
        "no-date-message": no_date_message, "process-exit": process_exit_fires_once}))
