#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the benchmarks in Release and runs each one; reports mean, median and spread over repetitions.
# Extra arguments go to every benchmark (e.g. --benchmark_filter=ReduceScreen).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMVEX_WITH_QT=OFF -DLUMVEX_BUILD_TESTS=OFF \
    -DLUMVEX_BUILD_BENCH=ON >/dev/null
mapfile -t targets < <(cmake --build "$build" --target help | sed -n 's/^\(lumvex_bench_[A-Za-z0-9_]*\):.*/\1/p')
cmake --build "$build" --target "${targets[@]}"
for bench in "$build"/bench/lumvex_bench_*; do
    [[ -x $bench ]] || continue
    echo "== $(basename "$bench")"
    "$bench" --benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 "$@"
done

# Wayland capture needs the platform layer (built with Qt) and a compositor: a private headless sway at
# two sizes, started by the tests' wrapper.
if ! command -v sway >/dev/null; then
    echo "== lumvex_wayland_capture_bench skipped: sway is not installed" >&2
    exit 0
fi
wayland_build=build-bench-wayland
cmake -S . -B "$wayland_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=OFF \
    -DLUMVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$wayland_build" --target lumvex_wayland_capture_bench
for size in 1920x1080 3840x2160; do
    echo "== lumvex_wayland_capture_bench at $size"
    LUMVEX_SWAY_RESOLUTION=$size tests/support/run-with-sway.sh "$wayland_build/bench/lumvex_wayland_capture_bench" \
        --benchmark_repetitions=3 --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 "$@"
done
