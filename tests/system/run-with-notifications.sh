#!/usr/bin/env bash
# Runs a test binary on a private session bus that carries a fake notification server; stops both
# afterwards and exits with the binary's status. Usage: run-with-notifications.sh TEST_BINARY [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-notify-XXXXXX")
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

. "$(cd "$(dirname "$0")" && pwd)/../support/private-bus.sh"
start_private_bus "$work"

mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="$address"

/usr/bin/python3 "$here/fake_notifications.py" "$work/ready" &
fake_pid=$!
for _ in $(seq 100); do
  [ -e "$work/ready" ] && break
  kill -0 "$fake_pid" 2>/dev/null || { echo "fake notification server did not start" >&2; exit 1; }
  sleep 0.1
done
[ -e "$work/ready" ] || { echo "fake notification server did not come up in 10 s" >&2; exit 1; }

# In the background, so that a TERM from ctest's timeout reaches the trap at once.
"$@" &
test_pid=$!
status=0
wait "$test_pid" || status=$?
test_pid=
exit "$status"
