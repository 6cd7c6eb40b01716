#!/usr/bin/env bash
# Runs a test binary on a private bus, standing in for both the system and the session bus, that carries a
# fake service (a python3-dbus script that creates READY_FILE, its only argument, once it owns its names);
# stops both afterwards and exits with the binary's status.
# Usage: run-with-fake-service.sh FAKE_SERVICE.py TEST_BINARY [ARGS...]
set -euo pipefail
service=$1
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-service-XXXXXX")
bus_pid=
fake_pid=
test_pid=

cleanup() {
  if [ -n "$test_pid" ]; then kill "$test_pid" 2>/dev/null || true; fi
  if [ -n "$fake_pid" ]; then kill "$fake_pid" 2>/dev/null || true; wait "$fake_pid" 2>/dev/null || true; fi
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT

. "$(cd "$(dirname "$0")" && pwd)/private-bus.sh"
start_private_bus "$work"

mkdir -p "$work/home" "$work/config" "$work/data" "$work/state" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
export XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SYSTEM_BUS_ADDRESS="$address" DBUS_SESSION_BUS_ADDRESS="$address"
unset LUMVEX_SYSFS_ROOT

/usr/bin/python3 "$service" "$work/ready" &
fake_pid=$!
for _ in $(seq 100); do
  [ -e "$work/ready" ] && break
  kill -0 "$fake_pid" 2>/dev/null || { echo "fake service $service did not start" >&2; exit 1; }
  sleep 0.1
done
[ -e "$work/ready" ] || { echo "fake service $service did not come up in 10 s" >&2; exit 1; }

# In the background, so that a TERM from ctest's timeout reaches the trap at once.
"$@" &
test_pid=$!
status=0
wait "$test_pid" || status=$?
test_pid=
exit "$status"
