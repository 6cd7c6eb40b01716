#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Time of `lumvex ctl up` (or down) from start to exit, and from exit to the new level in the backlight's
# brightness file, beside `lumvex --version` and a plain dbus-send of the same call: Lumvex runs in the
# headless test desktop (tests/support/run-desktop.sh) with its fake backlight; 20 presses, up and down
# in turn, one after the other; prints median, fastest and slowest. The program is built in
# Release first unless a path to one is given.
# Usage: bench/ctl-latency.sh [PATH_TO_LUMVEX]
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -ge 1 ]]; then
    lumvex=$(realpath "$1")
else
    build=build-bench-ctl
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=OFF \
        -DLUMVEX_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" --target lumvex >/dev/null
    lumvex=$(realpath "$build/src/app/lumvex")
fi
exec tests/support/run-desktop.sh /usr/bin/python3 bench/ctl_latency.py "$lumvex"
