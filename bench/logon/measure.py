"""Times one logon, NAME.scr or NAME.sh, as the user of a fresh session; bench/logon/run
runs it for each side and round.

usage: measure.py vtx32|shell VTX32 FOLDER [NAME]      (NAME: logon, the default, or domain)
The program runs with its statement trace. Every line a side writes on standard error is
stamped as it arrives; a step lasts until the next line or the end. The program's steps are
classed by their statement, the shell's by its "@class NAME" lines. Prints one JSON line:
{"side": "vtx32"|"shell", "total": s, "classes": {NAME: s}}.
"""
import json
import os
import subprocess
import sys
import time

def statement_class(text):
    upper = text.upper()
    words = upper.split()
    if not words:
        return "other"
    if words[0] == "USE":
        return "delete" if any(w.startswith("/D") for w in words) else "use"
    if "PRINTERCONNECTION" in upper or "SETDEFAULTPRINTER" in upper:
        return "printer"
    if "WRITEVALUE" in upper or "READVALUE" in upper:
        return "registry"
    if "INGROUP" in upper:
        return "groups"
    if "EXIST" in upper or "PROFILESTRING" in upper:
        return "files"
    return "other"


def timed(cmd, env, classify, out):
    classes = {}
    start = time.perf_counter()
    child = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL, stdout=out,
                             stderr=subprocess.PIPE)
    current, since = "other", start
    for line in child.stderr:
        now = time.perf_counter()
        name = classify(line.decode(errors="replace").rstrip())
        if name is None:
            continue
        classes[current] = classes.get(current, 0.0) + now - since
        current, since = name, now
    child.wait()
    end = time.perf_counter()
    classes[current] = classes.get(current, 0.0) + end - since
    if child.returncode != 0:
        sys.exit(f"{' '.join(cmd)} failed with {child.returncode}")
    return end - start, classes


def program_line(line):
    # "FILE:LINE: statement" starts a step; "@ERROR=N" and other trace lines do not.
    parts = line.split(": ", 1)
    return statement_class(parts[1]) if len(parts) == 2 and ":" in parts[0] else None


def shell_line(line):
    return line[len("@class "):] if line.startswith("@class ") else None


def reset(env):
    """What a logon leaves that the next must not find: the queue and the default."""
    listed = subprocess.run(["lpstat", "-e"], env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    for queue in listed.stdout.decode().split():
        subprocess.run(["lpadmin", "-x", queue], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    try:
        os.unlink(os.path.expanduser("~/.cups/lpoptions"))
    except FileNotFoundError:
        pass


def main():
    side, exe, folder = sys.argv[1], sys.argv[2], sys.argv[3]
    name = sys.argv[4] if len(sys.argv) > 4 else "logon"
    os.chdir(folder)
    env = dict(os.environ, VTX32_TRACE="1")
    cmd, classify = {
        "vtx32": ([exe, os.path.join(folder, f"{name}.scr")], program_line),
        "shell": (["bash", os.path.join(folder, f"{name}.sh")], shell_line),
    }[side]
    with open(f"{side}.out", "wb") as out:  # the last round's, to look at
        total, classes = timed(cmd, env, classify, out)
    reset(env)
    print(json.dumps({"side": side, "total": total, "classes": classes}), flush=True)


if __name__ == "__main__":
    main()
