#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test binary against a private PulseAudio server (see pulse-server.sh), stops the server
# afterwards and exits with the binary's status. The binary gets the server's folder and control script
# in LUMVEX_TEST_PULSE_DIR and LUMVEX_TEST_PULSE_CONTROL, to kill the server and bring it back.
# Usage: run-with-pulseaudio.sh TEST_BINARY [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/pulse-server.sh"
begin_work pulse
on_cleanup() {
    pulse_server stop "$work"
    wait
}

pulse_server start "$work" || exit 1
export LUMVEX_TEST_PULSE_DIR="$work" LUMVEX_TEST_PULSE_CONTROL="$here/pulse-server.sh"
run_command "$@"
