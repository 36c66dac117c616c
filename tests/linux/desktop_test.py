#!/usr/bin/python3
"""MESSAGEBOX and script errors without a terminal (a desktop's autostart): python3-dbusmock's
notification daemon on a private session bus stands in for the desktop, with and without the
actions capability; the program runs as an unprivileged user with no terminal, and the test
answers each box as a person would, by the signals the server emits.

usage: tests/linux/desktop_test.py   (as root; VTX32_EXE overrides the program)
"""

import os
import subprocess
import time

import dbus
import dbusmock

from fixture import (EXE, PrivateBus, Tally, base_env, clear_calls, in_private_network, lines,
                     mock_calls, scratch)

in_private_network()
IFACE = "org.freedesktop.Notifications"
NOBODY = 65534
t = Tally()
folder = scratch("desktop")
home = folder / "home"
home.mkdir()
os.chown(home, NOBODY, NOBODY)
session = PrivateBus(folder, system=False)
notifier = session.template("notification_daemon",
                            {"capabilities": "body body-markup actions"})


def start(script: str, bus: str = None, extra: dict = None) -> subprocess.Popen:
    """The program on `script` as nobody, no terminal anywhere, on the private session bus."""
    (home / "case.scr").write_text(script)
    env = base_env(home)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus or session.address
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    env.update(extra or {})
    return subprocess.Popen(["/usr/bin/setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}",
                             "--clear-groups", "--", str(EXE), "case.scr"], cwd=home, env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, errors="replace")


def finish(proc: subprocess.Popen, timeout: float = 15) -> tuple[list, int]:
    try:
        out, _ = proc.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        out, _ = proc.communicate()
        return lines(out) + ["<hung>"], -1
    return lines(out), proc.returncode


def run(script: str, bus: str = None, timeout: float = 15) -> tuple[list, int]:
    return finish(start(script, bus), timeout)


def wait_notes(count: int, seconds: float = 10) -> list:
    """The Notify calls once there are `count` of them (fewer when time ran out)."""
    end = time.monotonic() + seconds
    while True:
        notes = mock_calls(notifier, "Notify")
        if len(notes) >= count or time.monotonic() > end:
            return notes
        time.sleep(0.05)


def other_bus(name: str) -> PrivateBus:
    (folder / name).mkdir()
    return PrivateBus(folder / name, system=False)


def emit(member: str, types: str, args: list) -> None:
    notifier.EmitSignal(IFACE, member, types, args, dbus_interface=dbusmock.MOCK_IFACE)


def dialog_cases() -> None:
    """The dialog program on a private X server, where the notification server shows no
    actions; a key typed into it (xdotool) answers."""
    import shutil
    if not shutil.which("zenity") or not shutil.which("Xvfb") or not shutil.which("xdotool"):
        t.check("the dialog program's cases", False, "zenity, Xvfb or xdotool not installed")
        return
    plain = other_bus("dialog")
    plain.template("notification_daemon")
    # The server says its display number once it takes connections.
    with open(folder / "xvfb.log", "wb") as log:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-ac", "-nolisten", "tcp"],
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log)
    display = ":" + xvfb.stdout.readline().decode().strip()

    def with_display(script: str, path: str = None, press: list = ()) -> tuple[list, int]:
        env_extra = {"DISPLAY": display, **({"PATH": path} if path else {})}
        proc = start(script, plain.address, env_extra)
        for keys in press:
            # Typed into the dialog shown now; the next keys wait until it has gone.
            xdotool("search", "--sync", "--onlyvisible", "--class", "zenity", "windowfocus",
                    "--sync", "key", "--delay", "50", *keys)
            end = time.monotonic() + 10
            while xdotool("search", "--onlyvisible", "--class", "zenity") and \
                    time.monotonic() < end:
                time.sleep(0.05)
        return finish(proc, 30)

    def xdotool(*args: str) -> str:
        return subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display),
                              timeout=20, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              text=True).stdout.strip()

    try:
        out, _ = with_display('"r=" MESSAGEBOX("Proceed?", "Logon", 4) ?\n', press=[["Return"]])
        t.check("no actions: the dialog program shows the box, Enter takes its default",
                out == ["r=6"], f"{out}")
        began = time.monotonic()
        out, _ = with_display('"r=" MESSAGEBOX("x", "Logon", 1, 1) ?\n')
        took = time.monotonic() - began
        t.check("the dialog program's time-out: -1", out == ["r=-1"] and took < 8,
                f"{out} after {took:.1f} s")
        out, _ = with_display('"r=" MESSAGEBOX("x", "Logon", 1, 5) ?\n', path="/nonexistent")
        t.check("no dialog program either: 0", out == ["r=0"], f"{out}")
        out, _ = with_display('GETS $s "[" $s "]" ?\nGET $k "<" $k ">" ?\nGET $e\n'
                              'IF $e = CHR(13) "enter" ENDIF\n',
                              press=[["h", "i", "space", "x", "Return"], ["q", "Return"],
                                     ["Return"]])
        t.check("input /dev/null: GETS and GET ask through the dialog program, Enter alone 13",
                out == ["[hi x]", "<q>", "enter"], f"{out}")
    finally:
        xvfb.terminate()
        xvfb.wait()
        plain.stop()


