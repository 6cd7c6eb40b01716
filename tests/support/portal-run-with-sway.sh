#!/usr/bin/env bash
# Runs a command in a headless Wayland desktop of its own that shares its screen through the desktop portal:
# a headless sway (one 1920x1080 output, HEADLESS-1, solid background), PipeWire with WirePlumber, the
# permission store, the portal's wlroots backend and the portal itself, all on a private session bus with
# private XDG folders. The backend asks no one: its output chooser is a script that picks HEADLESS-1 and
# counts its runs in $LUMVEX_TEST_DIR/chooser-runs. Stops everything afterwards; exits with the command's status.
# LUMVEX_PORTAL_WLR_PRELOAD, when set, names a library preloaded into the backend; LUMVEX_PORTAL_WLR_LOG sets
# its log level (default INFO; the log is shown when something fails to start).
# The command finds sway's IPC socket in SWAYSOCK (for swaymsg) and the work folder in LUMVEX_TEST_DIR.
# Usage: portal-run-with-sway.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-portal-XXXXXX")
chmod 755 "$work"
pids=()
cmd_pid=

cleanup() {
  [ -n "$cmd_pid" ] && kill "$cmd_pid" 2>/dev/null || true
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[$i]}" 2>/dev/null || true
    wait "${pids[$i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT

fail() {
  echo "portal-run-with-sway: $1" >&2
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

wait_for() { # wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s
  local tries=$(($1 * 10))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

runtime="$work/runtime"
mkdir -p "$runtime" "$work/home" "$work/config" "$work/data" "$work/state" "$work/cache" "$work/sway-home"
chmod 700 "$runtime"
cat >"$work/sway.conf" <<CONF
output HEADLESS-1 resolution 1920x1080 position 0 0
output * bg #000000 solid_color
CONF
chmod 644 "$work/sway.conf"

# sway refuses to run as root: as root it runs as nobody, which must own the runtime folder it shares with us.
sway_env=(env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" HOME="$work/sway-home" WLR_BACKENDS=headless
  WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1)
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$runtime" "$work/sway-home"
  "${sway_env[@]}" setpriv --reuid=65534 --regid=65534 --clear-groups sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
else
  "${sway_env[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
fi
pids+=($!)
wait_for 10 test -S "$runtime/wayland-1" || fail "sway did not start"
wait_for 10 compgen -G "$runtime/sway-ipc.*.sock" >/dev/null || fail "sway's IPC socket did not appear"
SWAYSOCK=$(compgen -G "$runtime/sway-ipc.*.sock" | head -n 1)

. "$here/private-bus.sh"
start_private_bus "$work"
pids+=("$bus_pid")

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 SWAYSOCK
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
LD_PRELOAD="${LUMVEX_PORTAL_WLR_PRELOAD:-}" /usr/libexec/xdg-desktop-portal-wlr -l "${LUMVEX_PORTAL_WLR_LOG:-INFO}" >"$work/portal-wlr.log" 2>&1 &
pids+=($!)
wait_for 10 has_name org.freedesktop.impl.portal.desktop.wlr || fail "the portal's wlroots backend did not start"

/usr/libexec/xdg-desktop-portal -r >"$work/portal.log" 2>&1 &
pids+=($!)
wait_for 10 has_name org.freedesktop.portal.Desktop || fail "the desktop portal did not start"

"$@" &
cmd_pid=$!
status=0
wait "$cmd_pid" || status=$?
cmd_pid=
exit "$status"
