#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How often the tray program wakes up when idle (automatic adjustment off, nothing changing on screen or
# in the devices): the voluntary context switches of all its threads over LUMVEX_BENCH_SECONDS (default
# 20) under the tests' headless desktop, after five seconds to settle; per thread and in total per
# second. The goal is at most 5 a second in total; exits 1 above it.
# Usage: bench/idle-wakeups.sh [PATH_TO_LUMVEX]   (default: build/src/app/lumvex, built by ./test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} != --inside ]]; then
    lumvex=$(realpath "${1:-build/src/app/lumvex}")
    exec tests/support/run-desktop.sh "$0" --inside "$lumvex"
fi
lumvex=$2
seconds=${LUMVEX_BENCH_SECONDS:-20}

"$lumvex" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
sleep 5

# "tid:name switches" for every thread of the program.
switches() {
    for task in /proc/"$pid"/task/*; do
        printf '%s:%s %s\n' "${task##*/}" "$(tr ' ' _ <"$task/comm")" \
            "$(sed -n 's/^voluntary_ctxt_switches:\s*//p' "$task/status")"
    done | sort
}
before=$(switches)
sleep "$seconds"
after=$(switches)

join -a 2 -e 0 -o 0,1.2,2.2 <(echo "$before") <(echo "$after") | awk -v s="$seconds" '
    { d = $3 - $2; total += d; printf "%-20s %6.2f/s\n", $1, d / s }
    END { printf "%-20s %6.2f/s (goal: at most 5)\n", "total", total / s; exit total / s > 5 }'
