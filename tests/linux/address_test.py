#!/usr/bin/python3
"""@IPADDRESS0 to 3 on POSIX come from the interfaces that are up, by interface number, never
from what the hosts file says of the host name (Debian's 127.0.1.1); the loopback's address
only when no other interface has one. Runs in a private network namespace with veth pairs.

usage: tests/linux/address_test.py   (as root; VTX32_EXE overrides the program)
"""

import socket
import subprocess

from fixture import (Tally, base_env, in_private_network, lines, private_hosts, run_script,
                     scratch)

in_private_network()
t = Tally()
folder = scratch("address")
private_hosts(folder, {socket.gethostname(): "127.0.1.1"})
env = base_env(folder)
SCRIPT = '"[@IPADDRESS0][@IPADDRESS1][@IPADDRESS2][@IPADDRESS3]" ?\n'


def ip(*args: str) -> None:
    subprocess.run(["ip", *args], check=True)


out, code = run_script(folder, SCRIPT, env)
t.check("only the loopback is up: its own address", lines(out) == ["[127.  0.  0.  1][][][]"],
        repr(out))

# Made in this order, the interfaces are numbered b0 < a0 < c0; c0 stays down, a0 has two.
ip("link", "add", "b0", "type", "veth", "peer", "name", "b1")
ip("link", "add", "a0", "type", "veth", "peer", "name", "a1")
ip("link", "add", "c0", "type", "veth", "peer", "name", "c1")
ip("addr", "add", "10.20.0.1/24", "dev", "b0")
ip("addr", "add", "192.168.7.9/24", "dev", "a0")
ip("addr", "add", "10.30.0.5/24", "dev", "a0")
ip("addr", "add", "10.40.0.1/24", "dev", "c0")
ip("link", "set", "b0", "up")
ip("link", "set", "a0", "up")
out, code = run_script(folder, SCRIPT, env)
t.check("interfaces up in interface order, loopback and down ones left out",
        lines(out) == ["[ 10. 20.  0.  1][192.168.  7.  9][ 10. 30.  0.  5][]"], repr(out))
t.finish()
