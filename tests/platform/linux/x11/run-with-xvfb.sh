#!/usr/bin/env bash
# Runs a test program against a private Xvfb wide enough for two 1920x1080 monitors side by side.
# -noreset keeps monitors and properties when their client leaves; -displayfd picks a free display.
set -u
. "$(cd "$(dirname "$0")" && pwd)/../../../support/private-bus.sh"
begin_work x11

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 3840x1080x24 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
if ! wait_for 10 test -s "$work/display"; then
    echo "run-with-xvfb: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$(head -n 1 "$work/display")"
private_home "$work"
unset WAYLAND_DISPLAY XAUTHORITY
run_command "$@"
