"""What the Linux facility tests share: a scratch folder per case, the program run on a script
there, and the "N passed, N failed" count that scripts/test reads."""

import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
EXE = Path(os.environ.get("VTX32_EXE", ROOT / "build/posix/vtx32")).resolve()
# The buses the machine may have are never reached: a case that wants one starts its own.
DEAD_BUS = "unix:path=/nonexistent/vtx32-test-bus"
SCRATCH = []


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
        # A failed run keeps its folders (logs, captures) for a look; a clean one leaves none.
        if not self.failed:
            for folder in SCRATCH:
                shutil.rmtree(folder, ignore_errors=True)
        print(f"{self.passed} passed, {self.failed} failed")
        sys.exit(1 if self.failed else 0)


def scratch(prefix: str) -> Path:
    """A fresh folder, world-readable so that an unprivileged fixture can use it."""
    path = Path(tempfile.mkdtemp(prefix=f"vtx32-{prefix}-"))
    path.chmod(0o755)
    SCRATCH.append(path)
    return path


def base_env(home: Path) -> dict:
    env = {k: v for k, v in os.environ.items() if not k.startswith(("DBUS_", "XDG_"))}
    env.update(HOME=str(home), VTX32_REGISTRY=str(home / "registry"), LANG="C",
               DBUS_SESSION_BUS_ADDRESS=DEAD_BUS, DBUS_SYSTEM_BUS_ADDRESS=DEAD_BUS)
    return env


def run_script(folder: Path, script: str, env: dict, prefix: list = (), timeout: float = 30,
               name: str = "case.scr") -> tuple[str, int]:
    """Runs the program on `script` in `folder`: its standard output and exit code (a run
    that outlasts `timeout` is ended and fails its case, not the test)."""
    (folder / name).write_text(script)
    try:
        proc = subprocess.run([*prefix, str(EXE), name], cwd=folder, env=env, timeout=timeout,
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, text=True, errors="replace")
    except subprocess.TimeoutExpired:
        return f"(still running after {timeout} s)", -1
    if proc.stderr.strip():
        print(proc.stderr.strip(), file=sys.stderr)
    return proc.stdout, proc.returncode


def lines(output: str) -> list[str]:
    return [line.rstrip("\r") for line in output.splitlines()]


def in_private_network() -> None:
    """Runs the rest of this test in a network and mount namespace of its own (re-executing
    itself once), with only the loopback interface up: the fixtures' servers listen on the
    standard ports there and nowhere else, and everything ends with the test."""
    if os.environ.get("VTX32_PRIVATE_NET") != "1":
        env = dict(os.environ, VTX32_PRIVATE_NET="1")
        os.execvpe("unshare", ["unshare", "--net", "--mount", "--propagation", "private",
                               sys.executable, *sys.argv], env)
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)


def private_users(folder: Path, names: list) -> None:
    """Adds accounts for `names` to copies of the password and group files that are mounted
    over the real ones inside this test's mount namespace only."""
    for n, name in enumerate(names):
        names[n] = (name, 64100 + n)
    for path, line in (("passwd", "{0}:x:{1}:{1}::/nonexistent:/usr/sbin/nologin"),
                       ("group", "{0}:x:{1}:")):
        copy = folder / path
        copy.write_text(Path(f"/etc/{path}").read_text()
                        + "".join(line.format(name, uid) + "\n" for name, uid in names))
        copy.chmod(0o644)
        subprocess.run(["mount", "--bind", str(copy), f"/etc/{path}"], check=True)


def private_hosts(folder: Path, names: dict) -> None:
    """Adds `names` (name: address) to a copy of the hosts file mounted over the real one
    inside this test's mount namespace only."""
    copy = folder / "hosts"
    copy.write_text(Path("/etc/hosts").read_text()
                    + "".join(f"{address} {name}\n" for name, address in names.items()))
    copy.chmod(0o644)
    subprocess.run(["mount", "--bind", str(copy), "/etc/hosts"], check=True)


