#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How far the figures of frames the X server shrinks before the copy lie from exact ones: a table per
# frame of the set (photos, text pages light and dark, hairlines) on a private Xvfb, and exit status 1
# when one is beyond the bound. Usage: bench/shrink-error.sh [BUILD_DIR] (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target lumvex_shrink_error >/dev/null
# The main monitor 1920x1080 at the origin, as the frames are drawn.
exec tests/platform/linux/x11/run-with-xvfb.sh bash -c \
    'xrandr --setmonitor "*eDP-1" 1920/344x1080/194+0+0 screen >/dev/null && exec "$0"' \
    "$PWD/$build/bench/lumvex_shrink_error"
