#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a program against a private headless sway with one output, HEADLESS-1 (1920x1080 at 0,0, or
# LUMVEX_SWAY_RESOLUTION), on a black background. Sway runs as nobody when we are root, with its own
# HOME and runtime folder; the program gets that runtime folder, WAYLAND_DISPLAY, SWAYSOCK (for
# swaymsg), LUMVEX_SWAY_PID and empty HOME and XDG folders of its own. Sway is stopped afterwards;
# exits with the program's status.
# Usage: run-with-sway.sh PROGRAM [ARGS...]
set -u
. "$(cd "$(dirname "$0")" && pwd)/private-bus.sh"
begin_work sway

runtime=$work/sway-runtime
sway_home=$work/sway-home
mkdir -p "$runtime" "$sway_home"
chmod 700 "$runtime"
cat >"$work/sway.config" <<CONF
output * bg #000000 solid_color
output HEADLESS-1 resolution ${LUMVEX_SWAY_RESOLUTION:-1920x1080} position 0 0
CONF

run_as=()
if [[ $(id -u) -eq 0 ]]; then
    # Sway refuses to run as root; nobody needs to reach its config and own its folders.
    chmod 711 "$work"
    chmod 644 "$work/sway.config"
    chown 65534:65534 "$runtime" "$sway_home"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

env -i PATH=/usr/bin:/bin HOME="$sway_home" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman \
    WLR_LIBINPUT_NO_DEVICES=1 "${run_as[@]}" sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
sway_pid=$!
pids+=("$sway_pid")

sway_sockets() {
    socket=$(find "$runtime" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' 2>/dev/null | head -n 1)
    ipc=$(find "$runtime" -maxdepth 1 -type s -name 'sway-ipc.*.sock' 2>/dev/null | head -n 1)
    [[ -n $socket && -n $ipc ]]
}
if ! wait_for 10 sway_sockets; then
    echo "run-with-sway: sway did not start" >&2
    cat "$work/sway.log" >&2
    exit 1
fi

# The background is drawn by swaybg, which sway starts on its own: until it has drawn, the screen is
# sway's grey, and on a busy machine that can take a while.
wait_for 10 pgrep -P "$sway_pid" swaybg >/dev/null
sleep 0.5

export WAYLAND_DISPLAY=$socket XDG_RUNTIME_DIR=$runtime SWAYSOCK=$ipc XDG_SESSION_TYPE=wayland
export LUMVEX_SWAY_PID=$sway_pid
private_home "$work"
export XDG_RUNTIME_DIR=$runtime
unset DISPLAY XAUTHORITY
run_command "$@"
