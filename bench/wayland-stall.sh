#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How long the tray program holds its main thread on Wayland: at start, while the compositor answers
# LUMVEX_BENCH_DELAY seconds late (default 2, through bench/slow_compositor.py; 0: direct),
# and when the main display changes (a second output comes and takes the origin). Prints the program's
# own "lumvex.stall" lines: the longest hold so far and what each timed step took. The goal is one
# frame, 16 ms. LUMVEX_BENCH_BUSY=1: two busy loops hold both cores meanwhile; LUMVEX_BENCH_AUTO=1:
# automatic adjustment on, so that capture runs and is moved to the new display.
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
if [[ ${LUMVEX_BENCH_AUTO:-0} == 1 ]]; then
    mkdir -p "$XDG_CONFIG_HOME/lumvex"
    printf '[General]\nautoAdjustEnabled=true\n' >"$XDG_CONFIG_HOME/lumvex/lumvex.conf"
fi
log=$HOME/stall.log
started=$(date +%s%N)
# The tray on Qt's offscreen platform, as in a session without an X server: Qt's own Wayland plugin would
# wait for the compositor itself.
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="lumvex.stall.debug=true" \
    "$lumvex" 2>"$log" &
pids+=($!)
# The display the brightness item acts on is named once the compositor has described its outputs.
shown() {
    gdbus call --session --dest io.github.lumvex.Lumvex --object-path /io/github/lumvex/Lumvex \
        --method io.github.lumvex.Lumvex1.Status 2>/dev/null | grep -q "'DisplayUnderPointer': <'HEADLESS-1'>"
}
until shown; do sleep 0.02; done
echo "first display after $(( ($(date +%s%N) - started) / 1000000 )) ms"
sleep 1
echo "== display change"
echo "-- change" >>"$log"
followed=$(grep -c "following the main display" "$log" || true)
swaymsg create_output >/dev/null
swaymsg output HEADLESS-1 position 1920 0 >/dev/null
swaymsg output HEADLESS-2 position 0 0 >/dev/null
until [[ $(grep -c "following the main display" "$log") -ge $(( followed + 1 )) ]]; do sleep 0.02; done
sleep 2
# The timed steps; then, per phase, the holds over a frame, and of those the longest that was our own work
# (CPU time or waits in it): the rest is the machine's load keeping the thread from running.
grep -o 'lumvex\.stall: .* held the main thread .*' "$log" | sed 's/^lumvex\.stall: //'
awk '/^-- change/ { phase = "after the display change" }
     /main thread held for/ {
         held = $6; cpu = substr($8, 2); waits = $13
         count[phase]++
         if ((cpu > 1 || waits > 0) && held > ours[phase]) ours[phase] = held
     }
     END { for (p in count) printf "%s: %d holds over 16 ms, longest with work of ours %d ms\n", p, count[p], ours[p] }' \
    phase="from start to the first display" "$log"
