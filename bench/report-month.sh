#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# `lumvex report` on a month of busy recordings: ten minutes recorded by the real recorder and adjustment
# log (the screen changing every 1.5 s, automatic adjustment on), repeated over 8 hours a day for 30 days,
# written at bench time into a temporary folder and removed afterwards. Prints wall time and peak memory
# (GNU time) of the report, of `cat` over the same files and of a Python json.loads pass over every
# line, measured in the same run, and the size of the page. Goal: 4 s, 150 MB, 2 MB.
# Then the figures (day headings) of the report on the first day alone; with LUMVEX_BENCH_BASELINE set
# to another build's lumvex, that build's beside them.
# LUMVEX_BENCH_BUILD names the build folder (default build/); LUMVEX_BENCH_DAYS and
# LUMVEX_BENCH_HOURS change the month.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${LUMVEX_BENCH_BUILD:-build}
days=${LUMVEX_BENCH_DAYS:-30}
hours=${LUMVEX_BENCH_HOURS:-8}
if [[ ! -f $build/build.ninja ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMVEX_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build" --target lumvex lumvex_report_month_data >/dev/null
lumvex=$(realpath "$build/src/app/lumvex")

work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-report-month-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/lumvex_report_month_data" "$work/data" "$days" "$hours"
month=$work/data/month
echo "files: $(du -sh "$month" | cut -f1), $(cat "$month"/telemetry/*.jsonl | wc -l) telemetry rows"

cat >"$work/parse.py" <<'EOF'
import json, sys
n = 0
for name in sys.argv[1:]:
    with open(name, encoding="utf-8") as f:
        for line in f:
            json.loads(line)
            n += 1
print(n, "rows")
EOF

# GNU time's wall seconds and peak memory of one command.
measure() {
    local label=$1
    shift
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr"
    read -r wall kb <"$work/time"
    printf '| %s | %.2f s | %d MB |\n' "$label" "$wall" "$((kb / 1024))"
}

export TZ=UTC
echo
echo "| what | wall | peak memory |"
echo "|---|---|---|"
measure "cat" sh -c 'cat "$0"/telemetry/*.jsonl "$0"/adjustments.csv' "$month"
measure "python json.loads" sh -c 'exec python3 "$0" "$1"/telemetry/*.jsonl' "$work/parse.py" "$month"
measure "lumvex report" "$lumvex" report "$month" --out "$work/month.html"
echo "page: $(($(stat -c %s "$work/month.html") / 1024)) KB"

# The figures of one day: the heading of its plot.
headings() {
    "$1" report "$work/data/day" --out "$work/$2.html" >/dev/null
    grep -o '<text[^>]*text-anchor="end" fill="#555555">[^<]*' "$work/$2.html" | sed 's/.*>//'
}
echo
echo "first day: $(headings "$lumvex" day)"
if [[ -n ${LUMVEX_BENCH_BASELINE:-} ]]; then
    echo "baseline:  $(headings "$LUMVEX_BENCH_BASELINE" baseline)"
fi
