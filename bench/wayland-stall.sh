#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How long the tray program holds its main thread on Wayland: at start, while the compositor answers
# LUMVEX_BENCH_DELAY seconds late (default 2, through bench/slow_compositor.py; 0: direct),
# and when the main display changes (a second output comes and takes the origin). Prints the program's
# own "lumvex.stall" lines: the longest hold so far and what each timed step took. The goal is one
# frame, 16 ms; with LUMVEX_BENCH_BUSY=1 two busy loops hold both cores meanwhile.
# Usage: bench/wayland-stall.sh [PATH_TO_LUMVEX]   (default: build/src/app/lumvex)
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} != --inside ]]; then
    lumvex=$(realpath "${1:-build/src/app/lumvex}")
    exec tests/support/run-desktop.sh tests/support/run-with-sway.sh "$0" --inside "$lumvex"
fi
lumvex=$2
delay=${LUMVEX_BENCH_DELAY:-2}
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null' EXIT
if [[ ${LUMVEX_BENCH_BUSY:-0} == 1 ]]; then
    yes >/dev/null &
    pids+=($!)
    yes >/dev/null &
    pids+=($!)
fi

runtime=$HOME/runtime
mkdir -p -m 700 "$runtime"
socket=$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY
if [[ $delay != 0 ]]; then
    python3 bench/slow_compositor.py "$HOME/slow-wayland" "$socket" "$delay" &
    pids+=($!)
    while [[ ! -S $HOME/slow-wayland ]]; do sleep 0.05; done
    socket=$HOME/slow-wayland
fi
log=$HOME/stall.log
started=$(date +%s.%N)
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_LOGGING_RULES="lumvex.stall.debug=true" "$lumvex" 2>"$log" &
pids+=($!)
until grep -q "following the main display" "$log"; do sleep 0.02; done
echo "first display after $(echo "$(date +%s.%N) - $started" | bc) s"
sleep 1
echo "== display change"
echo "-- change" >>"$log"
swaymsg create_output >/dev/null
swaymsg output HEADLESS-1 position 1920 0 >/dev/null
swaymsg output HEADLESS-2 position 0 0 >/dev/null
until [[ $(grep -c "following the main display" "$log") -ge 2 ]]; do sleep 0.02; done
sleep 2
sed -n 's/.*lumvex\.stall: //p; /^-- change/p' "$log"
