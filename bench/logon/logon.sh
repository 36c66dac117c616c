#!/usr/bin/env bash
# The network work of logon.scr done with the platform's own tools, for the logon benchmark:
# each "@class NAME" line on standard error starts the step the benchmark times as NAME.
set -u
g="$XDG_RUNTIME_DIR/gvfs"
mark() { echo "@class $1" >&2; }

mark use
gio mount -a smb://files/home </dev/null
printf 'vtxdrive\nWORKGROUP\nSecret42\n' | gio mount smb://files/sales >/dev/null
gio mount -a smb://files/netlogon </dev/null

mark files
home="$g/smb-share:server=files,share=home"
sales=("$g"/smb-share:*share=sales*)
[[ -f "$home/readme.txt" && -f "${sales[0]}/figures.txt" ]] &&
    echo "shares ready"
[[ -f "$g/smb-share:server=files,share=netlogon/missing.scr" ]] || echo "no extra script"
printf '[Options]\r\nCompany=Example Domain\r\nUser=%s\r\n' "$USER" >"$home/office.ini"

mark printer
lpadmin -p FILES-LASER -v smb://files/LASER -E
lpoptions -d FILES-LASER >/dev/null

mark delete
gio mount -u smb://files/home
gio mount -u smb://files/sales
gio mount -u smb://files/netlogon
