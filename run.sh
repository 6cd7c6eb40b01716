#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Lumvex and runs it: in the tray when there is a graphical session,
# otherwise a week of the simulated main job with the comparison strategies.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
build=${LUMVEX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target lumvex

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/src/app/lumvex" "$@"
fi
echo "No graphical session here: running the main job on simulated days instead."
exec "$build/src/app/lumvex" simulate --compare "$@"
