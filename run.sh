#!/usr/bin/env bash
# Installs what is missing, builds Lumvex and runs it.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
build=${LUMVEX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"

echo "Built:"
find "$build/src" -maxdepth 3 -name '*.a' -printf '  %P\n' | sort
echo "The engine library is built; the tray program arrives with the application shell."
