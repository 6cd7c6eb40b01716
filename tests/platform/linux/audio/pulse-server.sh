#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The private PulseAudio server of the volume tests, in folder DIR: two null sinks (test_sink, made the
# default, and other_sink) and a socket at DIR/pulse.sock, no other modules, no bus to announce itself
# on, no autospawn.
#
# Sourced by a wrapper script, it defines pulse_env and pulse_server; `pulse_server start DIR` runs a
# supervisor in the wrapper's background that owns (and so reaps) every server process, and
# `pulse_server stop DIR` ends both. Run as a program, it lets a test take the server down and bring
# it back: pulse-server.sh kill|restart DIR.

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../../support/private-bus.sh"

# Points HOME, the XDG folders, libpulse and D-Bus at DIR, away from the user's real audio and buses.
pulse_env() {
    local dir=$1
    private_home "$dir"
    export PULSE_SERVER="unix:$dir/pulse.sock" PULSE_CLIENTCONFIG="$dir/client.conf"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-bus" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/no-bus"
    unset DISPLAY WAYLAND_DISPLAY PULSE_COOKIE PULSE_SINK PULSE_SOURCE
    [[ -e $PULSE_CLIENTCONFIG ]] || printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
}

# Gone, or a zombie that nobody reaps.
pulse_gone() {
    local state
    ! state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || [[ $state == Z ]]
}

# Runs one server after another until DIR/pulse.stop appears; while DIR/pulse.hold exists, none.
pulse_supervise() {
    local dir=$1
    until [[ -e $dir/pulse.stop ]]; do
        if [[ -e $dir/pulse.hold ]]; then
            sleep 0.05
            continue
        fi
        pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes -n \
            -L "module-null-sink sink_name=test_sink" -L "module-null-sink sink_name=other_sink" \
            -L "module-native-protocol-unix socket=$dir/pulse.sock auth-anonymous=1" </dev/null &
        echo "$!" >"$dir/pulse.pid.new"
        mv "$dir/pulse.pid.new" "$dir/pulse.pid"
        wait "$!"
        rm -f "$dir/pulse.pid"
        sleep 0.05
    done
}

pulse_answers() { [[ -e $1/pulse.pid ]] && pactl info >/dev/null 2>&1; }

# Waits until a server answers, and makes test_sink the default.
pulse_wait_ready() {
    if ! wait_for 10 pulse_answers "$1"; then
        echo "pulse-server: PulseAudio did not start in $1; its log follows" >&2
        cat "$1/pulse.log" >&2
        return 1
    fi
    pactl set-default-sink test_sink
}

pulse_server() {
    local action=$1 dir=$2 pid
    pulse_env "$dir"
    case $action in
    start)
        rm -f "$dir/pulse.hold" "$dir/pulse.stop" "$dir/pulse.pid"
        pulse_supervise "$dir" >>"$dir/pulse.log" 2>&1 &
        echo "$!" >"$dir/supervisor.pid"
        pulse_wait_ready "$dir"
        ;;
    kill)
        touch "$dir/pulse.hold"
        pid=$(cat "$dir/pulse.pid" 2>/dev/null) || return 0
        kill -KILL "$pid" 2>/dev/null
        wait_for 5 pulse_gone "$pid"
        ;;
    restart)
        rm -f "$dir/pulse.hold"
        pulse_wait_ready "$dir"
        ;;
    stop)
        touch "$dir/pulse.stop" "$dir/pulse.hold"
        pid=$(cat "$dir/pulse.pid" 2>/dev/null) && kill -TERM "$pid" 2>/dev/null
        pid=$(cat "$dir/supervisor.pid" 2>/dev/null) || return 0
        wait_for 5 pulse_gone "$pid" || kill -KILL "$pid" 2>/dev/null
        pid=$(cat "$dir/pulse.pid" 2>/dev/null) && kill -KILL "$pid" 2>/dev/null
        return 0
        ;;
    *)
        echo "usage: pulse-server.sh kill|restart DIR" >&2
        return 2
        ;;
    esac
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -u
    case ${1:-} in
    kill | restart) [[ $# -eq 2 ]] && pulse_server "$1" "$2" ;;
    *) echo "usage: pulse-server.sh kill|restart DIR (start and stop belong to run-with-pulseaudio.sh)" >&2; exit 2 ;;
    esac
fi
