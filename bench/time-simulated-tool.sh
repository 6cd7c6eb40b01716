#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times whole runs of lumvex-ddc against a simulated monitor with DDC/CI's real pauses and a 100 kHz
# bus: process start, sysfs lookup, lock file, the exchange. Not a test: it prints milliseconds per run.
# Usage: bench/time-simulated-tool.sh <build dir>/tests/tools/lumvex-ddc/lumvex-ddc-simulated [runs]
set -euo pipefail
tool=${1:?path to lumvex-ddc-simulated}
runs=${2:-20}

work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-ddc-time-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/sys/class/drm/card0-DP-1" "$work/run"
ln -s ../../../devices/i2c-5 "$work/sys/class/drm/card0-DP-1/ddc"
echo connected >"$work/sys/class/drm/card0-DP-1/status"
echo "50 100 0" >"$work/monitor"
export LUMVEX_SYSFS_ROOT=$work XDG_RUNTIME_DIR=$work/run LUMVEX_DDC_CONNECTOR=DP-1 LUMVEX_DDC_SIMULATED_STATE=$work/monitor

# Milliseconds per run of the given command line, averaged over $runs; `set` alternates two values
# so that every run writes.
per_run() {
    local start end i
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do
        if [[ $2 == set ]]; then
            "$tool" display id=1 set luminance $((40 + 20 * (i % 2))) >/dev/null
        else
            "$tool" display id=1 "$2" luminance >/dev/null
        fi
    done
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v n="$runs" 'BEGIN { printf "%.1f", ns / 1e6 / n }'
}

printf 'get luminance:               %s ms per run\n' "$(per_run x get)"
printf 'set luminance (new value):   %s ms per run\n' "$(per_run x set)"
# The same value every time: a read, no write.
printf 'set luminance (same value):  %s ms per run\n' "$(
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do "$tool" display id=1 set luminance 40 >/dev/null; done
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v n="$runs" 'BEGIN { printf "%.1f", ns / 1e6 / n }'
)"
read -r current maximum writes <"$work/monitor"
echo "monitor: brightness $current of $maximum, $writes writes over $((3 * runs)) runs"
