#!/usr/bin/python3
"""SETWALLPAPER on POSIX: each desktop's real settings store (GSettings with dconf for GNOME,
Cinnamon and MATE; xfconfd for XFCE), started by D-Bus activation under dbus-run-session, with
a private home, configuration and runtime folder: the machine's desktop is never touched.
A second session reads the value back, as the next logon would. Plasma's shell, which cannot
run here, is a dbusmock service on a private session bus that records the script it is given.

usage: tests/linux/wallpaper_test.py   (VTX32_EXE overrides the program)
"""

import os
import shlex
import subprocess

from fixture import (EXE, PrivateBus, SilentBus, Tally, base_env, lines, mock_calls, run_script,
                     scratch, timed)

t = Tally()


def session(home, desktop: str, commands: list) -> list:
    """Runs `commands` (argument lists) one after another in one private D-Bus session:
    the standard output of each."""
    env = base_env(home)
    env.pop("DBUS_SESSION_BUS_ADDRESS")
    runtime = home / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    env.update(XDG_CONFIG_HOME=str(home / "config"), XDG_RUNTIME_DIR=str(runtime),
               XDG_CACHE_HOME=str(home / "cache"), GSETTINGS_BACKEND="dconf")
    if desktop:
        env["XDG_CURRENT_DESKTOP"] = desktop
    marker = "\n--vtx32-next--\n"
    script = "; ".join(shlex.join(c) + f"; printf '{marker.encode('unicode_escape').decode()}'"
                       for c in commands)
    proc = subprocess.run(["dbus-run-session", "--", "sh", "-c", script], cwd=home, env=env,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          stdin=subprocess.DEVNULL, timeout=60)
    return [part.strip() for part in proc.stdout.split(marker.strip())][:len(commands)]


def wallpaper(home, desktop: str, argument: str, *reads) -> list:
    (home / "case.scr").write_text(f'"e " SETWALLPAPER("{argument}") ?\n')
    return session(home, desktop, [[str(EXE), "case.scr"], *reads])


def gsettings(schema: str, key: str) -> list:
    return ["gsettings", "get", schema, key]


home = scratch("wallpaper")
(home / "pics").mkdir()
(home / "pics" / "Sea View.png").write_bytes(b"\x89PNG\r\n\x1a\n")
picture = f"{home}/pics/Sea View.png"
uri = f"'file://{home}/pics/Sea%20View.png'"

out = wallpaper(home, "ubuntu:GNOME", "pics\\sea view.PNG",
                gsettings("org.gnome.desktop.background", "picture-uri"),
                gsettings("org.gnome.desktop.background", "picture-uri-dark"))
t.check("GNOME: picture-uri and its dark twin, a file URI of the path found",
        out == ["e 0", uri, uri], f"{out}")
again = session(home, "", [gsettings("org.gnome.desktop.background", "picture-uri")])
t.check("the setting is still there in the next session (beyond this logon)", again == [uri],
        f"{again}")

out = wallpaper(home, "X-Cinnamon", picture,
                gsettings("org.cinnamon.desktop.background", "picture-uri"))
t.check("Cinnamon: its own schema", out == ["e 0", uri], f"{out}")
out = wallpaper(home, "MATE", picture, gsettings("org.mate.background", "picture-filename"))
t.check("MATE: picture-filename, a path", out == ["e 0", f"'{picture}'"], f"{out}")

xfce_home = scratch("wallpaper-xfce")
(xfce_home / "sea.png").write_bytes(b"\x89PNG\r\n\x1a\n")
query = ["xfconf-query", "-c", "xfce4-desktop", "-p"]
first = "/backdrop/screen0/monitor0/workspace0/last-image"
out = wallpaper(xfce_home, "XFCE", "sea.png", [*query, first])
t.check("XFCE with no pictures yet: the first monitor's", out == ["e 0", f"{xfce_home}/sea.png"],
        f"{out}")
monitors = ["/backdrop/screen0/monitorVirtual1/workspace0/last-image",
            "/backdrop/screen0/monitorHDMI-1/workspace1/last-image"]
