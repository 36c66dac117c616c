#!/usr/bin/python3
"""LOGOFF and SHUTDOWN on POSIX: python3-dbusmock's logind on a private system bus, a bare
dbusmock session manager on a private session bus, and for another computer a real smbd in a
private network namespace whose `shutdown script` records the request (and, as a real one
would, fails for a user without the right to shut down).

usage: tests/linux/session_test.py   (as root; VTX32_EXE overrides the program)
"""

import os
import socket
import time

import dbus

from fixture import (DEAD_BUS, PrivateBus, Samba, SilentBus, Tally, base_env, clear_calls,
                     in_private_network, lines, mock_calls, private_hosts, private_users,
                     run_script, scratch, timed)

in_private_network()
t = Tally()
folder = scratch("session")
LOGIND = "org.freedesktop.login1.Manager"
SESSION = "/org/freedesktop/login1/session/c7"
REFUSE = ("raise dbus.exceptions.DBusException('no', "
          "name='org.freedesktop.PolicyKit1.Error.NotAuthorized')")

system = PrivateBus(folder, system=True)
logind = system.template("logind")
logind.AddSession("c7", "seat0", dbus.UInt32(os.getuid()), "root", True,
                  dbus_interface="org.freedesktop.DBus.Mock")
logind.AddMethods(LOGIND, [
    ("GetSessionByPID", "u", "o", f'ret = "{SESSION}"'),
    ("SetWallMessage", "sb", "", ""),
    ("ScheduleShutdown", "st", "", ""),
], dbus_interface="org.freedesktop.DBus.Mock")
session_obj = system.server_object("org.freedesktop.login1", SESSION)
desktop = PrivateBus(folder, system=False)
manager = desktop.server("org.gnome.SessionManager", "/org/gnome/SessionManager",
                         "org.gnome.SessionManager")
manager.AddMethod("org.gnome.SessionManager", "Logout", "u", "", "",
                  dbus_interface="org.freedesktop.DBus.Mock")


def run(script: str, **env) -> list:
    e = base_env(folder)
    e["DBUS_SYSTEM_BUS_ADDRESS"] = system.address
    e["DBUS_SESSION_BUS_ADDRESS"] = desktop.address
    e.update(env)
    out, _ = run_script(folder, script, e)
    return lines(out)


def reset():
    for obj in (logind, session_obj, manager):
        clear_calls(obj)


out = run('"e " LOGOFF(0) ?\n')
t.check("LOGOFF(0): the session manager, without a confirmation dialog",
        out == ["e 0"] and mock_calls(manager, "Logout") == [[1]]
        and mock_calls(session_obj, "Terminate") == [], f"{out} {mock_calls(manager, 'Logout')}")
reset()
out = run('"e " LOGOFF(1) ?\n')
t.check("LOGOFF(1): logind ends this session at once",
        out == ["e 0"] and mock_calls(manager, "Logout") == []
        and mock_calls(session_obj, "Terminate") == [[]], f"{out}")
reset()
out = run('"e " LOGOFF(0) ?\n', DBUS_SESSION_BUS_ADDRESS=DEAD_BUS)
t.check("LOGOFF(0) with no session manager: logind",
        out == ["e 0"] and mock_calls(session_obj, "Terminate") == [[]], f"{out}")
reset()
manager.AddMethod("org.gnome.SessionManager", "Logout", "u", "", REFUSE,
                  dbus_interface="org.freedesktop.DBus.Mock")
out = run('"e " LOGOFF(0) ?\n')
t.check("the session manager refuses: 5", out == ["e 5"], f"{out}")
logind.AddMethod(LOGIND, "GetSessionByPID", "u", "o",
                 "raise dbus.exceptions.DBusException('none', "
                 "name='org.freedesktop.login1.NoSessionForPID')",
                 dbus_interface="org.freedesktop.DBus.Mock")
reset()
out = run('"none " LOGOFF(1) ?\n')
out += run('"by id " LOGOFF(1) ?\n', XDG_SESSION_ID="c7")
t.check("not in a session: 1312; XDG_SESSION_ID names it",
        out == ["none 1312", "by id 0"] and mock_calls(session_obj, "Terminate") == [[]],
        f"{out}")
out = run('"e " LOGOFF(1) ?\n', DBUS_SYSTEM_BUS_ADDRESS=DEAD_BUS)
t.check("no logind: 1062", out == ["e 1062"], f"{out}")

reset()
before = time.time()
out = run('"e " SHUTDOWN("", "Bye") ?\n')
wall, sched = mock_calls(logind, "SetWallMessage"), mock_calls(logind, "ScheduleShutdown")
t.check('SHUTDOWN("", "Bye"): the wall message, then power-off scheduled in 30 s',
        out == ["e 0"] and wall == [["Bye", True]] and len(sched) == 1
        and sched[0][0] == "poweroff" and abs(sched[0][1] / 1e6 - before - 30) < 3,
        f"{out} {wall} {sched}")
reset()
host = socket.gethostname().split(".")[0].upper()
out = run(f'"now " SHUTDOWN("", "", 0) ?\n"reboot " SHUTDOWN("\\\\{host}", "Going", 0, 1, 1) ?\n'
          f'"later " SHUTDOWN("{host}", "Soon", 600, 0, 1) ?\n')
