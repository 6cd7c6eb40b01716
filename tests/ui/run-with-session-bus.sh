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

. "$(cd "$(dirname "$0")" && pwd)/../support/private-bus.sh"
start_private_bus "$work"

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