def wait_port(port: int, address: str = "127.0.0.1", seconds: float = 10) -> bool:
    import socket
    import time
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
            if s.connect_ex((address, port)) == 0:
                return True
        time.sleep(0.1)
    return False


class Process:
    """A fixture program ended by its own PID (and its group) when the test is done, also when
    the test ends by an exception before its own clean-up."""

    def __init__(self, args: list, log: Path, env: dict = None, **kw):
        import atexit
        self.log = open(log, "wb")
        self.proc = subprocess.Popen(args, stdout=self.log, stderr=subprocess.STDOUT,
                                     stdin=subprocess.DEVNULL, env=env, start_new_session=True,
                                     **kw)
        atexit.register(self.stop)

    def stop(self) -> None:
        import signal
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(self.proc.pid, signal.SIGKILL)
                self.proc.wait()
        self.log.close()


NO_SYS_TIME = ["setpriv", "--bounding-set", "-sys_time", "--inh-caps", "-sys_time"]


class Samba:
    """A standalone smbd on 127.0.0.1 (ports 445 and 139) with every file in `folder`."""

    def __init__(self, folder: Path, extra: str = "", prefix: list = (), address="127.0.0.1"):
        self.folder = folder
        for d in ("lock", "state", "cache", "pid", "private", "ncalrpc", "share"):
            (folder / d).mkdir(parents=True, exist_ok=True)
        self.conf = folder / "smb.conf"
        self.conf.write_text(f"""[global]
server role = standalone server
netbios name = FIXTURE
workgroup = TESTGROUP
interfaces = {address}
bind interfaces only = yes
smb ports = 445 139
server min protocol = NT1
disable netbios = no
lock directory = {folder}/lock
state directory = {folder}/state
cache directory = {folder}/cache
pid directory = {folder}/pid
private dir = {folder}/private
ncalrpc dir = {folder}/ncalrpc
passdb backend = tdbsam:{folder}/private/passdb.tdb
log file = {folder}/log.%m
load printers = no
printcap name = /dev/null
disable spoolss = yes
{extra}
[share]
path = {folder}/share
""")
        self.process = Process([*prefix, *NO_SYS_TIME, "smbd", "--foreground", "--no-process-group",
                                "--debug-stdout", "-s", str(self.conf)], folder / "smbd.log")
        import atexit
        atexit.register(self.stop)
        self.ready = wait_port(445, address) and wait_port(139, address)

    def add_user(self, name: str, password: str) -> None:
        """`name` must be one of the private_users."""
        subprocess.run(["smbpasswd", "-c", str(self.conf), "-a", "-s", name],
                       input=f"{password}\n{password}\n", text=True, check=True,
                       stdout=subprocess.DEVNULL)

    def grant(self, name: str, right: str) -> None:
        subprocess.run(["net", "-s", str(self.conf), "sam", "rights", "grant", name, right],
                       check=True, stdout=subprocess.DEVNULL)

    def stop(self) -> None:
        self.process.stop()
        # smbd (or `net`) starts samba-dcerpcd in a session of its own, outside smbd's group:
        # it is found by the configuration file it was given.
        end_processes_naming(str(self.conf))


def end_processes_naming(text: str) -> None:
    """Ends, by PID, every process whose command line holds `text`."""
    import signal
    import time
    pids = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) == os.getpid():
            continue
        try:
            if text.encode() in (entry / "cmdline").read_bytes():
                pids.append(int(entry.name))
        except OSError:
            pass
    for sig in (signal.SIGTERM, signal.SIGKILL):
        for pid in pids:
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                pass
        end = time.monotonic() + 5
        while time.monotonic() < end and any(Path(f"/proc/{pid}").exists() for pid in pids):
            time.sleep(0.05)
        pids = [pid for pid in pids if Path(f"/proc/{pid}").exists()]
        if not pids:
            return