# The seven button sets: (style, actions offered, the key the test answers with, answer).
# Each box's second button is its default (256), so "default" must name that one.
SETS = [
    (0, ["1", "OK"], "default", 1),
    (1 + 256, ["1", "OK", "2", "Cancel"], "1", 1),
    (2 + 256, ["3", "Abort", "4", "Retry", "5", "Ignore"], "default", 4),
    (3 + 256, ["6", "Yes", "7", "No", "2", "Cancel"], "2", 2),
    (4 + 256, ["6", "Yes", "7", "No"], "6", 6),
    (5 + 256, ["4", "Retry", "2", "Cancel"], "default", 2),
    (6 + 256, ["2", "Cancel", "10", "Try Again", "11", "Continue"], "11", 11),
]

try:
    clear_calls(notifier)
    script = "".join(f'"r{n}=" MESSAGEBOX("Text {n}", "Title {n}", {style}) ?\n'
                     for n, (style, _, _, _) in enumerate(SETS))
    proc = start(script)
    shown = []
    for n, (style, buttons, key, _) in enumerate(SETS):
        notes = wait_notes(n + 1)
        if len(notes) <= n:
            break
        note = notes[n]
        default_label = buttons[3] if style & 256 else buttons[1]
        shown.append(note[3] == f"Title {n}" and note[4] == f"Text {n}"
                     and list(note[5]) == buttons + ["default", default_label]
                     and note[6].get("urgency") == 2 and note[7] == 0)
        emit("ActionInvoked", "us", [dbus.UInt32(n + 1), key])
    out, code = finish(proc)
    want = [f"r{n}={answer}" for n, (_, _, _, answer) in enumerate(SETS)]
    t.check("each button set: title, text, buttons and default; the chosen action comes back",
            len(shown) == len(SETS) and all(shown) and out == want,
            f"{shown} {out} {mock_calls(notifier, 'Notify')[-1:]}")
    closed = [int(c[0]) for c in mock_calls(notifier, "CloseNotification")]
    t.check("an answered box is closed", closed == list(range(1, len(SETS) + 1)), f"{closed}")

    clear_calls(notifier)
    proc = start('"a=" MESSAGEBOX("x", "t", 1) ?\n"b=" MESSAGEBOX("x", "t", 0) ?\n'
                 '"c=" MESSAGEBOX("x", "t", 4) ?\n')
    for n in range(3):
        notes = wait_notes(n + 1)
        if len(notes) > n:
            emit("NotificationClosed", "uu", [dbus.UInt32(8 + n), dbus.UInt32(2)])  # ids go on
    out, code = finish(proc)
    t.check("dismissed: Cancel, OK for an OK box, 0 where Esc chooses nothing",
            out == ["a=2", "b=1", "c=0"], f"{out}")

    clear_calls(notifier)
    began = time.monotonic()
    out, code = run('"r=" MESSAGEBOX("Going", "Soon", 1, 1) ?\n')
    took = time.monotonic() - began
    notes = mock_calls(notifier, "Notify")
    closed = [int(c[0]) for c in mock_calls(notifier, "CloseNotification")]
    t.check("the time-out: -1 and the notification closed",
            out == ["r=-1"] and len(notes) == 1 and closed == [11] and took < 5,
            f"{out} {closed} after {took:.1f} s")

    clear_calls(notifier)
    text = ('"a<b>bold</b> & " + CHR(34) + "q" + CHR(34) + CHR(13) + CHR(10) + "line two"'
            ' + CHR(7) + CHR(27) + "[2J end"')
    proc = start(f'$t = {text}\n"r=" MESSAGEBOX($t, "T<i>", 0) ?\n'
                 '$l = "" $i = 0 WHILE $i < 4000 $l = $l + "word " $i = $i + 1 LOOP\n'
                 '"s=" MESSAGEBOX($l, "long", 0) ?\n')
    wait_notes(1)
    emit("ActionInvoked", "us", [dbus.UInt32(12), "1"])
    notes = wait_notes(2)
    emit("ActionInvoked", "us", [dbus.UInt32(13), "1"])
    out, code = finish(proc)
    body = notes[0][4] if notes else ""
    t.check("markup and control characters show as written",
            body == 'a&lt;b&gt;bold&lt;/b&gt; &amp; "q"\nline two\u2407\u241b[2J end'
            and notes[0][3] == "T<i>" and out == ["r=1", "s=1"], f"{body!r} {out}")
    t.check("a very long text arrives whole",
            len(notes) == 2 and notes[1][4] == "word " * 4000, f"{out} {len(notes)}")

    clear_calls(notifier)
    out, code = run('"r=" MESSAGEBOX("x", "t", 0, 5) ?\n', bus="unix:path=/nonexistent/bus")
    t.check("no service: 0 at once", out == ["r=0"], f"{out}")

    plain = other_bus("plain")
    plain_notifier = plain.template("notification_daemon")  # shows no actions
    out, code = run('"r=" MESSAGEBOX("x", "t", 1, 5) ?\n', bus=plain.address)
    t.check("a server without actions and no dialog program: 0, nothing shown",
            out == ["r=0"] and not mock_calls(plain_notifier, "Notify"), f"{out}")
    plain.stop()

    mute = other_bus("mute")
    hang = mute.server(IFACE, "/org/freedesktop/Notifications", IFACE)
    hang.AddMethod(IFACE, "GetCapabilities", "", "as", "import time; time.sleep(30); ret = []",
                   dbus_interface=dbusmock.MOCK_IFACE)
    began = time.monotonic()
    out, code = run('"r=" MESSAGEBOX("x", "t", 1, 2) ?\n', bus=mute.address)
    took = time.monotonic() - began
    t.check("a server that never answers: the time-out still ends the box",
            out == ["r=-1"] and took < 6, f"{out} after {took:.1f} s")
    mute.stop()

    gone = other_bus("gone")
    gone_notifier = gone.template("notification_daemon", {"capabilities": "actions"})
    proc = start('"r=" MESSAGEBOX("x", "t", 1) ?\n', bus=gone.address)
    end = time.monotonic() + 10
    while not mock_calls(gone_notifier, "Notify") and time.monotonic() < end:
        time.sleep(0.05)
    for server in gone.servers:
        server.terminate()
        server.wait()
    gone.servers = []
    out, code = finish(proc)
    t.check("the server going away with a box up: the Esc answer", out == ["r=2"], f"{out}")
    gone.stop()

    clear_calls(notifier)
    out, code = run('"before" ?\n$x = 1\nGOTO nowhere\n')
    notes = mock_calls(notifier, "Notify")
    t.check("a script error: one notification with FILE:LINE and the message",
            code == 1 and len(notes) == 1 and notes[0][3] == "Script error"
            and notes[0][4] == "case.scr:3: LABEL not found", f"{code} {notes}")

    clear_calls(notifier)
    out, code = run('USE X: "\\\\nowhere\\share"\n"e=" @ERROR ?\nEXIT 3\n')
    notes = mock_calls(notifier, "Notify")
    t.check("a failing USE and a non-zero exit code: no notification",
            code == 3 and out and out[0] != "e=0" and not notes, f"{code} {out} {notes}")

    dialog_cases()
finally:
    session.stop()

t.finish()
