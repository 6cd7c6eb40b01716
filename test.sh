#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test inside a headless desktop of its own
# (Xvfb, a private session and system bus, PulseAudio with a null sink, fake devices); tests that need
# more start it themselves. Non-zero exit on any failure.
# --sanitize: instead, builds with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize and runs
# the whole suite, then builds the threaded parts with ThreadSanitizer into build-tsan and runs their tests.
# --tsan: the ThreadSanitizer part alone.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
jobs=$(nproc)

mode=${1:-}
if [ "$mode" != --sanitize ] && [ "$mode" != --tsan ]; then
  build=${LUMVEX_BUILD_DIR:-build}
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=ON -DLUMVEX_BUILD_BENCH=ON
  cmake --build "$build" --parallel "$jobs"
  tests/support/run-desktop.sh ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300
  exit 0
fi

# -O1 and line tables only keep sanitized builds and runs quick enough; benchmarks measure the plain build only.
sanitized() {
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" \
    -DLUMVEX_WITH_QT=ON -DLUMVEX_BUILD_TESTS=ON -DLUMVEX_BUILD_BENCH=OFF "-DLUMVEX_SANITIZE=$2"
}
# A finding ends the program with status 66. Reports go to files, so that a finding in a program a test
# starts (whose stderr the test may drop) still fails the run.
supp=$PWD/tests/support/sanitizers
common="halt_on_error=1:exitcode=66:log_exe_name=1"
options() {
  rm -rf "$PWD/$1/sanitizer-logs" && mkdir -p "$PWD/$1/sanitizer-logs"
  local log="log_path=$PWD/$1/sanitizer-logs/report"
  export ASAN_OPTIONS="$common:$log:detect_leaks=1:detect_stack_use_after_return=1"
  export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="$common:$log:print_stacktrace=1"
  export TSAN_OPTIONS="$common:$log:second_deadlock_stack=1:suppressions=$supp/tsan.supp"
}
# Fails when any program wrote a report, and shows them.
reports() {
  local found=0
  for report in "$1"/sanitizer-logs/*; do
    [ -e "$report" ] || continue
    found=1
    echo "=== $report" >&2
    cat "$report" >&2
  done
  return $found
}

status=0
if [ "$mode" = --sanitize ]; then
  sanitized build-sanitize "address;undefined"
  options build-sanitize
  cmake --build build-sanitize --parallel "$jobs"
  tests/support/run-desktop.sh ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs" --timeout 600 ||
    status=1
  reports build-sanitize || status=1
fi

# The parts that run threads of their own. X11ShmCaptureTest reads the screen on the test's thread only; its
# one other thread is Qt's image-scaling pool, whose handovers the sanitizer cannot see.
tsan_targets=(capture_tests x11_capture_tests pulse_volume_tests portal_tests portal_desktop_tests ddc_client_tests)
tsan_tests='^(x11_capture_tests|pulse_volume_tests|portal_tests|portal_desktop_tests)$|^(ContentSamplerTest|ToolRunner|ExternalBrightnessControllerTest|SimulatedToolTest)\.'
sanitized build-tsan thread
options build-tsan
cmake --build build-tsan --parallel "$jobs" --target "${tsan_targets[@]}"
GTEST_FILTER='-X11ShmCaptureTest.*' tests/support/run-desktop.sh ctest --test-dir build-tsan --output-on-failure \
  --parallel "$jobs" --timeout 600 -R "$tsan_tests" || status=1
reports build-tsan || status=1
exit $status
