#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# check-translations.sh WORKDIR LUPDATE SOURCES CATALOGUE.ts...   (SOURCES: folders separated by colons)
# Brings copies of the catalogues up to date with the sources and fails, naming each text, when a copy
# holds an unfinished translation or one the sources no longer have.
set -euo pipefail
work=$1
lupdate=$2
IFS=: read -ra sources <<<"$3"
shift 3
rm -rf "$work" && mkdir -p "$work"
status=0
for ts in "$@"; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  only=()
  [ "$(basename "$ts")" = lumvex_en.ts ] && only=(-pluralonly)
  "$lupdate" -silent -locations none -no-ui-lines -extensions cpp,h "${only[@]}" "${sources[@]}" -ts "$copy" >/dev/null 2>&1
  if grep -q 'type="\(unfinished\|obsolete\|vanished\)"' "$copy"; then
    echo "$(basename "$ts"): untranslated or obsolete texts (update with: cmake --build build --target update_translations):" >&2
    grep -B3 'type="\(unfinished\|obsolete\|vanished\)"' "$copy" | sed -n 's/.*<source>\(.*\)<\/source>.*/  \1/p' >&2
    status=1
  fi
done
exit $status
