#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The login manager for tests, on one private bus that stands in for both the system and the session
bus: PrepareForSleep, and the caller's session with IdleHint, LockedHint and SetBrightness writing into
a fake sysfs tree.

Control interface org.lumvex.test.FakeDesktop at /org/lumvex/test: SetIdle(b), SetLocked(b),
Sleep(b) (emits PrepareForSleep), SetSysfsRoot(s), SetRefusing(b) (SetBrightness is denied),
ResetBrightness(), BrightnessCalls() -> as ("subsystem/name=value").
Usage: fake_desktop.py READY_FILE (created once every name is owned)."""

import os

import dbus
import dbus.service

import fake_bus

MANAGER = "org.freedesktop.login1.Manager"
SESSION = "org.freedesktop.login1.Session"
PROPERTIES = "org.freedesktop.DBus.Properties"
SESSION_PATH = "/org/freedesktop/login1/session/_31"
CONTROL = "org.lumvex.test.FakeDesktop"


class Manager(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/login1")

    @dbus.service.method(MANAGER, in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid):
        return dbus.ObjectPath(SESSION_PATH)

    @dbus.service.signal(MANAGER, signature="b")
    def PrepareForSleep(self, start):
        pass


class Session(dbus.service.Object):
    def __init__(self, bus, path):
        super().__init__(bus, path)
        self.hints = {"IdleHint": False, "LockedHint": False}
        self.reset()

    def reset(self):
        self.root = "/nonexistent"
        self.refusing = False
        self.calls = []

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.Boolean(self.hints.get(str(name), False))

    @dbus.service.signal(PROPERTIES, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass

    def set_hint(self, name, value):
        self.hints[name] = bool(value)
        self.PropertiesChanged(SESSION, {name: dbus.Boolean(value)}, dbus.Array([], signature="s"))

    @dbus.service.method(SESSION, in_signature="ssu")
    def SetBrightness(self, subsystem, name, value):
        if self.refusing:
            raise dbus.exceptions.DBusException(
                "Not the active session", name="org.freedesktop.DBus.Error.AccessDenied")
        self.calls.append("%s/%s=%d" % (subsystem, name, value))
        path = os.path.join(self.root, "sys/class", subsystem, name, "brightness")
        # The real one runs as root and writes files that its callers may not; lend ourselves the right.
        mode = os.stat(path).st_mode
        os.chmod(path, mode | 0o200)
        try:
            with open(path, "w") as device:
                device.write("%d\n" % value)
        finally:
            os.chmod(path, mode)


class Control(dbus.service.Object):
    def __init__(self, bus, manager, sessions):
        super().__init__(bus, "/org/lumvex/test")
        self.manager, self.sessions = manager, sessions

    @dbus.service.method(CONTROL, in_signature="b")
    def SetIdle(self, value):
        for s in self.sessions:
            s.set_hint("IdleHint", value)

    @dbus.service.method(CONTROL, in_signature="b")
    def SetLocked(self, value):
        for s in self.sessions:
            s.set_hint("LockedHint", value)

    @dbus.service.method(CONTROL, in_signature="b")
    def Sleep(self, value):
        self.manager.PrepareForSleep(bool(value))

    @dbus.service.method(CONTROL, in_signature="s")
    def SetSysfsRoot(self, root):
        for s in self.sessions:
            s.root = str(root)

    @dbus.service.method(CONTROL, in_signature="b")
    def SetRefusing(self, refusing):
        for s in self.sessions:
            s.refusing = bool(refusing)

    @dbus.service.method(CONTROL)
    def ResetBrightness(self):
        for s in self.sessions:
            s.reset()

    @dbus.service.method(CONTROL, out_signature="as")
    def BrightnessCalls(self):
        return dbus.Array([c for s in self.sessions for c in s.calls], signature="s")


def main():
    bus = fake_bus.connect()
    manager = Manager(bus)
    # The session answers under its own path and under "auto", as the real one does.
    sessions = [Session(bus, SESSION_PATH), Session(bus, "/org/freedesktop/login1/session/auto")]
    control = Control(bus, manager, sessions)
    fake_bus.serve(bus, ["org.freedesktop.login1", CONTROL], control)

if __name__ == "__main__":
    main()