t.check("no time: PowerOff/Reboot at once; this computer's own name is this computer",
        out == ["now 0", "reboot 0", "later 0"]
        and mock_calls(logind, "PowerOff") == [[False]]
        and mock_calls(logind, "Reboot") == [[False]]
        and [c[0] for c in mock_calls(logind, "ScheduleShutdown")] == ["reboot"]
        and mock_calls(logind, "SetWallMessage") == [["", False], ["Going", True],
                                                     ["Soon", True]], f"{out}")
logind.AddMethod(LOGIND, "ScheduleShutdown", "st", "", REFUSE,
                 dbus_interface="org.freedesktop.DBus.Mock")
out = run('"e " SHUTDOWN("", "Bye") ?\n')
out += run('"e " SHUTDOWN("", "Bye") ?\n', DBUS_SYSTEM_BUS_ADDRESS=DEAD_BUS)
t.check("polkit refuses: 5; no logind: 1062", out == ["e 5", "e 1062"], f"{out}")

reset()
logind.AddMethod(LOGIND, "ScheduleShutdown", "st", "", "", dbus_interface="org.freedesktop.DBus.Mock")
out = run('"e " SHUTDOWN("", "Bye" + CHR(27) + "[2J" + CHR(155) + "1m", 60) ?\n')
out += run('"e " SHUTDOWN("", "Bye" + CHR(194) + CHR(155) + "1m", 60) ?\n', LC_ALL="C.UTF-8")
t.check("the wall message shows controls, C1 ones in the locale's form, as cat -v does",
        out == ["e 0", "e 0"] and mock_calls(logind, "SetWallMessage")
        == [["Bye^[[2JM-^[1m", True], ["ByeM-^[1m", True]], f"{out}")

# A bus that takes the connection and never answers, and services that take their names and
# never answer: each bus gives up after its 10 s, and the statement says nobody answered.
silent = SilentBus(folder)
stalled_system = PrivateBus(folder, system=True)
stalled_system.silent("org.freedesktop.login1")
stalled_session = PrivateBus(folder, system=False)
stalled_session.silent("org.gnome.SessionManager", "org.xfce.SessionManager")
out, took = timed(run, '"e " SHUTDOWN("", "Bye") ?\n', DBUS_SYSTEM_BUS_ADDRESS=silent.address)
t.check("SHUTDOWN, a system bus that never answers: 1062 after 10 s",
        out == ["e 1062"] and took < 14, f"{out} after {took:.1f} s")
out, took = timed(run, '"e " SHUTDOWN("", "Bye") ?\n',
                  DBUS_SYSTEM_BUS_ADDRESS=stalled_system.address)
t.check("SHUTDOWN, a logind that never answers: 1062 after 10 s in all",
        out == ["e 1062"] and took < 14, f"{out} after {took:.1f} s")
out, took = timed(run, '"e " LOGOFF(1) ?\n', DBUS_SYSTEM_BUS_ADDRESS=stalled_system.address,
                  XDG_SESSION_ID="c7")
t.check("LOGOFF(1), a logind that never answers: 1062 after 10 s in all",
        out == ["e 1062"] and took < 14, f"{out} after {took:.1f} s")
out, took = timed(run, '"e " LOGOFF(0) ?\n', DBUS_SESSION_BUS_ADDRESS=stalled_session.address,
                  DBUS_SYSTEM_BUS_ADDRESS=silent.address)
t.check("LOGOFF(0), a session manager and a system bus that never answer: 1062 after 10 s each",
        out == ["e 1062"] and took < 24, f"{out} after {took:.1f} s")
stalled_session.stop()
stalled_system.stop()

# Another computer: net rpc shutdown against smbd.
private_users(folder, ["shutter", "plain"])
private_hosts(folder, {"fileserver": "127.0.0.1"})
record = folder / "record-shutdown"
record.write_text(f"#!/bin/sh\n[ \"$(id -u)\" = 0 ] || exit 1\n"
                  f"printf '%s\\n' \"$*\" >> {folder}/shutdowns\n")
record.chmod(0o755)
samba = Samba(folder / "samba", extra=f"shutdown script = {record} %z %t %r %f")
try:
    samba.add_user("shutter", "secret")
    samba.add_user("plain", "secret")
    samba.grant("shutter", "SeRemoteShutdownPrivilege")
    t.check("smbd up", samba.ready, f"see {folder}")
    out = run('"e " SHUTDOWN("\\\\FileServer", "Bye now", 45, 1, 1) ?\n', USER="shutter",
              PASSWD="secret", DBUS_SYSTEM_BUS_ADDRESS=DEAD_BUS)
    recorded = (folder / "shutdowns").read_text() if (folder / "shutdowns").exists() else ""
    # Samba expands its own %t (the time of day) before the script's timeout %t, and passes
    # the message with its blanks made underscores.
    fields = recorded.split()
    t.check("another computer: net rpc shutdown reaches its shutdown script",
            out == ["e 0"] and fields[:1] == ["Bye_now"] and fields[2:] == ["-r", "-f"],
            f"{out} {recorded!r}")
    out = run('"e " SHUTDOWN("fileserver", "Bye", 30) ?\n', USER="plain", PASSWD="secret")
    out += run('"e " SHUTDOWN("fileserver", "Bye", 30) ?\n', USER="shutter", PASSWD="wrong")
    out += run('"e " SHUTDOWN("\\\\127.0.0.9", "Bye") ?\n', USER="shutter", PASSWD="secret")
    t.check("without the right 5, a wrong password 5, nobody there 53",
            out == ["e 5", "e 5", "e 53"], f"{out}")
finally:
    samba.stop()
    desktop.stop()
    system.stop()

t.finish()
