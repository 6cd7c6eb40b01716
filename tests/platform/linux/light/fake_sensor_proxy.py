#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A sensor proxy daemon for tests: the ambient light properties and ClaimLight/ReleaseLight, steered through
org.lumvex.test.FakeSensorProxy, a name that stays while the daemon's own is gone.
Usage: fake_sensor_proxy.py READY_FILE (created once both names are owned)."""

import dbus
import dbus.service

import fake_bus

PROXY = "net.hadess.SensorProxy"
PROPERTIES = "org.freedesktop.DBus.Properties"
CONTROL = "org.lumvex.test.FakeSensorProxy"


class SensorProxy(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/net/hadess/SensorProxy")
        self.bus = bus
        self.name = None
        self.Reset()

    def properties(self):
        return {
            "HasAmbientLight": dbus.Boolean(self.has_light),
            "LightLevel": dbus.Double(self.level),
            "LightLevelUnit": dbus.String(self.unit),
        }

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, prop):
        if interface != PROXY or prop not in self.properties():
            raise dbus.exceptions.DBusException(
                "No such property", name="org.freedesktop.DBus.Error.InvalidArgs")
        return self.properties()[prop]

    @dbus.service.method(PROXY)
    def ClaimLight(self):
        if not self.has_light:
            raise dbus.exceptions.DBusException(
                "No sensor", name="org.freedesktop.DBus.Error.Failed")
        self.claims += 1

    @dbus.service.method(PROXY)
    def ReleaseLight(self):
        self.releases += 1

    @dbus.service.method(CONTROL, in_signature="sv")
    def Set(self, name, value):
        setattr(self, str(name), value)

    @dbus.service.method(CONTROL, in_signature="b")
    def SetPresent(self, present):
        if present and self.name is None:
            self.name = dbus.service.BusName(PROXY, self.bus, do_not_queue=True)
        elif not present:
            self.name = None  # dropping the BusName releases the name

    @dbus.service.method(CONTROL, in_signature="s", out_signature="i")
    def Count(self, name):
        return getattr(self, str(name))

    @dbus.service.method(CONTROL)
    def Reset(self):
        self.has_light = True
        self.level = 0.0
        self.unit = "lux"
        self.claims = 0
        self.releases = 0
        self.SetPresent(True)


def main():
    bus = fake_bus.connect()
    fake_bus.serve(bus, [CONTROL], SensorProxy(bus))


if __name__ == "__main__":
    main()
