#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command inside a headless desktop of its own: Xvfb (3840x1080, monitors eDP-1, 2400 wide and under
# the pointer, and DP-1 side by side), one private D-Bus bus standing in for both the session and the system bus, the fake login
# manager of fake_desktop.py, PulseAudio with one null sink, a fake backlight (intel_backlight, max 1000, at 500)
# and empty HOME and XDG folders. Everything is stopped afterwards; exits with the command's status.
# The command finds the fake sysfs root in LUMVEX_SYSFS_ROOT and the work folder in LUMVEX_TEST_DIR.
# Usage: run-desktop.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/private-bus.sh"
begin_work desktop

# X server on a free display number.
start_xvfb -screen 0 3840x1080x24 || exit 1
export DISPLAY=":$display"
# The pointer starts in the middle of the screen: on the built-in panel.
xrandr --setmonitor '*eDP-1' 2400/344x1080/194+0+0 screen >/dev/null
xrandr --setmonitor DP-1 1440/527x1080/296+2400+0 none >/dev/null

start_private_bus "$work"
pids+=("$bus_pid")
export DBUS_SESSION_BUS_ADDRESS="$address" DBUS_SYSTEM_BUS_ADDRESS="$address"

private_home "$work"
export LUMVEX_TEST_DIR="$work"
unset WAYLAND_DISPLAY

# Sound: a null sink only, reached through our own socket; nothing may spawn the user's server.
printf 'autospawn = no\n' >"$work/client.conf"
export PULSE_SERVER="unix:$work/pulse.sock" PULSE_CLIENTCONFIG="$work/client.conf"
unset PULSE_COOKIE PULSE_SINK PULSE_SOURCE
pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes -n \
  -L "module-null-sink sink_name=test_sink" \
  -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" </dev/null >"$work/pulse.log" 2>&1 &
pids+=($!)
wait_for 10 eval 'pactl info >/dev/null 2>&1' || { echo "PulseAudio did not start" >&2; cat "$work/pulse.log" >&2; exit 1; }

sysfs="$work/sysfs"
mkdir -p "$sysfs/sys/class/backlight/intel_backlight"
echo 1000 >"$sysfs/sys/class/backlight/intel_backlight/max_brightness"
echo 500 >"$sysfs/sys/class/backlight/intel_backlight/brightness"
echo firmware >"$sysfs/sys/class/backlight/intel_backlight/type"
export LUMVEX_SYSFS_ROOT="$sysfs"

/usr/bin/python3 "$here/fake_desktop.py" "$work/ready" &
pids+=($!)
wait_for 10 test -e "$work/ready" || { echo "fake desktop services did not start" >&2; exit 1; }
dbus-send --session --dest=org.lumvex.test.FakeDesktop --print-reply /org/lumvex/test \
  org.lumvex.test.FakeDesktop.SetSysfsRoot string:"$sysfs" >/dev/null

run_command "$@"
