#!/usr/bin/env python3
"""MESSAGEBOX and PLAY of the POSIX build at a terminal, seen as a person sees them: in tmux.

usage: tests/tty/shell_test.py [PATH-TO-vtx32]
Prints one line per case and closes with "N passed, N failed".
"""

import subprocess
import sys
import tempfile
import time
import uuid
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
EXE = Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build/posix/vtx32").resolve()
SOCKET = ""  # a server of its own per session: a dying one must not take the next session
DONE = "__program_ended__"


def tmux(*args: str) -> str:
    return subprocess.run(["tmux", "-L", SOCKET, "-f", "/dev/null", *args], check=True, text=True,
                          stdout=subprocess.PIPE, stdin=subprocess.DEVNULL).stdout


def screen() -> str:
    return tmux("capture-pane", "-p", "-t", "box")


def wait_for(predicate, timeout: float = 5.0) -> bool:
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if predicate(screen()):
            return True
        time.sleep(0.05)
    return False



class Session:
    """One script in a fresh 80x24 tmux pane that stays on screen after the program ends."""

    def __init__(self, script: str, shell_prefix: str = ""):
        global SOCKET
        SOCKET = f"vtx32-msgbox-{uuid.uuid4().hex[:8]}"
        self.dir = tempfile.TemporaryDirectory(prefix="vtx32-tty-")
        path = Path(self.dir.name) / "box.scr"
        path.write_text(script)
        env = f"LANG=C.UTF-8 VTX32_REGISTRY={self.dir.name} HOME={self.dir.name}"
        # The pane outlives the program: tmux may not show what a program wrote just
        # before it ended right after leaving the alternate screen.
        command = (f"cd {self.dir.name} && ({shell_prefix}env {env} {EXE} box.scr); "
                   f"echo {DONE}; sleep 60")
        tmux("new-session", "-d", "-s", "box", "-x", "80", "-y", "24", command)
        self.started = time.monotonic()

    def finished(self, timeout: float = 5.0) -> bool:
        return wait_for(lambda text: DONE in text, timeout)

    def close(self):
        subprocess.run(["tmux", "-L", SOCKET, "kill-server"], stderr=subprocess.DEVNULL)
        self.dir.cleanup()


def box_shown(text: str) -> bool:
    return "Logon" in text and "Hello" in text and "[ " in text


CASES = []


def case(fn):
    CASES.append(fn)
    return fn


@case
def box_is_drawn_and_enter_takes_the_default():
    s = Session('"r=" MESSAGEBOX("Hello", "Logon", 1 + 256) ?\n')  # OK/Cancel, Cancel default
    try:
        assert wait_for(box_shown), "no box:\n" + screen()
        shot = screen()
        lines = shot.splitlines()
        top = next(i for i, l in enumerate(lines) if "Logon" in l)
        assert "┌" in lines[top] and "┐" in lines[top], shot
        assert "[ OK ]" in shot and "[ Cancel ]" in shot, shot
        # Centred: as many columns left of the frame as right of it.
        frame = lines[top]
        left = len(frame) - len(frame.lstrip())
        assert abs(left - (80 - len(frame.rstrip()))) <= 1, shot
        tmux("send-keys", "-t", "box", "Enter")
        assert s.finished(), "still running:\n" + screen()
        assert "r=2" in screen(), screen()
        assert "Hello" not in screen(), "box left behind:\n" + screen()
    finally:
        s.close()


@case
def y_answers_a_yes_no_box():
    s = Session('"r=" MESSAGEBOX("Hello", "Logon", 4) ?\n')
    try:
        assert wait_for(box_shown), "no box:\n" + screen()
        assert "[ Yes ]" in screen() and "[ No ]" in screen(), screen()
        tmux("send-keys", "-t", "box", "y")
        assert s.finished(), screen()
        assert "r=6" in screen(), screen()
    finally:
        s.close()


@case
def escape_cancels_and_arrows_move_the_focus():
    s = Session('"a=" MESSAGEBOX("Hello", "Logon", 3) ?\n"b=" MESSAGEBOX("Hello", "Logon", 3) ?\n')
    try:
        assert wait_for(box_shown), screen()
        tmux("send-keys", "-t", "box", "Escape")
        # The second box follows at once, so the first answer shows only at the end.
        time.sleep(0.3)
        assert wait_for(box_shown), screen()
        tmux("send-keys", "-t", "box", "Right")
        tmux("send-keys", "-t", "box", "Enter")  # Yes -> No
        assert s.finished(), screen()
        assert "a=2" in screen() and "b=7" in screen(), screen()
    finally:
        s.close()


@case
def timeout_closes_the_box_with_minus_one():
    s = Session('"r=" MESSAGEBOX("Hello", "Logon", 0, 1) ?\n')
    try:
        assert wait_for(box_shown), screen()
        assert s.finished(5), screen()
        took = time.monotonic() - s.started
        assert "r=-1" in screen(), screen()
        assert 0.9 <= took < 3, f"took {took:.2f} s"
    finally:
        s.close()


@case
def redirected_input_gives_zero_at_once():
    s = Session('"r=" MESSAGEBOX("Hello", "Logon", 0, 30) ?\n', shell_prefix="exec </dev/null; ")
    try:
        assert s.finished(3), screen()
        assert "r=0" in screen(), screen()
    finally:
        s.close()


@case
def key_stops_a_tune_and_is_swallowed():
    tune = "1d" + "440f" * 50  # fifty notes of 54 ms
    s = Session(f'PLAY "{tune}"\n"a" ?\nPLAY "{tune}"\n"b" ?\n')
    try:
        time.sleep(0.5)
        tmux("send-keys", "-t", "box", "x")
        assert wait_for(lambda t: "a" in t.split(), 2), "first tune not stopped:\n" + screen()
        stopped = time.monotonic()
        assert s.finished(6), screen()
        # Had the key stayed unread, it would have stopped the second tune at once too.
        took = time.monotonic() - stopped
        assert took > 2.2, f"second tune took {took:.2f} s"
        assert "x" not in screen(), "the key was echoed:\n" + screen()
    finally:
        s.close()


def main() -> int:
    if not EXE.is_file():
        print(f"no program at {EXE}", file=sys.stderr)
        return 2
    passed = failed = 0
    for fn in CASES:
        try:
            fn()
            passed += 1
            print(f"ok   {fn.__name__}")
        except Exception as e:  # an assertion, or tmux refusing: the case fails, the run goes on
            failed += 1
            print(f"FAIL {fn.__name__}: {e}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
