#!/usr/bin/python3
"""SENDMESSAGE on POSIX: the current user's desktop through python3-dbusmock's notification
daemon on a private session bus; users logged on here through a login record file of the
test's own (a private /run in a mount namespace) naming pseudo-terminals the test reads; a
computer through smbclient to a real smbd in a private network namespace, whose `message
command` keeps what arrives.

usage: tests/linux/message_test.py   (as root; VTX32_EXE overrides the program)
"""

import os
import pwd
import select
import struct
import subprocess
import time
import tty

from fixture import (DEAD_BUS, PrivateBus, Samba, SilentBus, Tally, base_env,
                     in_private_network, lines, mock_calls, private_hosts, run_script, scratch,
                     timed)

in_private_network()
t = Tally()
folder = scratch("message")
ME = pwd.getpwuid(os.geteuid()).pw_name
USER_PROCESS = 7

subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/run"], check=True)
private_hosts(folder, {"officepc": "127.0.0.1"})


def pty():
    """A pseudo-terminal: (its reading end, its line name under /dev)."""
    master, slave = os.openpty()
    name = os.ttyname(slave)
    tty.setraw(slave)  # the bytes as written, without the terminal's own line-end mapping
    os.chmod(name, 0o620)  # messages on (mesg y)
    return master, slave, name[len("/dev/"):]


def login_records(entries: list) -> None:
    """Writes /run/utmp with one USER_PROCESS record per (user, line)."""
    with open("/run/utmp", "wb") as f:
        for n, (user, line) in enumerate(entries):
            f.write(struct.pack("<hhi32s4s32s256shhiii4i20s", USER_PROCESS, 0, 1000 + n,
                                line.encode(), str(n).encode(), user.encode(), b"", 0, 0, 0,
                                int(time.time()), 0, 0, 0, 0, 0, b""))


def received(master: int) -> str:
    data = b""
    while select.select([master], [], [], 0.2)[0]:
        data += os.read(master, 4096)
    return data.decode(errors="replace")


message_dir = folder / "inbox"
message_dir.mkdir()
message_dir.chmod(0o777)
samba = Samba(folder / "samba", extra=(
    f"message command = /bin/sh -c '/bin/cat %s >> {message_dir}/got; rm -f %s' &"))
session = PrivateBus(folder, system=False)
notifier = session.template("notification_daemon")
a_master, a_slave, a_line = pty()
b_master, b_slave, b_line = pty()
c_master, c_slave, c_line = pty()
os.chmod("/dev/" + c_line, 0o600)  # messages off (mesg n)
login_records([(ME, a_line), ("alice", b_line), ("alice", c_line), ("bob", c_line)])


def send(script: str, bus: str = None, **extra) -> list:
    env = base_env(folder)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus or session.address
    env.update(extra)
    out, _ = run_script(folder, script, env)
    return lines(out)


try:
    t.check("smbd up", samba.ready, f"see {folder}")
    out = send(f'"e " SENDMESSAGE("{ME.upper()}", "Lunch at one") ?\n')
    notes = mock_calls(notifier, "Notify")
    t.check("the current user (any case): a desktop notification",
            out == ["e 0"] and len(notes) == 1 and notes[0][3] == f"Message from {ME}"
            and notes[0][4] == "Lunch at one" and received(a_master) == "", f"{out} {notes}")

    out = send(f'"e " SENDMESSAGE("{ME}", "No desktop") ?\n', bus=DEAD_BUS)
    got = received(a_master)
    t.check("the current user without a notification server: their terminal",
            out == ["e 0"] and f"Message from {ME}@" in got and "No desktop\r\nEOF\r\n" in got,
            f"{out} {got!r}")

    out = send('"e " SENDMESSAGE("Alice", "Hi" + CHR(27) + "[2J there" + CHR(155) + "1m") ?\n')
    got_b, got_c = received(b_master), received(c_master)
    t.check("a user logged on here: each terminal that takes messages, controls made visible",
            out == ["e 0"] and "Hi^[[2J thereM-^[1m\r\nEOF\r\n" in got_b
            and "\x1b" not in got_b and got_c == "", f"{out} {got_b!r} {got_c!r}")
    out = send('"e " SENDMESSAGE("Alice", "A" + CHR(194) + CHR(155) + "1m") ?\n',
               LC_ALL="C.UTF-8")
    got_b = received(b_master)
    t.check("in a UTF-8 locale the C1 controls' UTF-8 form is shown the same way",
            out == ["e 0"] and "AM-^[1m\r\nEOF\r\n" in got_b, f"{out} {got_b!r}")

    stalled = PrivateBus(folder, system=False)
    stalled.silent("org.freedesktop.Notifications")
    for what, bus in (("session bus", SilentBus(folder).address),
                      ("notification server", stalled.address)):
        out, took = timed(send, f'"e " SENDMESSAGE("{ME}", "Still there") ?\n', bus=bus)
        got = received(a_master)
        t.check(f"a {what} that never answers: the terminal, after the bus's 10 s",
                out == ["e 0"] and "Still there\r\nEOF\r\n" in got and took < 14,
                f"{out} {got!r} after {took:.1f} s")
    stalled.stop()

    out = send('"e " SENDMESSAGE("bob", "anyone?") ?\n')
    t.check("a user whose only terminal refuses messages: 5", out == ["e 5"], f"{out}")

    out = send('"e " SENDMESSAGE("OfficePC", "Backup at six") ?\n')
    for _ in range(50):
        if (message_dir / "got").exists():
            break
        time.sleep(0.1)
    got = (message_dir / "got").read_text(errors="replace") if (message_dir / "got").exists() else ""
    t.check("a computer: its messenger service receives the text (smbclient -M)",
            out == ["e 0"] and "Backup at six" in got, f"{out} {got!r}")

    start = time.monotonic()
    out = send('"e " SENDMESSAGE("nowhere", "x") ?\n')
    t.check("a recipient found nowhere: 2273", out == ["e 2273"],
            f"{out} after {time.monotonic() - start:.1f} s")
finally:
    session.stop()
    samba.stop()

t.finish()
