#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test binary on a private bus, standing in for both the system and the session bus, that carries a
# fake service (a python3-dbus script that creates READY_FILE, its only argument, once it owns its names);
# stops both afterwards and exits with the binary's status.
# Usage: run-with-fake-service.sh FAKE_SERVICE.py TEST_BINARY [ARGS...]
set -euo pipefail
service=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/private-bus.sh"
begin_work service
start_private_bus "$work"
pids+=("$bus_pid")
private_home "$work"
export DBUS_SYSTEM_BUS_ADDRESS="$address" DBUS_SESSION_BUS_ADDRESS="$address"
unset LUMVEX_SYSFS_ROOT

PYTHONPATH="$here" /usr/bin/python3 "$service" "$work/ready" &
pids+=($!)
wait_for 10 test -e "$work/ready" || { echo "fake service $service did not come up in 10 s" >&2; exit 1; }
run_command "$@"
