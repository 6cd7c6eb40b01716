#!/usr/bin/env bash
# Runs a test binary against a private PulseAudio server (see pulse-server.sh), stops the server
# afterwards and exits with the binary's status. The binary gets the server's folder and control script
# in LUMVEX_TEST_PULSE_DIR and LUMVEX_TEST_PULSE_CONTROL, to kill the server and bring it back.
# Usage: run-with-pulseaudio.sh TEST_BINARY [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/pulse-server.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-pulse-XXXXXX")
test_pid=
cleanup() {
    if [[ -n $test_pid ]]; then kill "$test_pid" 2>/dev/null; fi
    pulse_server stop "$work"
    wait
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

pulse_server start "$work" || exit 1
export LUMVEX_TEST_PULSE_DIR="$work" LUMVEX_TEST_PULSE_CONTROL="$here/pulse-server.sh"

# In the background, so that a TERM from ctest's timeout reaches the trap at once.
"$@" &
test_pid=$!
status=0
wait "$test_pid" || status=$?
test_pid=
exit "$status"
