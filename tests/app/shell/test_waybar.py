#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real lumvex program in waybar's tray on a private headless sway (run-with-sway.sh inside
run-desktop.sh), driven by a virtual pointer. Usage: test_waybar.py PATH_TO_LUMVEX PATH_TO_VIRTUAL_POINTER"""

import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

import dbus
from program_session import BusMonitor, muted, panel, set_panel, wait_for, wayland_env

LUMVEX = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex"
POINTER = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex-virtual-pointer"
# waybar's tray, alone at the left of a 30 pixel bar: 20 pixel icons 10 apart, in the order the items
# registered (brightness first).
BRIGHTNESS_AT = (12, 15)
VOLUME_AT = (42, 15)


class Pointer:
    """One virtual pointer for the whole run: clients drop theirs when the seat loses its last one."""

    def __init__(self):
        self.process = subprocess.Popen([POINTER], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def __call__(self, *commands):
        self.process.stdin.write(" ".join(str(c) for c in commands) + "\n")
        self.process.stdin.flush()
        assert self.process.stdout.readline() == "ok\n"

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=5)


class Waybar(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp()
        config = os.path.join(cls.work, "config")
        with open(config, "w") as f:
            json.dump({"layer": "top", "position": "top", "height": 30, "modules-left": ["tray"],
                       "tray": {"icon-size": 20, "spacing": 10}}, f)
        style = os.path.join(cls.work, "style.css")
        with open(style, "w") as f:
            f.write("* { margin: 0; padding: 0; border: none; }\n")
        cls.waybar = subprocess.Popen(["waybar", "-c", config, "-s", style], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
        bus = dbus.SessionBus()
        assert wait_for(lambda: bus.name_has_owner("org.kde.StatusNotifierWatcher"), seconds=10), "waybar has no tray"
        set_panel(500)
        cls.program = subprocess.Popen([LUMVEX], stderr=subprocess.DEVNULL, env=wayland_env())
        watcher = dbus.Interface(bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"),
                                 "org.freedesktop.DBus.Properties")
        items = lambda: watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")
        assert wait_for(lambda: len(items()) == 2, seconds=10), "items %s" % items()
        cls.pointer = Pointer()
        cls.pointer("move", 900, 600, "sleep", 1500)  # waybar draws the items and takes up the pointer

    @classmethod
    def tearDownClass(cls):
        cls.pointer.close()
        for process in (cls.program, cls.waybar):
            process.terminate()
            process.wait(timeout=10)

    def test_wheel_and_touchpad_over_the_brightness_item(self):
        start = panel()
        self.pointer("move", *BRIGHTNESS_AT, "sleep", 200, "wheel", -1)
        self.assertTrue(wait_for(lambda: panel() == start + 50), "a notch up: %d after %d" % (panel(), start))
        self.pointer("move", *BRIGHTNESS_AT, "sleep", 200, "wheel", 1)
        self.assertTrue(wait_for(lambda: panel() == start), "a notch down: %d after %d" % (panel(), start))
        self.pointer("move", *BRIGHTNESS_AT, "sleep", 200, "touchpad", -5)
        self.assertTrue(wait_for(lambda: panel() > start), "a touchpad step up: %d" % panel())
        time.sleep(0.3)
        self.assertLess(panel(), start + 50, "less than a notch")

    def test_clicks(self):
        calls = BusMonitor("type='method_call'")
        try:
            self.pointer("move", *VOLUME_AT, "sleep", 200, "click", "middle")
            self.assertTrue(wait_for(muted), "middle click mutes")
            self.pointer("sleep", 600, "click", "middle")  # not a double click
            self.assertTrue(wait_for(lambda: not muted()), "and unmutes")
            self.pointer("move", *BRIGHTNESS_AT, "sleep", 200, "click", "left")
            self.assertTrue(wait_for(lambda: "AboutToShow" in calls.text or "GetLayout" in calls.text),
                            "waybar fetches the menu on a left click")
            self.pointer("move", 900, 600, "click", "left")  # closes it
        finally:
            calls.stop()


if __name__ == "__main__":
    unittest.main(verbosity=2)
