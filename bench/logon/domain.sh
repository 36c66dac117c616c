#!/usr/bin/env bash
# logon.sh for an account of the domain controller fixture: the same shares as domain.scr,
# mounted with the session's Kerberos ticket; "@class NAME" lines as in logon.sh.
set -u
g="$XDG_RUNTIME_DIR/gvfs"
mark() { echo "@class $1" >&2; }

mark use
gio mount smb://dc1/users </dev/null
gio mount smb://dc1/sysvol </dev/null
gio mount smb://dc1/netlogon </dev/null

mark files
home=("$g"/smb-share:*share=users*)
netlogon=("$g"/smb-share:*share=netlogon*)
sysvol=("$g"/smb-share:*share=sysvol*)
[[ -f "${home[0]}/readme.txt" && -f "${netlogon[0]}/logon.scr" ]] && echo "shares ready"
[[ -f "${sysvol[0]}/missing.scr" ]] || echo "no extra script"
printf '[Options]\r\nCompany=Example Domain\r\nUser=%s\r\n' "$USER" >"${home[0]}/office.ini"

mark printer
lpadmin -p DC1-LASER -v smb://dc1/LASER -E
lpoptions -d DC1-LASER >/dev/null

mark delete
gio mount -u smb://dc1/users
gio mount -u smb://dc1/sysvol
gio mount -u smb://dc1/netlogon
