#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A desktop notification server for tests, on a private session bus: records every Notify call and
emits the signals a real one sends when the user picks an action.

Control interface org.lumvex.test.FakeNotifications on /org/lumvex/test, under the bus name
org.lumvex.test.Notifications: Calls() -> as (each call as JSON), SetCapabilities(as), InvokeAction(us)
(emits ActionInvoked, then NotificationClosed), SetPresent(b) (gives up or takes back the server's
name), Reset(). Usage: fake_notifications.py READY_FILE (created once both names are owned)."""

import json

import dbus
import dbus.service

import fake_bus

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
CONTROL_NAME = "org.lumvex.test.Notifications"
CONTROL = "org.lumvex.test.FakeNotifications"


class Server(dbus.service.Object):
    SUPPORTS_MULTIPLE_OBJECT_PATHS = True

    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.Reset()

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return dbus.Array(self.capabilities, signature="s")

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout):
        if replaces_id in self.open:
            nid = int(replaces_id)
        else:
            self.next_id += 1
            nid = self.next_id
        self.open.add(nid)
        # D-Bus values are Python's own underneath: JSON takes them as they are.
        self.calls.append(json.dumps({
            "id": nid, "app_name": app_name, "replaces_id": replaces_id, "app_icon": app_icon, "summary": summary,
            "body": body, "actions": actions, "hints": hints, "expire_timeout": expire_timeout}))
        return dbus.UInt32(nid)

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, nid, key):
        pass

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, nid, reason):
        pass

    def close(self, nid, reason):
        self.open.discard(int(nid))
        self.NotificationClosed(dbus.UInt32(nid), dbus.UInt32(reason))

    @dbus.service.method(CONTROL, out_signature="as")
    def Calls(self):
        return dbus.Array(self.calls, signature="s")

    @dbus.service.method(CONTROL, in_signature="as")
    def SetCapabilities(self, capabilities):
        self.capabilities = [str(c) for c in capabilities]

    @dbus.service.method(CONTROL, in_signature="us")
    def InvokeAction(self, nid, key):
        self.ActionInvoked(dbus.UInt32(nid), key)
        self.close(nid, 2)

    @dbus.service.method(CONTROL, in_signature="b")
    def SetPresent(self, present):
        if present:
            self.bus.request_name(NAME, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
        else:
            self.bus.release_name(NAME)

    @dbus.service.method(CONTROL)
    def Reset(self):
        self.capabilities = ["actions", "body"]
        self.calls = []
        self.open = set()
        self.next_id = getattr(self, "next_id", 0)


def main():
    bus = fake_bus.connect()
    server = Server(bus)
    server.add_to_connection(bus, "/org/lumvex/test")
    bus.request_name(NAME, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
    fake_bus.serve(bus, [CONTROL_NAME], server)


if __name__ == "__main__":
    main()
