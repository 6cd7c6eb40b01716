#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Run by ctl-latency.sh inside the headless test desktop: starts Lumvex, then times 20 runs of
`lumvex ctl up` / `down` until the backlight file holds the new level. Usage: ctl_latency.py LUMVEX"""

import os
import statistics
import subprocess
import sys
import time

LUMVEX = sys.argv[1]
DEVICE = os.path.join(os.environ["LUMVEX_SYSFS_ROOT"], "sys/class/backlight/intel_backlight/brightness")
RUNS = 20


def level():
    with open(DEVICE) as device:
        return device.read().strip()


program = subprocess.Popen([LUMVEX], stderr=subprocess.DEVNULL)
try:
    deadline = time.monotonic() + 10
    while subprocess.run([LUMVEX, "ctl", "status"], capture_output=True).returncode != 0:
        if time.monotonic() > deadline:
            sys.exit("lumvex did not come up")
        time.sleep(0.1)
    time.sleep(1.0)
    times = []
    for run in range(RUNS):
        before = level()
        start = time.perf_counter()
        ctl = subprocess.Popen([LUMVEX, "ctl", "up" if run % 2 == 0 else "down"])
        while level() == before:
            if time.perf_counter() - start > 5:
                sys.exit("the level did not change")
        times.append((time.perf_counter() - start) * 1000)
        ctl.wait()
        time.sleep(0.3)
    print("ms per press: " + " ".join("%.1f" % t for t in times))
    print("median %.1f ms (min %.1f, max %.1f) over %d presses" % (statistics.median(times), min(times), max(times), RUNS))
finally:
    program.terminate()
    program.wait()
