#!/usr/bin/python3
"""Servers that answer a byte at a time: SETTIME against an SMB server, ADDPRINTERCONNECTION
against a print scheduler. Each is a stand-in on loopback in a private network namespace that
trickles an answer without end; every exchange has one deadline in all, so the statement ends
instead of waiting afresh for each byte.

usage: tests/linux/trickle_test.py   (as root; VTX32_EXE overrides the program)
"""

import socket
import threading
import time

from fixture import (NO_SYS_TIME, Tally, base_env, in_private_network, lines, run_script,
                     scratch, timed)

in_private_network()
t = Tally()
folder = scratch("trickle")


def trickle(port: int, first: bytes) -> None:
    """Serves 127.0.0.1:`port`: each connection, once it has asked, gets `first` and then
    filler, one byte every 0.2 s for as long as it stays open."""
    server = socket.create_server(("127.0.0.1", port))

    def answer(conn):
        with conn:
            try:
                conn.recv(65536)
                for byte in first + b"x" * 100000:
                    conn.sendall(bytes([byte]))
                    time.sleep(0.2)
            except OSError:
                pass

    def take():
        while True:
            threading.Thread(target=answer, args=(server.accept()[0],), daemon=True).start()

    threading.Thread(target=take, daemon=True).start()


# An SMB2 session header announcing 65535 bytes; an HTTP status line whose headers never end.
trickle(445, b"\x00\x00\xff\xff")
trickle(631, b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nX-Filler: ")
env = base_env(folder)
env.update(CUPS_SERVER="127.0.0.1:631", CUPS_SERVERROOT=str(folder / "cups"))

(out, _), took = timed(run_script, folder, 'SETTIME "127.0.0.1"\n"e " @ERROR ?\n', env,
                       prefix=NO_SYS_TIME, timeout=40)
t.check("SETTIME: the SMB2 exchange ends within its 3 s, however the bytes come: 53",
        lines(out) == ["e 53"] and took < 8, f"{out} after {took:.1f} s")
(out, _), took = timed(run_script, folder,
                       '"e " ADDPRINTERCONNECTION("\\\\PRINTSRV\\LASER1") ?\n', env, timeout=40)
t.check("ADDPRINTERCONNECTION: the scheduler's 15 s cover the whole conversation: 1722",
        lines(out) == ["e 1722"] and took < 20, f"{out} after {took:.1f} s")

t.finish()
