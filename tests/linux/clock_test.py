#!/usr/bin/python3
"""SETTIME on POSIX: the time comes from a real chronyd (SNTP) or a real smbd (the system time
of its SMB2 negotiation, its clock moved two hours on with libfaketime), and is set through
python3-dbusmock's timedated on a private system bus, else with clock_settime. Everything runs
in a private network namespace, and the program always without CAP_SYS_TIME, so no path of
it can set this machine's clock.

usage: tests/linux/clock_test.py   (as root; VTX32_EXE overrides the program)
"""

import subprocess
import time

import dbus

from fixture import (NO_SYS_TIME, DEAD_BUS, PrivateBus, Process, Samba, Tally, base_env,
                     clear_calls, in_private_network, lines, mock_calls, run_script, scratch)

in_private_network()
t = Tally()
AHEAD = 7200  # the SMB server's clock, in seconds ahead of this machine's
folder = scratch("clock")

# The SMB-only server on its own address, so that SNTP finds nothing there.
subprocess.run(["ip", "addr", "add", "127.0.0.2/8", "dev", "lo"], check=True)
(folder / "chrony.conf").write_text(f"""local stratum 8
allow 127.0.0.1
bindaddress 127.0.0.1
port 123
cmdport 0
pidfile {folder}/chronyd.pid
""")
chronyd = Process([*NO_SYS_TIME, "chronyd", "-x", "-d", "-f", str(folder / "chrony.conf")],
                  folder / "chronyd.log")
samba = Samba(folder / "samba", address="127.0.0.2",
              prefix=["faketime", "-f", f"+{AHEAD}s"])
bus = PrivateBus(folder, system=True)
timedated = bus.template("timedated", {"NTP": False})


def settime(script: str, **env) -> list:
    e = base_env(folder)
    e["DBUS_SYSTEM_BUS_ADDRESS"] = bus.address
    e.update(env)
    out, _ = run_script(folder, script, e, prefix=NO_SYS_TIME)
    return lines(out)


def set_times() -> list:
    return [(int(a[0]), bool(a[1]), bool(a[2])) for a in mock_calls(timedated, "SetTime")]


def near(usec: int, ahead: int = 0) -> bool:
    return usec % 1_000_000 == 0 and abs(usec / 1e6 - time.time() - ahead) <= 3


try:
    t.check("fixtures up", samba.ready, f"smbd did not answer; see {folder}")
    time.sleep(0.5)  # chronyd serves once it has bound its port

    out = settime('SETTIME "127.0.0.1"\n"e " @ERROR ?\nSETTIME "\\\\127.0.0.1"\n"e " @ERROR ?\n')
    calls = set_times()
    t.check("SNTP server, with and without backslashes: timedated sets it twice, whole seconds",
            out == ["e 0", "e 0"] and len(calls) == 2
            and all(near(u) and not rel and not inter for u, rel, inter in calls),
            f"{out} {calls}")

    clear_calls(timedated)
    out = settime('SETTIME "*"\n"e " @ERROR ?\n', LOGONSERVER="\\\\127.0.0.2")
    calls = set_times()
    t.check('"*" asks the logon server; without SNTP there, the SMB2 negotiation gives its time',
            out == ["e 0"] and len(calls) == 1 and near(calls[0][0], AHEAD), f"{out} {calls}")

    clear_calls(timedated)
    timedated.AddMethod("org.freedesktop.timedate1", "SetTime", "xbb", "",
                        "raise dbus.exceptions.DBusException('no', "
                        "name='org.freedesktop.DBus.Error.AccessDenied')")
    out = settime('SETTIME "127.0.0.1"\n"e " @ERROR ?\n')
    t.check("timedated refuses: 1314", out == ["e 1314"], f"{out}")

    timedated.Set("org.freedesktop.timedate1", "NTP", True,
                  dbus_interface="org.freedesktop.DBus.Properties")
    clear_calls(timedated)
    out = settime('SETTIME "127.0.0.1"\n"near " @ERROR ?\nSETTIME "127.0.0.2"\n"far " @ERROR ?\n')
    t.check("automatic synchronisation: left alone, 0 within 2 s of the server, else 1314",
            out == ["near 0", "far 1314"] and set_times() == [], f"{out} {set_times()}")

    before = time.time()
    out = settime('SETTIME "127.0.0.2"\n"e " @ERROR ?\n', DBUS_SYSTEM_BUS_ADDRESS=DEAD_BUS)
    t.check("no timedated: clock_settime without the right to set the clock gives 1314",
            out == ["e 1314"] and abs(time.time() - before) < 5, f"{out}")

    out = settime('SETTIME "127.0.0.3"\n"silent " @ERROR ?\nSETTIME "no-such-host.invalid"\n'
                  '"unknown " @ERROR ?\nSETTIME "*"\n"no logon server " @ERROR ?\n')
    t.check("unreachable or unknown servers give 53, as the remote time call does",
            out == ["silent 53", "unknown 53", "no logon server 53"], f"{out}")
finally:
    bus.stop()
    samba.stop()
    chronyd.stop()

t.finish()
