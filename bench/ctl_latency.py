#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Run by ctl-latency.sh inside the headless test desktop: starts Lumvex, then times 20 runs each of
`lumvex ctl up` / `down` from start to exit and from exit to the new level in the backlight file, beside
a plain dbus-send of the same call (the floor) and `lumvex --version` (the whole program's start).
Usage: ctl_latency.py LUMVEX"""

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


def dbus_send(step):
    return ["dbus-send", "--session", "--print-reply", "--dest=io.github.lumvex.Lumvex", "/io/github/lumvex/Lumvex",
            "io.github.lumvex.Lumvex1.ChangeBrightness", "double:%g" % step]


def press(command):
    """Milliseconds from start to exit, and from exit to the new level on the panel."""
    before = level()
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    exited = time.perf_counter()
    while level() == before:
        if time.perf_counter() - exited > 5:
            sys.exit("the level did not change after " + " ".join(command))
    return (exited - start) * 1000, max(0.0, time.perf_counter() - exited) * 1000


def row(name, times):
    print("%-22s %8.1f %8.1f %8.1f" % (name, statistics.median(times), min(times), max(times)))


program = subprocess.Popen([LUMVEX], stderr=subprocess.DEVNULL)
try:
    deadline = time.monotonic() + 10
    while subprocess.run([LUMVEX, "ctl", "status"], capture_output=True).returncode != 0:
        if time.monotonic() > deadline:
            sys.exit("lumvex did not come up")
        time.sleep(0.1)
    time.sleep(1.0)
    ctl, ctl_level, floor, version = [], [], [], []
    for run in range(RUNS):
        exit_ms, level_ms = press([LUMVEX, "ctl", "up" if run % 2 == 0 else "down"])
        ctl.append(exit_ms)
        ctl_level.append(level_ms)
        time.sleep(0.2)
        floor.append(press(dbus_send(0.05 if run % 2 == 0 else -0.05))[0])
        time.sleep(0.2)
        start = time.perf_counter()
        subprocess.run([LUMVEX, "--version"], check=True, stdout=subprocess.DEVNULL)
        version.append((time.perf_counter() - start) * 1000)
    print("load average: %.2f %.2f %.2f" % os.getloadavg())
    print("%-22s %8s %8s %8s   (ms, %d runs each)" % ("", "median", "min", "max", RUNS))
    row("lumvex ctl up/down", ctl)
    row("  exit to new level", ctl_level)
    row("dbus-send (floor)", floor)
    row("lumvex --version", version)
finally:
    program.terminate()
    program.wait()
