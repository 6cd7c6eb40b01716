#!/usr/bin/env bash
# Runs a program on a private session bus, with HOME and the XDG folders in a fresh temporary folder;
# stops the bus afterwards and exits with the program's status. Usage: run-with-session-bus.sh PROGRAM [ARGS...]
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-ui-XXXXXX")
bus_pid=
test_pid=

cleanup() {
  if [ -n "$test_pid" ]; then kill "$test_pid" 2>/dev/null || true; fi
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT

cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
{ read -r address && read -r bus_pid; } < <(dbus-daemon --config-file="$work/bus.conf" --fork --print-address=1 --print-pid=1)

mkdir -p "$work/home" "$work/config" "$work/data" "$work/state" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="$address"
export QT_QPA_PLATFORM=offscreen
unset LUMVEX_SYSFS_ROOT DISPLAY WAYLAND_DISPLAY

"$@" &
test_pid=$!
status=0
wait "$test_pid" || status=$?
test_pid=
exit "$status"
