# SPDX-License-Identifier: MIT
"""What the tests of the real program share: the fake desktop of run-desktop.sh, the program's files, its
status items and menus as a tray host reaches them."""

import json
import os
import subprocess
import sys
import threading
import time

import dbus

SYSFS = os.environ.get("LUMVEX_SYSFS_ROOT", "")
DEVICE = os.path.join(SYSFS, "sys/class/backlight/intel_backlight/brightness")
LOG = os.path.join(os.environ.get("XDG_STATE_HOME", ""), "lumvex/adjustments.csv")
SETTINGS = os.path.join(os.environ.get("XDG_CONFIG_HOME", ""), "lumvex/lumvex.conf")
ITEM, MENU = "org.kde.StatusNotifierItem", "com.canonical.dbusmenu"


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


def auto_rows():
    return [row for row in rows() if ",auto" in row]


def write_settings(lines="autoAdjustEnabled=true\n"):
    """The settings file as a user leaves it; automatic adjustment on unless told otherwise."""
    os.makedirs(os.path.dirname(SETTINGS), exist_ok=True)
    with open(SETTINGS, "w") as settings:
        settings.write("[General]\n" + lines)


def x_background(colour):
    subprocess.run(["xsetroot", "-solid", colour], check=True)


def desktop(method, value):
    """Steers the fake login manager and screen saver of run-desktop.sh."""
    subprocess.run(["dbus-send", "--session", "--dest=org.lumvex.test.FakeDesktop", "--print-reply",
                    "/org/lumvex/test", "org.lumvex.test.FakeDesktop." + method, "boolean:" + value],
                   check=True, stdout=subprocess.DEVNULL)


def volume():
    text = subprocess.run(["pactl", "get-sink-volume", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout
    return int(text.split("/")[1].strip().rstrip("%"))


def muted():
    return "yes" in subprocess.run(["pactl", "get-sink-mute", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout


def wayland_env(**more):
    """The program's environment in the sway session: the compositor runs as another user, so the program
    gets a runtime folder of its own, as in a real session, and finds the compositor by its full path.
    Headless outputs have no panel's connector name: HEADLESS-1 stands for the laptop's panel."""
    runtime = os.path.join(os.environ["HOME"], "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
    return {**os.environ, "XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": socket,
            "LUMVEX_BUILTIN_OUTPUT": "HEADLESS-1", **more}


def wait_for(condition, seconds=5.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def launch(test, command, **options):
    """A process that the test's clean-up ends, if it still runs, and waits for."""
    process = subprocess.Popen(command, **options)
    if process.stderr:
        test.addCleanup(process.stderr.close)
    test.addCleanup(process.wait)
    test.addCleanup(lambda: process.poll() is None and process.kill())
    return process


def fake_service(script):
    """A fake service of tests/ (SCRIPT READY_FILE) in its own process, once it owns its names."""
    here = os.path.dirname(os.path.abspath(__file__))
    ready = os.path.join(os.environ.get("LUMVEX_TEST_DIR", "/tmp"), "ready-%d" % time.monotonic_ns())
    process = subprocess.Popen([sys.executable, os.path.join(here, "../..", script), ready],
                               env={**os.environ, "PYTHONPATH": os.path.join(here, "../../support")})
    assert wait_for(lambda: os.path.exists(ready)), "%s did not start" % script
    return process


def notification_server(test):
    """The fake notification server; returns the Notify calls it took so far."""
    test.addCleanup(fake_service("system/fake_notifications.py").kill)
    server = dbus.SessionBus().get_object("org.lumvex.test.Notifications", "/org/lumvex/test")
    return lambda: [json.loads(call) for call in server.Calls(dbus_interface="org.lumvex.test.FakeNotifications")]


def item_count(pid):
    return len([name for name in dbus.SessionBus().list_names() if name.startswith("%s-%d-" % (ITEM, pid))])


class Item:
    """One status item and its menu, as a tray host reaches them."""

    def __init__(self, service):
        self.service = service
        self.object = dbus.SessionBus().get_object(service, "/StatusNotifierItem")
        self.menu = dbus.Interface(dbus.SessionBus().get_object(service, self.get("Menu")), MENU)
        self.sender = dbus.SessionBus().get_name_owner(service)

    def get(self, name):
        return self.object.Get(ITEM, name, dbus_interface=dbus.PROPERTIES_IFACE)

    def call(self, method, *arguments):
        return self.object.get_dbus_method(method, ITEM)(*arguments)

    def layout(self):
        return self.menu.GetLayout(0, -1, dbus.Array([], signature="s"))[1]

    def labels(self):
        """The top entries, as a host shows them when the menu opens."""
        self.menu.AboutToShow(0)
        return [line for line in lines(self.layout()) if not line.startswith(" ")]

    def event(self, id, name):
        self.menu.Event(id, name, dbus.String("", variant_level=1), dbus.UInt32(0))

    def click(self, label):
        entry = find(self.layout(), label)
        assert entry is not None, "%s not in %s" % (label, lines(self.layout()))
        self.event(entry[0], "clicked")


def items(pid):
    """The program's items by their Id."""
    found = [Item(name) for name in dbus.SessionBus().list_names() if name.startswith("%s-%d-" % (ITEM, pid))]
    return {str(item.get("Id")): item for item in found}


def lines(node, depth=0):
    """A menu layout as lines: separators "---", submenu entries indented by two spaces."""
    out = []
    for child in node[2]:
        properties = child[1]
        label = "---" if properties.get("type") == "separator" else str(properties.get("label", ""))
        out.append("  " * depth + label)
        out += lines(child, depth + 1)
    return out


def find(node, label):
    """The menu entry (id, properties, children) with that label, at any depth."""
    for child in node[2]:
        if child[1].get("label") == label:
            return child
        found = find(child, label)
        if found is not None:
            return found
    return None


def hold_alt(down):
    """Presses or releases the left Alt key in the X server, as a user would."""
    subprocess.run(["xdotool", "keydown" if down else "keyup", "Alt_L"], check=True)


class BusMonitor:
    """What passes on the bus that matches the rule, as text, while the test runs."""

    def __init__(self, rule):
        self.text = ""
        self.monitor = subprocess.Popen(["dbus-monitor", "--session", rule], stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.3)

    def _read(self):
        for line in self.monitor.stdout:
            self.text += line

    def signals(self, sender, member):
        return [signal for signal in self.text.split("signal time=")
                if "sender=%s " % sender in signal and "member=%s\n" % member in signal]

    def stop(self):
        self.monitor.kill()
        self.monitor.wait()
        self.monitor.stdout.close()
