#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages Lumvex needs to build, run and test.
# Idempotent: only missing packages are fetched.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang-format
  # libraries
  nlohmann-json3-dev libsimdjson-dev qt6-base-dev
  # lupdate and lrelease for the catalogues, and their CMake functions
  qt6-l10n-tools qt6-tools-dev
  libxcb1-dev libxcb-randr0-dev libxcb-shm0-dev libxcb-render0-dev libxcb-xinput-dev
  libxcb-damage0-dev libxcb-xfixes0-dev libxcb-xtest0-dev
  libpulse-dev
  libwayland-dev wayland-protocols libpipewire-0.3-dev
  # Qt's Wayland plugin, as every Wayland desktop has it: the tests run where users run
  qt6-wayland
  # packaging
  dpkg-dev file desktop-file-utils appstream lintian
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # headless desktop for the tests: X server, session and system buses, fake services
  xvfb xauth x11-xserver-utils fonts-dejavu-core dbus dbus-x11 python3-dbus python3-gi pulseaudio pulseaudio-utils
  # an XEmbed tray host for the fallback icons, and a hand on X11's keys and pointer
  trayer xdotool x11-utils
  # headless Wayland desktop: compositor, background client, screen-cast portal over PipeWire
  sway swaybg wayland-utils pipewire wireplumber xdg-desktop-portal xdg-desktop-portal-wlr
  # a tray host on sway for the tray tests
  waybar
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo=sudo; else
    echo "install-deps: missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
${sudo:-} apt-get update -qq
${sudo:-} apt-get install -y -qq --no-install-recommends "${missing[@]}"
