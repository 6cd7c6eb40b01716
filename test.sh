#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test inside a headless desktop of its own
# (Xvfb, a private session and system bus, PulseAudio with a null sink, fake devices); tests that need
# more start it themselves. Non-zero exit on any failure.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
build=${LUMVEX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=ON -DLUMVEX_BUILD_BENCH=ON
cmake --build "$build" --parallel "$(nproc)"
tests/support/run-desktop.sh ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