class PrivateBus:
    """A D-Bus daemon of this test's own, with python3-dbusmock services on it. It stands in
    for the system bus or the session bus of the program under test, never the machine's."""

    def __init__(self, folder: Path, system: bool):
        from dbusmock import DBusTestCase
        self.system = system
        kind = "system" if system else "session"
        conf = folder / f"{kind}-bus.conf"
        conf.write_text(f"""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>{kind}</type><listen>unix:dir={folder}</listen>
<policy context="default"><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/><allow own="*"/><allow user="*"/></policy></busconfig>
""")
        self.pid, self.address = DBusTestCase.start_dbus(conf=conf)
        self.servers = []
        import atexit
        atexit.register(self.stop)

    def _environment(self):
        os.environ["DBUS_SYSTEM_BUS_ADDRESS" if self.system else "DBUS_SESSION_BUS_ADDRESS"] = \
            self.address

    def template(self, name: str, parameters: dict = None):
        """Starts dbusmock's template `name`: its main object, for the Mock interface."""
        from dbusmock import DBusTestCase
        self._environment()
        proc, obj = DBusTestCase.spawn_server_template(name, parameters or {},
                                                       stdout=subprocess.DEVNULL,
                                                       system_bus=self.system)
        self.servers.append(proc)
        return obj

    def server(self, name: str, path: str, interface: str):
        """A bare dbusmock service, for methods added to it by the test."""
        from dbusmock import DBusTestCase
        self._environment()
        proc = DBusTestCase.spawn_server(name, path, interface, self.system,
                                         stdout=subprocess.DEVNULL)
        self.servers.append(proc)
        return DBusTestCase.get_dbus(self.system).get_object(name, path)

    def silent(self, *names: str) -> None:
        """A stand-in that takes `names` on this bus and never answers a call."""
        code = ("import sys, time, dbus\n"
                "bus = dbus.bus.BusConnection(sys.argv[1])\n"
                "for name in sys.argv[2:]: bus.request_name(name)\n"
                "print('ready', flush=True)\n"
                "time.sleep(3600)\n")
        proc = subprocess.Popen([sys.executable, "-c", code, self.address, *names],
                                stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
        self.servers.append(proc)
        proc.stdout.readline()

    def server_object(self, name: str, path: str):
        """An object of a service already on this bus."""
        from dbusmock import DBusTestCase
        return DBusTestCase.get_dbus(self.system).get_object(name, path)

    def stop(self) -> None:
        """Ends the services and the bus; a second call does nothing."""
        from dbusmock import DBusTestCase
        if self.pid is None:
            return
        for proc in self.servers:
            proc.terminate()
            proc.wait()
        DBusTestCase.stop_dbus(self.pid)
        self.pid = None


class SilentBus:
    """A socket that takes connections as a bus does and never says a word: a bus daemon
    that hangs. Closed when the test ends."""

    def __init__(self, folder: Path):
        import socket
        import threading
        path = folder / "silent-bus"
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.bind(str(path))
        self.socket.listen(16)
        self.address = f"unix:path={path}"
        self.held = []
        threading.Thread(target=self._take, daemon=True).start()

    def _take(self) -> None:
        while True:
            try:
                self.held.append(self.socket.accept()[0])
            except OSError:
                return


def timed(run, *args, **kw) -> tuple:
    """What `run` returns, and the seconds it took."""
    import time
    start = time.monotonic()
    result = run(*args, **kw)
    return result, time.monotonic() - start


def mock_calls(obj, method: str) -> list:
    """The argument lists of the recorded calls of `method`, oldest first."""
    import dbusmock
    calls = obj.GetCalls(dbus_interface=dbusmock.MOCK_IFACE)
    return [list(args) for _, name, args in calls if name == method]


def clear_calls(obj) -> None:
    import dbusmock
    obj.ClearCalls(dbus_interface=dbusmock.MOCK_IFACE)
