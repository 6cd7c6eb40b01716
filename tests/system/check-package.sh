#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Packs the build as a .deb, then checks that it holds the expected, valid files, that it declares its
# dependencies and that its program runs.
# Usage: check-package.sh BUILD_DIR WITH_DDC_TOOL(0|1)
set -euo pipefail
build=$1
with_ddc=$2
. "$(cd "$(dirname "$0")" && pwd)/../support/private-bus.sh"
begin_work package

fail() { echo "check-package: $*" >&2; exit 1; }

share=usr/share
expected=(
  usr/bin/lumvex usr/libexec/lumvex/lumvex-tray usr/lib/systemd/user/lumvex.service $share/applications/lumvex.desktop
  $share/icons/hicolor/scalable/apps/lumvex.svg $share/metainfo/io.github.lumvex.Lumvex.metainfo.xml
  $share/lumvex/udev/60-lumvex-i2c.rules $share/dbus-1/interfaces/io.github.lumvex.Lumvex1.xml $share/man/man1/lumvex.1.gz
  $share/lumvex/translations/lumvex_{de,en,fr}.qm
  $share/doc/lumvex/{README.md,copyright,changelog.gz} $share/bash-completion/completions/lumvex
  $share/zsh/vendor-completions/_lumvex $share/fish/vendor_completions.d/lumvex.fish
)
[ "$with_ddc" = 1 ] && expected+=(usr/bin/lumvex-ddc $share/man/man1/lumvex-ddc.1.gz)

# The package, built in a folder of its own so that nothing in the build tree changes.
cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(find "$work/package" -maxdepth 1 -name 'lumvex_*.deb' | head -n 1)
[ -n "$deb" ] || fail "cpack made no lumvex_*.deb"

dpkg-deb --contents "$deb" >"$work/contents"
for file in "${expected[@]}"; do
  grep -q " \./$file\$" "$work/contents" || { cat "$work/contents"; fail "the package lacks /$file"; }
done
[ "$(dpkg-deb -f "$deb" Package)" = lumvex ] || fail "the package is not named lumvex"
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "the package's section is not utils"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

# Its desktop entry and metainfo are valid; the packed program is stripped and still runs; lintian is content.
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/lumvex.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.lumvex.Lumvex.metainfo.xml" >"$work/appstream.log" \
  || { cat "$work/appstream.log"; fail "the metainfo file does not validate"; }
version=$("$work/root/usr/bin/lumvex" --version) || fail "the packaged lumvex does not run"
file "$work"/root/usr/bin/lumvex "$work"/root/usr/libexec/lumvex/lumvex-tray | grep -vq ', stripped' && fail "the packaged lumvex is not stripped"
# `lumvex ctl` answers key presses: the command itself must not load the GUI libraries.
ldd "$work/root/usr/bin/lumvex" | grep -q Qt6Gui && fail "/usr/bin/lumvex loads Qt GUI"
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian complains"; }

echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, $version"
