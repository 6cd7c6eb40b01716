# SPDX-License-Identifier: MIT
"""What the fake services share: the one private bus of the test wrappers (it stands in for both the
system and the session bus), names owned without queueing, READY_FILE (the only argument) made once
they are, and the main loop."""

import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


def connect():
    DBusGMainLoop(set_as_default=True)
    return dbus.SessionBus()


def serve(bus, names, *objects):
    """Owns `names`, says so in READY_FILE and runs until stopped; `objects` live as long."""
    owned = [dbus.service.BusName(name, bus, do_not_queue=True) for name in names]
    open(sys.argv[1], "w").close()
    GLib.MainLoop().run()
    del owned, objects
