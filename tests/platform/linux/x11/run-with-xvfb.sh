#!/usr/bin/env bash
# Runs a test program against a private Xvfb wide enough for two 1920x1080 monitors side by side.
# -noreset keeps monitors and properties when their client leaves; -displayfd picks a free display.
set -u

work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-x11-XXXXXX")
xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 3840x1080x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -s $work/display ]]; then
    echo "run-with-xvfb: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$(head -n 1 "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_STATE_HOME="$work/state" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY XAUTHORITY

"$@"
