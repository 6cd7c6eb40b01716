#!/usr/bin/env bash
# What the content sampler costs at 10 Hz, as percent of one core, counting both Lumvex and the X
# server: on Xvfb at 1920x1080 and 3840x2160, for a still screen, for one where a 256x256 square
# changes before every tick and for one that changes whole before every tick; with DAMAGE
# (when-drawn: read only the rows drawn on) and without (every-time: read the whole screen each tick).
# The X server's work for the program that does the drawing is measured alone and left out.
# Builds in Release first; takes about four minutes. LUMVEX_BENCH_SECONDS sets the seconds measured
# per case (default 10). The Google Benchmarks of the reducers run from bench/run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench-sampler
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=OFF \
    -DLUMVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target lumvex_sampler_cpu lumvex_screen_repainter >/dev/null
driver=$build/bench/lumvex_sampler_cpu
repainter=$build/bench/lumvex_screen_repainter
seconds=${LUMVEX_BENCH_SECONDS:-10}

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

# Prints "sampler xserver samples frames rows" for one run of the sampler.
measure() {
    local line
    line=$("$driver" --server-pid "$xvfb_pid" --mode "$1" --seconds "$seconds")
    awk '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
           print v["sampler_cpu"], v["xserver_cpu"], v["samples"], v["frames"], v["rows"] }' <<<"$line"
}

rows=()
row() { # size screen method sampler xserver samples frames rows
    rows+=("$(printf '%-10s %-9s %-11s %9.3f %9.3f %9.3f %9s %6d' "$1" "$2" "$3" "$4" "$5" \
        "$(awk -v a="$4" -v b="$5" 'BEGIN { print a + b }')" "$7/$6" \
        "$(awk -v f="$7" -v r="$8" 'BEGIN { print (f > 0 ? int(r / f + 0.5) : 0) }')")")
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
    for method in when-drawn every-time; do
        read -r sampler server samples frames read_rows < <(measure "$method")
        row "$size" "$screen" "$method" "$sampler" "$(awk -v a="$server" -v b="$baseline" 'BEGIN { print a - b }')" \
            "$samples" "$frames" "$read_rows"
    done
    stop "$repaint_pid"
    repaint_pid=
}

for size in 1920x1080 3840x2160; do
    echo "== $size" >&2
    start_xvfb "$size"
    for method in when-drawn every-time; do
        read -r sampler server samples frames read_rows < <(measure "$method")
        row "$size" still "$method" "$sampler" "$server" "$samples" "$frames" "$read_rows"
    done

    # Every tick finds something drawn: a repaint at least every 67 ms.
    changing square --hz 25
    changing whole --hz 15 --full
    stop "$xvfb_pid"
    xvfb_pid=
done

echo
echo "Percent of one core at 10 Hz over ${seconds} s per case (when-drawn: DAMAGE; every-time: naive)"
printf '%-10s %-9s %-11s %9s %9s %9s %9s %6s\n' size screen method lumvex xserver total frames rows
printf '%s\n' "${rows[@]}"
