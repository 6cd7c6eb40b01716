#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command in a headless Wayland desktop of its own that shares its screen through the desktop portal:
# a headless sway (run-with-sway.sh: one 1920x1080 output, HEADLESS-1, black), PipeWire with WirePlumber, the
# permission store, the portal's wlroots backend and the portal itself, all on a private session bus with
# private XDG folders. The backend asks no one: its output chooser is a script that picks HEADLESS-1 and
# counts its runs in $LUMVEX_TEST_DIR/chooser-runs. Stops everything afterwards; exits with the command's status.
# LUMVEX_PORTAL_WLR_PRELOAD, when set, names a library preloaded into the backend; its log is shown when
# something fails to start.
# The command finds sway's IPC socket in SWAYSOCK (for swaymsg) and the work folder in LUMVEX_TEST_DIR.
# Usage: portal-run-with-sway.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The compositor, its folders and SWAYSOCK come from run-with-sway.sh, which runs this script again inside.
if [ -z "${LUMVEX_SWAY_PID:-}" ]; then
  exec "$here/run-with-sway.sh" "$here/$(basename "$0")" "$@"
fi
. "$here/private-bus.sh"
begin_work portal
chmod 755 "$work"

fail() {
  echo "portal-run-with-sway: $1" >&2
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

mkdir -p "$XDG_CONFIG_HOME"
runtime=$XDG_RUNTIME_DIR

start_private_bus "$work"
pids+=("$bus_pid")

export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland LUMVEX_TEST_DIR="$work"
export DBUS_SESSION_BUS_ADDRESS="$address" DBUS_SYSTEM_BUS_ADDRESS="$address"
unset DISPLAY PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR

has_name() { dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
  org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q true; }

pipewire >"$work/pipewire.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$runtime/pipewire-0" || fail "PipeWire did not start"
wireplumber >"$work/wireplumber.log" 2>&1 &
pids+=($!)

/usr/libexec/xdg-permission-store --replace >"$work/permission-store.log" 2>&1 &
pids+=($!)
wait_for 10 has_name org.freedesktop.impl.portal.PermissionStore || fail "the permission store did not start"

cat >"$work/chooser" <<CHOOSER
#!/bin/sh
echo run >>"$work/chooser-runs"
echo HEADLESS-1
CHOOSER
chmod 755 "$work/chooser"
mkdir -p "$XDG_CONFIG_HOME/xdg-desktop-portal-wlr"
cat >"$XDG_CONFIG_HOME/xdg-desktop-portal-wlr/config" <<CONF
[screencast]
chooser_type=simple
chooser_cmd=$work/chooser
max_fps=30
CONF
LD_PRELOAD="${LUMVEX_PORTAL_WLR_PRELOAD:-}" /usr/libexec/xdg-desktop-portal-wlr -l INFO >"$work/portal-wlr.log" 2>&1 &
pids+=($!)
wait_for 10 has_name org.freedesktop.impl.portal.desktop.wlr || fail "the portal's wlroots backend did not start"

/usr/libexec/xdg-desktop-portal -r >"$work/portal.log" 2>&1 &
pids+=($!)
wait_for 10 has_name org.freedesktop.portal.Desktop || fail "the desktop portal did not start"

run_command "$@"
