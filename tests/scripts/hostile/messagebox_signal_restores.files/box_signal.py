"""Shows a message box in a pseudo-terminal, ends the program with a signal while the box
waits for a key, and tells what the terminal was left with."""

import os
import pty
import select
import signal
import sys
import termios
import time

EXE = os.path.join(os.environ["VTX32_HELPERS"], "vtx32")


def read_until(fd: int, marker: bytes, seconds: float) -> bytes:
    data = b""
    end = time.monotonic() + seconds
    while marker not in data and time.monotonic() < end:
        if select.select([fd], [], [], 0.05)[0]:
            try:
                chunk = os.read(fd, 65536)
            except OSError:
                break
            if not chunk:
                break
            data += chunk
    return data


def last_wins(data: bytes, on: bytes, off: bytes) -> bool:
    return data.rfind(off) > data.rfind(on)


for name in sys.argv[1:]:
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(EXE, [EXE, "box.scr"])
    out = read_until(fd, b"Logon", 5)
    time.sleep(0.2)  # the whole box is on the screen and the program waits for a key
    os.kill(pid, getattr(signal, name))
    _, status = os.waitpid(pid, 0)
    out += read_until(fd, b"\0", 0.3)
    lflag = termios.tcgetattr(fd)[3]
    os.close(fd)
    print(f"{name}: box shown {b'Logon' in out}, ended by the signal "
          f"{os.WIFSIGNALED(status) and os.WTERMSIG(status) == getattr(signal, name)}")
    print(f"  echo {bool(lflag & termios.ECHO)}, lines {bool(lflag & termios.ICANON)}, "
          f"signals {bool(lflag & termios.ISIG)}")
    screen = last_wins(out, b"\x1b[?1049h", b"\x1b[?1049l")
    cursor = last_wins(out, b"\x1b[?25l", b"\x1b[?25h")
    wrap = last_wins(out, b"\x1b[?7l", b"\x1b[?7h")
    print(f"  main screen {screen}, cursor shown {cursor}, wrap on {wrap}")
