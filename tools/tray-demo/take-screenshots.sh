#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the README's pictures from the program as built, so that they show its current menu and icons:
# DOCS/icons.png, every icon variant, and DOCS/tray.png, lumvex-tray-demo in a real tray host
# (xfce4-panel) under Xvfb, its menu opened with the Alt entries and the calibration submenu, after a few
# scrolls that the loop learned from.
# Needs xfce4-panel, imagemagick and xdotool (not among the test dependencies: run by hand).
# Usage: take-screenshots.sh BUILD_DIR [DOCS_DIR]   (default: docs)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
docs=$(cd "${2:-$here/../../docs}" && pwd)
# The README's pictures are in English, whatever the language of the one who takes them.
export LANGUAGE=en LC_ALL=C.UTF-8
demo=$build/tools/tray-demo/lumvex-tray-demo
[ -x "$demo" ] || { echo "take-screenshots: $demo is missing (build with -DLUMVEX_BUILD_TESTS=ON)" >&2; exit 1; }
for tool in Xvfb xfce4-panel import xdotool dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "take-screenshots: $tool is missing (apt-get install xfce4-panel imagemagick xdotool xvfb)" >&2; exit 1; }
done
# The temp folder, private home, bus and X server of the test wrappers.
. "$here/../../tests/support/private-bus.sh"
begin_work shot
private_home "$work"
mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
cp "$here/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
QT_QPA_PLATFORM=offscreen "$demo" --icons "$work/icons" >"$work/icons.log" 2>&1 \
  || { cat "$work/icons.log" >&2; exit 1; }
cp "$work/icons/all-icons.png" "$docs/icons.png"
echo "take-screenshots: wrote $docs/icons.png"

start_private_bus "$work"
on_cleanup() { kill "$bus_pid" 2>/dev/null || true; }
export DBUS_SESSION_BUS_ADDRESS=$address
unset WAYLAND_DISPLAY SESSION_MANAGER
start_xvfb -screen 0 800x520x24
export DISPLAY=":$display"

/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd >"$work/xfconfd.log" 2>&1 &
pids+=($!)
sleep 0.5
xfce4-panel --disable-wm-check >"$work/panel.log" 2>&1 &
pids+=($!)
watcher_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 150); do watcher_up && break; sleep 0.1; done
watcher_up || { echo "take-screenshots: xfce4-panel's status tray did not start" >&2; cat "$work/panel.log" >&2; exit 1; }

"$demo" --alt --level 0.62 --volume 0.4 >"$work/demo.log" 2>&1 &
pids+=($!)
sleep 3

# The tray sits left of the clock at the right end of the panel; the brightness item is the rightmost.
x=748 y=15
xdotool mousemove $x $y
for button in 5 5 4; do xdotool click $button; sleep 0.3; done
xdotool click 1
sleep 1.2
xdotool mousemove 600 172 # "Calibration…"
sleep 1.5
import -window root "$work/screen.png"
convert "$work/screen.png" -crop 760x472+40+0 +repage -strip "$docs/tray.png"
echo "take-screenshots: wrote $docs/tray.png"
