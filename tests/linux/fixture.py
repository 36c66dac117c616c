"""What the Linux facility tests share: a scratch folder per case, the program run on a script
there, and the "N passed, N failed" count that scripts/test reads."""

import os
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
EXE = Path(os.environ.get("VTX32_EXE", ROOT / "build/posix/vtx32")).resolve()
# The buses the machine may have are never reached: a case that wants one starts its own.
DEAD_BUS = "unix:path=/nonexistent/vtx32-test-bus"


class Tally:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name: str, ok: bool, detail: str = "") -> bool:
        if ok:
            self.passed += 1
            print(f"ok   {name}")
        else:
            self.failed += 1
            print(f"FAIL {name}: {detail}")
        sys.stdout.flush()
        return ok

    def finish(self) -> None:
        print(f"{self.passed} passed, {self.failed} failed")
        sys.exit(1 if self.failed else 0)


def scratch(prefix: str) -> Path:
    """A fresh folder, world-readable so that an unprivileged fixture can use it."""
    path = Path(tempfile.mkdtemp(prefix=f"vtx32-{prefix}-"))
    path.chmod(0o755)
    return path


def base_env(home: Path) -> dict:
    env = {k: v for k, v in os.environ.items() if not k.startswith(("DBUS_", "XDG_"))}
    env.update(HOME=str(home), VTX32_REGISTRY=str(home / "registry"), LANG="C",
               DBUS_SESSION_BUS_ADDRESS=DEAD_BUS, DBUS_SYSTEM_BUS_ADDRESS=DEAD_BUS)
    return env


def run_script(folder: Path, script: str, env: dict, prefix: list = (), timeout: float = 30,
               name: str = "case.scr") -> tuple[str, int]:
    """Runs the program on `script` in `folder`: its standard output and exit code."""
    (folder / name).write_text(script)
    proc = subprocess.run([*prefix, str(EXE), name], cwd=folder, env=env, timeout=timeout,
                          stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, text=True, errors="replace")
    if proc.stderr.strip():
        print(proc.stderr.strip(), file=sys.stderr)
    return proc.stdout, proc.returncode


def lines(output: str) -> list[str]:
    return [line.rstrip("\r") for line in output.splitlines()]
