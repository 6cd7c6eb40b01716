#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the content sampler costs at 10 Hz, as percent of one core, counting both Lumvex and the X
# server: on Xvfb at 1920x1080 and 3840x2160, for a still screen, for one where a 256x256 square
# changes before every tick and for one that changes whole before every tick. Three ways to capture:
#   new         DAMAGE; only the rectangles drawn on are read; frames mostly drawn on are shrunk by
#               the server (XRender) before the copy, and after 3 s of a wholly changing screen a
#               glance (one pixel in 16x16) on every tick says whether a full read is due
#   new-10hz    the same with a full read on every tick
#   today       DAMAGE; only the rectangles drawn on are read, always at full size, at 10 Hz
#   every-time  the whole screen read at full size on every tick, without DAMAGE
# CPU time is the scheduler's count for each process (/proc/PID/task/*/schedstat), not wall time, so
# other load on the machine changes it little. The X server's work for the program that does the
# drawing is measured alone and left out.
# `--sweep` measures instead the whole-screen case for every server filter and factor (2 to 8).
# LUMVEX_BENCH_METHODS (words) replaces the list of methods.
# Builds in Release first; takes about eight minutes (the sweep six). LUMVEX_BENCH_SECONDS sets the
# seconds measured per case (default 10; 5 for the sweep). The Google Benchmarks of the reducers run
# from bench/run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench-sampler
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=OFF \
    -DLUMVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target lumvex_sampler_cpu lumvex_screen_repainter >/dev/null
driver=$build/bench/lumvex_sampler_cpu
repainter=$build/bench/lumvex_screen_repainter
sweep=false
if [[ ${1:-} == --sweep ]]; then
    sweep=true
elif [[ $# -gt 0 ]]; then
    echo "usage: bench/sampler-cpu.sh [--sweep]" >&2
    exit 2
fi
seconds=${LUMVEX_BENCH_SECONDS:-$($sweep && echo 5 || echo 10)}

work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-bench-XXXXXX")
xvfb_pid=
repaint_pid=
stop() {
    if [[ -n $1 ]]; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
cleanup() {
    stop "$repaint_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
unset WAYLAND_DISPLAY XAUTHORITY
export XDG_SESSION_TYPE=x11

start_xvfb() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "$1x24" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        sleep 0.1
    done
    if [[ ! -s $work/display ]]; then
        echo "sampler-cpu: Xvfb did not start at $1" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# CPU time of a process in nanoseconds, summed over its threads.
cpu_ns() {
    local total=0 ns _
    for stat in /proc/"$1"/task/*/schedstat; do
        read -r ns _ <"$stat" && total=$((total + ns))
    done
    echo "$total"
}

# The driver's options for each method; in the sweep, a method is a filter and factor.
options_of() {
    case $1 in
    new) echo "--mode when-drawn" ;;
    new-10hz) echo "--mode when-drawn --pace full" ;;
    today) echo "--mode when-drawn --scale none" ;;
    every-time) echo "--mode every-time --scale none" ;;
    *) echo "--mode when-drawn --pace full --scale $1" ;;
    esac
}

# Prints "sampler xserver samples frames shrunk rows" for one run of the sampler.
measure() {
    local line
    # shellcheck disable=SC2046 # the options are words
    line=$("$driver" --server-pid "$xvfb_pid" $(options_of "$1") --seconds "$seconds" --warmup "$warmup")
    awk '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
           print v["sampler_cpu"], v["xserver_cpu"], v["samples"], v["frames"], v["scaled"], v["rows"] }' <<<"$line"
}

rows=()
row() { # size screen method sampler xserver samples frames shrunk rows
    rows+=("$(printf '%-10s %-9s %-11s %9.3f %9.3f %9.3f %9s %6d %6d' "$1" "$2" "$3" "$4" "$5" \
        "$(awk -v a="$4" -v b="$5" 'BEGIN { print a + b }')" "$7/$6" "$8" \
        "$(awk -v f="$7" -v r="$9" 'BEGIN { print (f > 0 ? int(r / f + 0.5) : 0) }')")")
}

# Runs both methods while the repainter draws; its own X server work is measured alone and taken off.
changing() {
    local screen=$1 before after start end baseline painter painter_before painter_after
    shift
    "$repainter" "$@" &
    repaint_pid=$!
    sleep 1
    start=$(date +%s%N) before=$(cpu_ns "$xvfb_pid") painter_before=$(cpu_ns "$repaint_pid")
    sleep "$seconds"
    end=$(date +%s%N) after=$(cpu_ns "$xvfb_pid") painter_after=$(cpu_ns "$repaint_pid")
    baseline=$(awk -v a="$before" -v b="$after" -v s="$start" -v e="$end" 'BEGIN { print 100 * (b - a) / (e - s) }')
    painter=$(awk -v a="$painter_before" -v b="$painter_after" -v s="$start" -v e="$end" \
        'BEGIN { print 100 * (b - a) / (e - s) }')
    echo "   $screen repainted alone: X server $baseline %, repainter $painter % (both left out)" >&2
    for method in "${methods[@]}"; do
        read -r sampler server samples frames shrunk read_rows < <(measure "$method")
        row "$size" "$screen" "$method" "$sampler" "$(awk -v a="$server" -v b="$baseline" 'BEGIN { print a - b }')" \
            "$samples" "$frames" "$shrunk" "$read_rows"
    done
    stop "$repaint_pid"
    repaint_pid=
}

# The whole-screen case is measured once the rate has settled (after 3 s of a wholly changing screen).
warmup=5
if $sweep; then
    methods=()
    for filter in nearest bilinear; do
        for factor in 2 3 4 5 6 8; do
            methods+=("$filter:$factor")
        done
    done
    methods+=(box:2 box:4 box:8)
    methods+=(today)
else
    methods=(new new-10hz today every-time)
fi
if [[ -n ${LUMVEX_BENCH_METHODS:-} ]]; then
    read -r -a methods <<<"$LUMVEX_BENCH_METHODS"
fi
for size in 1920x1080 3840x2160; do
    echo "== $size" >&2
    start_xvfb "$size"
    if ! $sweep; then
        for method in "${methods[@]}"; do
            read -r sampler server samples frames shrunk read_rows < <(measure "$method")
            row "$size" still "$method" "$sampler" "$server" "$samples" "$frames" "$shrunk" "$read_rows"
        done
        # Every tick finds something drawn: a repaint at least every 67 ms.
        changing square --hz 25
    fi
    changing whole --hz 15 --full
    stop "$xvfb_pid"
    xvfb_pid=
done

echo
echo "Percent of one core at 10 Hz over ${seconds} s per case (frames: read/samples; shrunk: read shrunk by the server)"
printf '%-10s %-9s %-11s %9s %9s %9s %9s %6s %6s\n' size screen method lumvex xserver total frames shrunk rows
printf '%s\n' "${rows[@]}"