xfce2 = scratch("wallpaper-xfce")
(xfce2 / "sea.png").write_bytes(b"")
(xfce2 / "case.scr").write_text('"e " SETWALLPAPER("sea.png") ?\n')
out = session(xfce2, "XFCE", [*([*query, m, "-n", "-t", "string", "-s", "old"] for m in monitors),
                              [str(EXE), "case.scr"], *([*query, m] for m in monitors),
                              ["xfconf-query", "-c", "xfce4-desktop", "-l"]])
t.check("XFCE: every monitor and workspace that has a picture gets this one",
        out[2:5] == ["e 0", f"{xfce2}/sea.png", f"{xfce2}/sea.png"] and first not in out[5],
        f"{out}")

out = wallpaper(home, "GNOME", "", gsettings("org.gnome.desktop.background", "picture-uri"))
t.check("an empty path: no picture", out == ["e 0", "''"], f"{out}")
out = wallpaper(home, "GNOME", "pics\\none.png")
out += wallpaper(home, "GNOME", "nofolder\\none.png")
out += wallpaper(home, "KDE", picture)
out += wallpaper(home, "", picture)
t.check("a missing file 2, a missing folder 3; Plasma's shell not running 1062; no desktop "
        "this build knows 50", out == ["e 2", "e 3", "e 1062", "e 50"], f"{out}")

# Plasma's shell cannot run here: dbusmock stands in for it on a private session bus, and
# records the script it is given.
kde_home = scratch("wallpaper-kde")
(kde_home / 'sea "view".png').write_bytes(b"\x89PNG\r\n\x1a\n")
bus = PrivateBus(kde_home, system=False)
try:
    plasma = bus.server("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell")
    plasma.AddMethod("org.kde.PlasmaShell", "evaluateScript", "s", "s", 'ret = ""',
                     dbus_interface="org.freedesktop.DBus.Mock")
    env = base_env(kde_home)
    env.update(DBUS_SESSION_BUS_ADDRESS=bus.address, XDG_CURRENT_DESKTOP="KDE")
    out, _ = run_script(kde_home, '"e " SETWALLPAPER(\'sea "view".png\') ?\n', env)
    calls = mock_calls(plasma, "evaluateScript")
    image = f'd.writeConfig("Image", "file://{kde_home}/sea%20%22view%22.png");'
    t.check("KDE: Plasma's shell sets the picture of every desktop, the path escaped",
            lines(out) == ["e 0"] and len(calls) == 1 and image in calls[0][0]
            and 'd.wallpaperPlugin = "org.kde.image";' in calls[0][0], f"{out} {calls}")
    plasma.AddMethod("org.kde.PlasmaShell", "evaluateScript", "s", "s",
                     "raise dbus.exceptions.DBusException('Widgets are locked', "
                     "name='org.freedesktop.DBus.Error.Failed')",
                     dbus_interface="org.freedesktop.DBus.Mock")
    out, _ = run_script(kde_home, '"e " SETWALLPAPER("") ?\n', env)
    t.check("KDE: a shell that refuses the script 1", lines(out) == ["e 1"], f"{out}")
finally:
    bus.stop()

# A shell or a bus that never answers: 1062 once the bus's 10 s are up.
bus = PrivateBus(kde_home, system=False)
try:
    bus.silent("org.kde.plasmashell")
    env = base_env(kde_home)
    env.update(DBUS_SESSION_BUS_ADDRESS=bus.address, XDG_CURRENT_DESKTOP="KDE")
    (out, _), took = timed(run_script, kde_home, '"e " SETWALLPAPER("") ?\n', env)
    t.check("KDE: a shell that never answers: 1062 after 10 s",
            lines(out) == ["e 1062"] and took < 14, f"{out} after {took:.1f} s")
    env.update(DBUS_SESSION_BUS_ADDRESS=SilentBus(kde_home).address, XDG_CURRENT_DESKTOP="XFCE")
    (out, _), took = timed(run_script, kde_home, '"e " SETWALLPAPER("") ?\n', env)
    t.check("XFCE: a session bus that never answers: 1062 after 10 s",
            lines(out) == ["e 1062"] and took < 14, f"{out} after {took:.1f} s")
finally:
    bus.stop()

t.finish()
