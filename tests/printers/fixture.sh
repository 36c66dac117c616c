# Sourced by tests/printers/run and bench/logon/run: a private scheduler on 127.0.0.1:631 of a
# network namespace, with its files under WORK/cups. Nothing of the machine's CUPS is used.
#   px_cupsd_start WORK NAMESPACE GROUP...   the groups may add and remove queues
#   px_cupsd_ready NAMESPACE                 true once the scheduler answers
# px_cupsd_start sets px_cupsd_pid and exports what a client needs to reach the scheduler
# (CUPS_SERVER, CUPS_STATEDIR for the certificate that admits SystemGroup members, and a
# client folder of its own, so root's lpadmin and lpstat stay off the machine's files).
px_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
px_cupsd_pid=""

px_cupsd_start() {
    local work="$1" ns="$2"
    shift 2
    mkdir -p "$work"/cups/{conf,state,cache,spool,tmp,log,client}
    sed -e "s|@WORK@|$work|g" -e "s|@SYSTEMGROUP@|$*|" "$px_here/cups-files.conf.in" \
        >"$work/cups/conf/cups-files.conf"
    cp "$px_here/cupsd.conf" "$work/cups/conf/cupsd.conf"
    ip netns exec "$ns" cupsd -f -c "$work/cups/conf/cupsd.conf" \
        -s "$work/cups/conf/cups-files.conf" </dev/null >"$work/cupsd.log" 2>&1 &
    px_cupsd_pid=$!
    export CUPS_SERVER=127.0.0.1:631 CUPS_STATEDIR="$work/cups/state"
    export CUPS_SERVERROOT="$work/cups/client"
}

px_cupsd_ready() {
    ip netns exec "$1" lpstat -r 2>/dev/null | grep -q 'is running'
}
