# Runs the domain account's logon script in text sessions (console, SSH); graphical sessions
# have the autostart entry. vtx32 --logon runs once per session whoever starts it first, and
# /etc/vtx32/logon.conf ([profile] or [all]) switches this off.
if command -v vtx32 >/dev/null 2>&1; then
    if [ "${XDG_SESSION_TYPE-}" = tty ] || [ -z "${DISPLAY-}${WAYLAND_DISPLAY-}" ]; then
        # Domain accounts only: winbind names them DOMAIN\user, sssd user@realm. A plain name
        # (winbind's default domain, sssd's short names) is a domain account's when the local
        # files do not hold its uid and winbind or sssd serves it: no name rule to guess, and
        # a local account costs one lookup in its own files.
        vtx32_uid="$(id -u 2>/dev/null)"
        case "$(id -un 2>/dev/null)" in
            *\\* | *@*) vtx32_domain=yes ;;
            *)
                if [ -n "$vtx32_uid" ] && ! getent -s files passwd "$vtx32_uid" >/dev/null 2>&1 &&
                    { getent -s winbind passwd "$vtx32_uid" ||
                        getent -s sss passwd "$vtx32_uid"; } >/dev/null 2>&1; then
                    vtx32_domain=yes
                fi
                ;;
        esac
        if [ "${vtx32_domain-}" = yes ]; then VTX32_LAUNCHER=profile vtx32 --logon; fi
        unset vtx32_uid vtx32_domain
    fi
fi
