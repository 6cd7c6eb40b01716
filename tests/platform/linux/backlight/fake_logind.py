#!/usr/bin/python3
"""A login manager for tests, on a private system bus: the caller's session object takes SetBrightness,
records the call and writes the value into a fake sysfs tree, as the real one writes the device.

Control interface org.lumvex.test.FakeLogind on the same object: SetSysfsRoot(s), SetRefusing(b),
Calls() -> as ("subsystem/name=value"), Reset(). Usage: fake_logind.py READY_FILE (created once the bus name is owned)."""

import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SESSION = "org.freedesktop.login1.Session"
CONTROL = "org.lumvex.test.FakeLogind"


class Session(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/login1/session/auto")
        self.Reset()

    @dbus.service.method(SESSION, in_signature="ssu")
    def SetBrightness(self, subsystem, name, value):
        if self.refusing:
            raise dbus.exceptions.DBusException(
                "Not the active session", name="org.freedesktop.DBus.Error.AccessDenied")
        if subsystem not in ("backlight", "leds") or "/" in name:
            raise dbus.exceptions.DBusException(
                "Bad device", name="org.freedesktop.DBus.Error.InvalidArgs")
        self.calls.append((str(subsystem), str(name), int(value)))
        path = os.path.join(self.root, "sys/class", subsystem, name, "brightness")
        # The real one runs as root and writes files that its callers may not; lend ourselves the right.
        mode = os.stat(path).st_mode
        os.chmod(path, mode | 0o200)
        try:
            with open(path, "w") as device:
                device.write("%d\n" % value)
        finally:
            os.chmod(path, mode)

    @dbus.service.method(CONTROL, in_signature="s")
    def SetSysfsRoot(self, root):
        self.root = str(root)

    @dbus.service.method(CONTROL, in_signature="b")
    def SetRefusing(self, refusing):
        self.refusing = bool(refusing)

    @dbus.service.method(CONTROL, out_signature="as")
    def Calls(self):
        return dbus.Array(["%s/%s=%d" % call for call in self.calls], signature="s")

    @dbus.service.method(CONTROL)
    def Reset(self):
        self.root = "/nonexistent"
        self.refusing = False
        self.calls = []


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SystemBus()
    name = dbus.service.BusName("org.freedesktop.login1", bus, do_not_queue=True)
    session = Session(bus)
    open(sys.argv[1], "w").close()
    GLib.MainLoop().run()
    del name, session


if __name__ == "__main__":
    main()
