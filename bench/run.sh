#!/usr/bin/env bash
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
