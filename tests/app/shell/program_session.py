"""What the tests of the real program share: the fake desktop's backlight (run-desktop.sh) and the
program's adjustment log."""

import os
import time

SYSFS = os.environ.get("LUMVEX_SYSFS_ROOT", "")
DEVICE = os.path.join(SYSFS, "sys/class/backlight/intel_backlight/brightness")
LOG = os.path.join(os.environ.get("XDG_STATE_HOME", ""), "lumvex/adjustments.csv")


def panel():
    # The program truncates the file before it writes a new level: an empty read is a write under way.
    while True:
        with open(DEVICE) as device:
            text = device.read()
        if text:
            return int(text)
        time.sleep(0.005)


def set_panel(raw):
    # In one step, so that the program never reads the file half written.
    with open(DEVICE + ".new", "w") as device:
        device.write("%d\n" % raw)
    os.replace(DEVICE + ".new", DEVICE)


def rows():
    """The log's rows, without its header."""
    try:
        with open(LOG) as log:
            return log.read().splitlines()[1:]
    except FileNotFoundError:
        return []


def wait_for(condition, seconds=5.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()
