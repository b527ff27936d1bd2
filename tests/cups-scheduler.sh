#!/usr/bin/env bash
# A private CUPS scheduler for the tests and benchmarks, on a loopback port, with its own
# configuration, spool and backends, so that the system's own scheduler (if any) is never
# touched.
#   cups-scheduler.sh start DIR PORT   makes DIR afresh, starts cupsd and its test queues
#   cups-scheduler.sh stop DIR         stops the cupsd started in DIR, if it still runs
# Queues: labels (the default; appends each job to DIR/capture/labels), slow (never finishes a
# job), empty (reports an empty media tray and stops), stopped, rejecting, secret (asks for a
# password).
set -euo pipefail

stop() {
    local dir=$1 pid
    [[ -f $dir/cupsd.pid ]] || return 0
    pid=$(<"$dir/cupsd.pid")
    rm -f "$dir/cupsd.pid"
    # Only the scheduler this script started, never another process that took its number.
    [[ $(cat "/proc/$pid/comm" 2>/dev/null) == cupsd ]] || return 0
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

backend() {
    local file=$1/bin/backend/$2
    {
        echo '#!/bin/sh'
        echo "[ \$# -eq 0 ] && { echo 'direct $2 \"Unknown\" \"Test backend\"'; exit 0; }"
        cat
    } >"$file"
    chmod 755 "$file"
}

start() {
    local dir=$1 port=$2 server=127.0.0.1:$2
    stop "$dir"
    rm -rf "$dir"
    mkdir -p "$dir"/{bin/backend,capture,spool,cache,state,tmp,log}
    ln -s /usr/lib/cups/daemon "$dir/bin/daemon"
    ln -s /usr/lib/cups/notifier "$dir/bin/notifier"
    backend "$dir" capture <<'B'
file=${DEVICE_URI#capture:}
if [ -n "$6" ]; then cat "$6" >>"$file"; else cat >>"$file"; fi
B
    backend "$dir" slow <<'B'
sleep 600
B
    backend "$dir" empty <<'B'
echo 'STATE: +media-empty-error' >&2
exit 4
B
    cat >"$dir/cupsd.conf" <<C
Listen 127.0.0.1:$port
Browsing Off
DefaultAuthType None
WebInterface No
LogLevel info
MaxJobs 0
<Location />
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
<Policy secret>
  <Limit All>
    AuthType Basic
    Require valid-user
    Order deny,allow
  </Limit>
</Policy>
C
    cat >"$dir/cups-files.conf" <<C
User lp
Group lp
ServerRoot $dir
ServerBin $dir/bin
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
C
    # The scheduler runs as lp and refuses backends anyone but root may change.
    if [[ $(id -u) -eq 0 ]]; then
        chown -R lp:lp "$dir"
        chown -R root:root "$dir/bin"
    fi
    chmod 1777 "$dir/capture"
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    running() { lpstat -h "$server" -r 2>/dev/null | grep -q 'scheduler is running'; }
    for _ in $(seq 100); do
        running && break
        sleep 0.1
    done
    running || {
        cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2
        exit 1
    }
    local name
    for name in labels stopped rejecting secret; do
        lpadmin -h "$server" -p "$name" -E -v "capture:$dir/capture/$name" -m raw 2>/dev/null
    done
    lpadmin -h "$server" -p slow -E -v slow:/ -m raw 2>/dev/null
    lpadmin -h "$server" -p empty -E -v empty:/ -m raw 2>/dev/null
    lpadmin -h "$server" -p labels -D "Label printer on the bench" -d labels
    cupsdisable -h "$server" -r "Waiting for a new print head" stopped
    cupsreject -h "$server" -r "Closed for the inventory" rejecting
    lpadmin -h "$server" -p secret -o printer-op-policy=secret
}

case ${1-} in
start) start "$2" "$3" ;;
stop) stop "$2" ;;
*)
    echo "usage: $0 start DIR PORT | stop DIR" >&2
    exit 2
    ;;
esac
