# Runs the domain account's logon script in text sessions (console, SSH); graphical sessions
# have the autostart entry. vtx32 --logon runs once per session whoever starts it first, and
# /etc/vtx32/logon.conf ([profile] or [all]) switches this off.
if command -v vtx32 >/dev/null 2>&1; then
    if [ "${XDG_SESSION_TYPE-}" = tty ] || [ -z "${DISPLAY-}${WAYLAND_DISPLAY-}" ]; then
        # Domain accounts only: winbind names them DOMAIN\user, sssd user@realm.
        case "$(id -un 2>/dev/null)" in
            *\\* | *@*) VTX32_LAUNCHER=profile vtx32 --logon ;;
        esac
    fi
fi
