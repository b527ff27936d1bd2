#!/usr/bin/env bash
# Runs a command beside a private Avahi daemon, in a network and mount namespace of its own:
#   avahi-namespace.sh DIR COMMAND [ARG...]
# Inside: a veth pair with link-local addresses (veth0: 169.254.77.1, .3 and .4; veth1: .2), a
# private system bus at DIR/bus with avahi-daemon on it, limited to veth0, and a second bus at
# DIR/bare-bus with no daemon. /run is a fresh tmpfs, so neither the machine's own bus nor its
# daemon is reachable. The command gets DBUS_SYSTEM_BUS_ADDRESS and TROVANEL_AVAHI_DIR=DIR and
# publishes what it needs with avahi-publish. Exits 77 (skipped) where namespaces are refused.
set -euo pipefail

if [[ ${TROVANEL_AVAHI_INSIDE:-} != 1 ]]; then
    if ! unshare -n -m true 2>/dev/null; then
        echo "skipped: this machine refuses network namespaces (the tests need root)"
        exit 77
    fi
    exec env TROVANEL_AVAHI_INSIDE=1 unshare -n -m bash "$0" "$@"
fi

dir=$(realpath -m "$1") # the bus address needs an absolute path
shift
rm -rf "$dir"
mkdir -p "$dir"
mount -t tmpfs tmpfs /run
mkdir -p /run/avahi-daemon

ip link set lo up
ip link add veth0 type veth peer name veth1
for address in 1 3 4; do
    ip addr add "169.254.77.$address/16" dev veth0
done
ip addr add 169.254.77.2/16 dev veth1
ip link set veth0 up
ip link set veth1 up

bus_config() {
    cat <<CONF
<busconfig>
  <type>system</type>
  <listen>unix:path=$1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/><allow own="*"/><allow send_type="method_call"/>
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
  </policy>
</busconfig>
CONF
}
bus_config "$dir/bus" >"$dir/bus.conf"
bus_config "$dir/bare-bus" >"$dir/bare-bus.conf"
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
}
trap cleanup EXIT
for bus in bus bare-bus; do
    pids+=("$(dbus-daemon --config-file="$dir/$bus.conf" --fork --print-pid)")
done
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/bus"

cat >"$dir/avahi-daemon.conf" <<CONF
[server]
host-name=trovanel-test
use-ipv4=yes
use-ipv6=no
allow-interfaces=veth0
enable-dbus=yes
[publish]
publish-hinfo=no
publish-workstation=no
CONF
avahi-daemon --no-drop-root --no-chroot --no-rlimits -f "$dir/avahi-daemon.conf" \
    >"$dir/avahi-daemon.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    grep -q "Server startup complete" "$dir/avahi-daemon.log" && break
    sleep 0.05
done
if ! grep -q "Server startup complete" "$dir/avahi-daemon.log"; then
    echo "avahi-daemon did not start:"
    cat "$dir/avahi-daemon.log"
    exit 1
fi

export TROVANEL_AVAHI_DIR=$dir
"$@"
