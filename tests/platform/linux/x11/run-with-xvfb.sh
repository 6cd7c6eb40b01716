#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test program against a private Xvfb wide enough for two 1920x1080 monitors side by side.
# -noreset keeps monitors and properties when their client leaves; -displayfd picks a free display.
set -u
. "$(cd "$(dirname "$0")" && pwd)/../../../support/private-bus.sh"
begin_work x11

start_xvfb -screen 0 3840x1080x24 || exit 1
export DISPLAY=":$display"
private_home "$work"
unset WAYLAND_DISPLAY XAUTHORITY
run_command "$@"
