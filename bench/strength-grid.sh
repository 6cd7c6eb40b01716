#!/bin/bash
# Corrections with brightness remembered per situation against fixed brightness, for every scenario, user
# behaviour, content exponent and tolerance, before and after a change: `lumvex simulate --population` per
# cell, then one table per scenario and tolerance.
#
#   bench/strength-grid.sh [--after BIN] [--before BIN] [--users N] [--days N] [--headline-users N]
#                          [--headline-days N] [--out DIR] [--jobs N]
#
# The cells (scenario x behaviour x exponent x tolerance) run with --users and --days; headline runs per
# scenario (the population's own exponents and tolerances; jump, and behaviours mixed) with --headline-users
# and --headline-days. The "before" binary runs only what it knows: the jump behaviour and the headline with it.
# Rows: median and worst user (corrections over all days with Lumvex), users worse than fixed, users at
# half of fixed or better, and all users' corrections on the first and the last day.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
after=$here/build/src/app/lumvex
before=
users=6
days=5
headline_users=30
headline_days=14
out=$(mktemp -d /tmp/lumvex-strength-grid.XXXXXX)
jobs=2
while [ $# -gt 0 ]; do
    case $1 in
    --after) after=$2; shift 2 ;;
    --before) before=$2; shift 2 ;;
    --users) users=$2; shift 2 ;;
    --days) days=$2; shift 2 ;;
    --headline-users) headline_users=$2; shift 2 ;;
    --headline-days) headline_days=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
mkdir -p "$out/runs"

scenarios="office video night-reading laptop-day"
behaviours="jump notch overshoot drift picky"
exponents="0 0.25 0.5 0.75 1"
tolerances="own 1.12"

# One line per run: name, binary, then the arguments.
jobsfile=$out/jobs.txt
: >"$jobsfile"
# No trailing blank: xargs -L would join the next line to this one.
add() { echo "$*" | sed 's/ *$//' >>"$jobsfile"; }
for side in after before; do
    bin=$after
    [ $side = before ] && bin=$before
    [ -n "$bin" ] || continue
    for s in $scenarios; do
        add "$side-$s-headline $bin --scenario $s --population $headline_users --days $headline_days"
        if [ $side = after ]; then
            add "$side-$s-mixed $bin --scenario $s --population $headline_users --days $headline_days --behaviour mixed"
        fi
        for b in $behaviours; do
            [ $side = before ] && [ $b != jump ] && continue
            for e in $exponents; do
                for t in $tolerances; do
                    taste=exponent=$e
                    [ $t = own ] || taste=$taste,tolerance=$t
                    extra=
                    [ $side = after ] && extra="--behaviour $b"
                    add "$side-$s-$b-$e-$t $bin --scenario $s --population $users --days $days --taste $taste $extra"
                done
            done
        done
    done
done

echo "$(wc -l <"$jobsfile") runs, results in $out" >&2
run_one() {
    local out=$1 name=$2
    shift 2
    local bin=$1
    shift
    [ -s "$out/runs/$name.txt" ] && return 0
    nice "$bin" simulate "$@" --set rememberBrightnessPerSituation=true --out "$out/runs/$name.files" \
        >"$out/runs/$name.tmp" 2>&1 && mv "$out/runs/$name.tmp" "$out/runs/$name.txt"
    rm -rf "$out/runs/$name.files"
    echo "done $name" >&2
}
export -f run_one
xargs -P "$jobs" -L 1 bash -c 'run_one "$0" "$@"' "$out" <"$jobsfile"

python3 - "$out" <<'EOF'
import glob, os, re, statistics, sys

out = sys.argv[1]
cells = {}
for path in glob.glob(os.path.join(out, "runs", "*.txt")):
    name = os.path.basename(path)[:-4]
    lumvex, fixed, first, last = [], [], 0, 0
    for line in open(path):
        m = re.match(r"\s*\d+\s+\d+\s+[\d.]+\s+[\d.]+\s+[\d.]+ \|(.*)", line)
        if not m:
            continue
        groups = [g.split() for g in m.group(1).split("|")]
        lumvex.append(int(groups[0][2]))
        fixed.append(int(groups[1][2]))
        first += int(groups[0][0])
        last += int(groups[0][1])
    if lumvex:
        cells[name] = dict(
            median=statistics.median(lumvex), worst=max(lumvex),
            worse=sum(l > f for l, f in zip(lumvex, fixed)),
            half=sum(2 * l <= f for l, f in zip(lumvex, fixed)),
            n=len(lumvex), first=first, last=last, fixed_median=statistics.median(fixed))

def fmt(c):
    if not c:
        return "-"
    return f"{c['median']:g}/{c['worst']} ({c['fixed_median']:g}) w{c['worse']} h{c['half']} d{c['first']}>{c['last']}"

lines = ["Cells: median/worst user with Lumvex (median with fixed), wN users worse than fixed, hN users at half",
         "of fixed or better, dA>B corrections of all users on the first and the last day.", ""]
for s in "office video night-reading laptop-day".split():
    lines.append(f"## {s}")
    for side, kind in (("before", "headline"), ("after", "headline"), ("after", "mixed")):
        c = cells.get(f"{side}-{s}-{kind}")
        if c:
            lines.append(f"{kind} {side}: {fmt(c)} of {c['n']}")
    for t in ("own", "1.12"):
        lines.append(f"\ntolerance {t}")
        lines.append("| behaviour | exponent | before | after |")
        lines.append("|---|---|---|---|")
        for b in "jump notch overshoot drift picky".split():
            for e in "0 0.25 0.5 0.75 1".split():
                lines.append(f"| {b} | {e} | {fmt(cells.get(f'before-{s}-{b}-{e}-{t}'))} | "
                             f"{fmt(cells.get(f'after-{s}-{b}-{e}-{t}'))} |")
    lines.append("")
text = "\n".join(lines)
open(os.path.join(out, "tables.md"), "w").write(text)
print(text)
EOF
