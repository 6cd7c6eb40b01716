#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the tray checks of real_hosts.py against real desktops running headless: GNOME Shell with the
# AppIndicator extension, KDE Plasma and the Xfce panel. Installs the hosts first if they are missing (hundreds
# of MB, which is why this is not part of ./test.sh). Logs of each run land in LUMVEX_HOST_LOGS (default build/host-logs).
# With --busy, two busy loops hold both cores for the whole run: timing faults hide on a quiet machine.
# Usage: run-real-hosts.sh [--busy] [gnome] [plasma] [xfce]     (as root; all hosts when none is given)
set -uo pipefail
busy=0
if [ "${1:-}" = --busy ]; then
  busy=1
  shift
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
lumvex=${LUMVEX:-$root/build/src/app/lumvex}
hosts=("$@")
[ ${#hosts[@]} -gt 0 ] || hosts=(gnome plasma xfce)
export LUMVEX_HOST_LOGS=${LUMVEX_HOST_LOGS:-$root/build/host-logs}
mkdir -p "$LUMVEX_HOST_LOGS"
[ -x "$lumvex" ] || { echo "build lumvex first ($lumvex)" >&2; exit 2; }

declare -A packages=(
  [gnome]="gnome-shell gnome-shell-extension-appindicator dconf-service dconf-cli xdg-desktop-portal-gnome pipewire wireplumber"
  # The portal backend's screen-share dialog fails to load without the PipeWire QML module.
  [plasma]="plasma-workspace plasma-desktop kwin-wayland qtwayland5 kactivitymanagerd kded5 plasma-wayland-protocols
    xdg-desktop-portal-kde qml-module-org-kde-pipewire qmlscene qml-module-qtquick-window2 qml-module-qtquick2"
  [xfce]="xfce4-panel xfconf xdotool"
)
install=()
for host in "${hosts[@]}"; do
  for package in ${packages[$host]}; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || install+=("$package")
  done
done
if [ ${#install[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${install[@]}" || exit 2
fi

tools=
loops=()
cleanup() {
  [ -z "$tools" ] || rm -rf "$tools"
  [ ${#loops[@]} -eq 0 ] || kill "${loops[@]}" 2>/dev/null
}
trap cleanup EXIT
if [ "$busy" = 1 ]; then
  for _ in 1 2; do
    yes >/dev/null &
    loops+=($!)
  done
fi

status=0
for host in "${hosts[@]}"; do
  extra=()
  if [ "$host" = plasma ]; then
    # KWin's own input protocol: a small client built here, as the protocol ships only as XML.
    tools=$(mktemp -d)
    wayland-scanner client-header /usr/share/plasma-wayland-protocols/fake-input.xml "$tools/fake-input-client-protocol.h"
    wayland-scanner private-code /usr/share/plasma-wayland-protocols/fake-input.xml "$tools/fake-input-protocol.c"
    cc -O1 -I"$tools" -o "$tools/fake-input" "$here/FakeInput.c" "$tools/fake-input-protocol.c" -lwayland-client || exit 2
    extra=("$tools/fake-input")
  fi
  "$root/tests/support/run-desktop.sh" /usr/bin/python3 "$here/real_hosts.py" "$host" "$lumvex" "${extra[@]}" || status=1
done
exit "$status"
