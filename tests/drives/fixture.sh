# Sourced by tests/drives/run: a network namespace with a standalone smbd on its loopback, a
# hosts file naming FILES, and an unprivileged test user known only inside the namespace.
# Everything lives under $fx_dir and goes away in fx_stop; nothing on the machine is edited.

fx_name="vtx32-drives-$$"
fx_dir=""
fx_smbd_pid=""
fx_slow_pid=""
fx_uid=64117
fx_user=vtxdrive

fx_ns() { ip netns exec "$fx_name" "$@"; }

fx_stop() {
    if [[ -n "$fx_slow_pid" ]]; then
        kill "$fx_slow_pid" 2>/dev/null || true
        wait "$fx_slow_pid" 2>/dev/null || true
    fi
    if [[ -n "$fx_smbd_pid" ]]; then
        kill "$fx_smbd_pid" 2>/dev/null || true
        wait "$fx_smbd_pid" 2>/dev/null || true
    fi
    # What is left in the namespace is the fixture's own (smbd's children, samba-dcerpcd,
    # the session's daemons): each ended by its PID.
    local pid
    for pid in $(ip netns pids "$fx_name" 2>/dev/null); do
        ((pid > 1)) && kill -9 "$pid" 2>/dev/null || true
    done
    ip netns delete "$fx_name" 2>/dev/null || true
    rm -rf "/etc/netns/$fx_name"
    if [[ -n "$fx_dir" ]]; then
        # A FUSE mount left by a killed session would make rm fail.
        grep -o " $fx_dir/[^ ]*" /proc/mounts | while read -r m; do umount -l "$m" || true; done || true
        rm -rf "$fx_dir"
    fi
}

fx_start() {
    fx_dir="$(mktemp -d /tmp/vtx32-drives.XXXXXX)"
    chmod 755 "$fx_dir"
    mkdir -p "$fx_dir"/{private,lock,state,cache,run,log,ncalrpc}
    mkdir -p "$fx_dir"/shares/{home,sales,netlogon}
    echo "hello from the home share" >"$fx_dir/shares/home/readme.txt"
    printf '"a script on the share, called as " + $how ?\r\n' >"$fx_dir/shares/home/sub.scr"
    echo "sales figures" >"$fx_dir/shares/sales/figures.txt"
    # An INI file the server already holds, for updates through the share.
    printf '[Machine]\r\nOwner=fixture\r\n\r\n[Kept]\r\nLast=section\r\n' \
        >"$fx_dir/shares/home/inventory.ini"
    # The logon share: scripts found there only through the logon-share search.
    printf '"found on the logon share " + @LDRIVE ?\r\nCALL "second.scr"\r\n' \
        >"$fx_dir/shares/netlogon/LOGONONLY.SCR"
    printf '"second script, also from the logon share" ?\r\n' >"$fx_dir/shares/netlogon/second.scr"
    printf '"the user script from the logon share" ?\r\nUSE N: /D "N: cancelled: " @ERROR ?\r\n' \
        >"$fx_dir/shares/netlogon/$fx_user.scr"
    chown -R "$fx_uid:$fx_uid" "$fx_dir/shares"

    ip netns add "$fx_name"
    fx_ns ip link set lo up
    mkdir -p "/etc/netns/$fx_name"
    # Bound over /etc/passwd, /etc/group and /etc/hosts inside the namespace only.
    { cat /etc/passwd; echo "$fx_user:x:$fx_uid:$fx_uid:VTX32 drive tests:$fx_dir/home:/bin/sh"; } \
        >"/etc/netns/$fx_name/passwd"
    { cat /etc/group; echo "$fx_user:x:$fx_uid:"; } >"/etc/netns/$fx_name/group"
    # REFUSED has no server; SLOW takes connections and never answers; FS is FILES by a name
    # short enough for a USE device field (\\FS\HOME).
    cat >"/etc/netns/$fx_name/hosts" <<HOSTS
127.0.0.1 localhost
127.0.0.1 files files.example.test fs
127.0.0.2 refused
127.0.0.3 slow
HOSTS
    mkdir -p "$fx_dir/home"
    chown "$fx_uid:$fx_uid" "$fx_dir/home"

    cat >"$fx_dir/smb.conf" <<CONF
[global]
    server role = standalone server
    interfaces = lo
    bind interfaces only = yes
    smb ports = 445
    private dir = $fx_dir/private
    lock directory = $fx_dir/lock
    state directory = $fx_dir/state
    cache directory = $fx_dir/cache
    pid directory = $fx_dir/run
    ncalrpc dir = $fx_dir/ncalrpc
    log file = $fx_dir/log/%m.log
    passdb backend = tdbsam:$fx_dir/private/passdb.tdb
    map to guest = bad user
    load printers = no
    printcap name = /dev/null
    disable spoolss = yes
    server min protocol = SMB2
[home]
    path = $fx_dir/shares/home
    read only = no
    guest ok = yes
    force user = $fx_user
[netlogon]
    path = $fx_dir/shares/netlogon
    read only = yes
    guest ok = yes
[sales]
    path = $fx_dir/shares/sales
    read only = no
    valid users = $fx_user
CONF
    printf 'Secret42\nSecret42\n' | fx_ns smbpasswd -c "$fx_dir/smb.conf" -s -a "$fx_user" >/dev/null
    fx_ns smbd -F --no-process-group -s "$fx_dir/smb.conf" </dev/null >"$fx_dir/log/smbd.out" 2>&1 &
    fx_smbd_pid=$!
    fx_ns python3 -c '
import socket, time
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.3", 445))
s.listen(16)
held = []
while True:
    held.append(s.accept()[0])
' </dev/null >/dev/null 2>&1 &
    fx_slow_pid=$!
    local i
    for ((i = 0; i < 100; i++)); do
        fx_ns bash -c 'exec 3<>/dev/tcp/127.0.0.1/445' 2>/dev/null && return 0
        sleep 0.1
    done
    echo "fixture: smbd did not start" >&2
    cat "$fx_dir/log/smbd.out" >&2
    return 1
}

# Runs a command as the test user in a fresh session bus with its own 0700 runtime folder;
# fx_session_env holds further VAR=value words for its environment.
fx_session_env=()
fx_session() {
    local rt="$fx_dir/runtime"
    mkdir -p "$rt"
    chown "$fx_uid:$fx_uid" "$rt"
    chmod 700 "$rt"
    fx_ns setpriv --reuid="$fx_uid" --regid="$fx_uid" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$fx_dir/home" USER="$fx_user" LOGNAME="$fx_user" \
        XDG_RUNTIME_DIR="$rt" "${fx_session_env[@]}" dbus-run-session -- "$@"
}
