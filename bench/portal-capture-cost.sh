#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What screen capture through the desktop portal costs per picture, on a headless 1920x1080 sway with the
# real portal and PipeWire: for Lumvex, the compositor, the portal's backend and PipeWire. Builds the
# measuring program in the given build folder (default build/) first.
# Usage: portal-capture-cost.sh [BUILD_DIR] [TICKS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target portal_capture_cost portal_wlr_shm_shim >/dev/null
LUMVEX_PORTAL_WLR_PRELOAD="$build/tests/platform/linux/portal/portal_wlr_shm_shim.so" \
  "$root/tests/support/portal-run-with-sway.sh" "$build/bench/portal_capture_cost" "${2:-100}"
