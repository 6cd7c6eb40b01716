"""What the tests of the real program share: the fake desktop's backlight (run-desktop.sh), the
program's adjustment log, its items on the bus, the Alt key and the signals on the bus."""

import ctypes
import os
import subprocess
import threading
import time

SYSFS = os.environ.get("LUMVEX_SYSFS_ROOT", "")
DEVICE = os.path.join(SYSFS, "sys/class/backlight/intel_backlight/brightness")
LOG = os.path.join(os.environ.get("XDG_STATE_HOME", ""), "lumvex/adjustments.csv")


def panel():
    # A read while the program rewrites the file finds it empty for a moment.
    for _ in range(100):
        with open(DEVICE) as device:
            text = device.read()
        if text.strip():
            return int(text)
        time.sleep(0.01)
    return int(text)


def set_panel(raw):
    # In one step, as sysfs does: the program must never read a half-written file.
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


def item_count(pid):
    names = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                            "/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"],
                           capture_output=True, text=True, check=True).stdout
    return names.count("org.kde.StatusNotifierItem-%d-" % pid)


def hold_alt(down):
    """Presses or releases the left Alt key in the X server, as a user would."""
    x11 = ctypes.CDLL("libX11.so.6")
    xtest = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    xtest.XTestFakeKeyEvent(display, x11.XKeysymToKeycode(display, ctypes.c_ulong(0xffe9)), down, 0)
    x11.XSync(display, 0)
    x11.XCloseDisplay(display)


class BusSignals:
    """The signals of one interface on the bus, as text, while the test runs."""

    def __init__(self, interface):
        self.text = ""
        self.monitor = subprocess.Popen(["dbus-monitor", "--session", "type='signal',interface='%s'" % interface],
                                        stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.3)

    def _read(self):
        for line in self.monitor.stdout:
            self.text += line

    def from_sender(self, sender, member):
        return [signal for signal in self.text.split("signal time=")
                if "sender=%s " % sender in signal and "member=%s\n" % member in signal]

    def stop(self):
        self.monitor.kill()
        self.monitor.wait()
        self.monitor.stdout.close()
