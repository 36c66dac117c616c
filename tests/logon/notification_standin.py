#!/usr/bin/python3
"""A notification server with actions on this session's bus (python3-dbusmock), for the logon
run: each box it is shown is answered with the action ANSWER, and each notification is written
to RECORD as "summary: body", one a line. RECORD is created once the server is on the bus; the
server ends after SECONDS, or when this process gets SIGTERM (after recording what arrived).

usage: notification_standin.py RECORD ANSWER SECONDS
"""

import signal
import subprocess
import sys
import time

import dbus
import dbusmock

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"

record, answer, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
server = subprocess.Popen([sys.executable, "-m", "dbusmock", "--template", "notification_daemon",
                           "-p", '{"capabilities": "body actions"}'],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
stopping = []
signal.signal(signal.SIGTERM, lambda *_: stopping.append(True))
try:
    bus = dbus.SessionBus()
    end = time.monotonic() + seconds
    while not bus.name_has_owner(NAME) and time.monotonic() < end:
        time.sleep(0.05)
    mock = bus.get_object(NAME, PATH)
    open(record, "w").close()
    seen = 0
    while True:
        last = bool(stopping) or time.monotonic() >= end
        calls = [args for _, name, args in mock.GetCalls(dbus_interface=dbusmock.MOCK_IFACE)
                 if name == "Notify"]
        for n, args in enumerate(calls[seen:], start=seen + 1):
            with open(record, "a") as f:
                f.write(f"{args[3]}: {args[4]}\n")
            if args[5]:  # a box: its buttons are actions
                mock.EmitSignal(NAME, "ActionInvoked", "us", [dbus.UInt32(n), answer],
                                dbus_interface=dbusmock.MOCK_IFACE)
        seen = len(calls)
        if last:
            break
        time.sleep(0.05)
finally:
    server.terminate()
    server.wait()
