#!/usr/bin/python3
"""The real lumvex program in a headless desktop of its own (run by tests/support/run-desktop.sh):
one instance per user, clean exit on SIGTERM, brightness-key changes learned once, the desktop's
own dimming (idle, lock, sleep, wake) never learned, the menu as a tray host sees it, and the wheel
over each icon of an XEmbed tray. Usage: test_tray_program.py PATH_TO_LUMVEX PATH_TO_XEMBED_TRAY"""

import ctypes
import os
import signal
import subprocess
import sys
import threading
import time
import unittest

import dbus

from program_session import LOG, panel, rows, set_panel, wait_for

LUMVEX = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex"
XEMBED_TRAY = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex-xembed-tray"


def control(method, value):
    subprocess.run(["dbus-send", "--session", "--dest=org.lumvex.test.FakeDesktop", "--print-reply",
                    "/org/lumvex/test", "org.lumvex.test.FakeDesktop." + method, "boolean:" + value],
                   check=True, stdout=subprocess.DEVNULL)


def hold_alt(down):
    """Presses or releases the left Alt key in the X server, as a user would."""
    x11 = ctypes.CDLL("libX11.so.6")
    xtest = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    xtest.XTestFakeKeyEvent(display, x11.XKeysymToKeycode(display, ctypes.c_ulong(0xffe9)), down, 0)
    x11.XSync(display, 0)
    x11.XCloseDisplay(display)


def brightness_menu(pid):
    """The brightness item's menu and the item's unique bus name."""
    bus = dbus.SessionBus()
    for name in bus.list_names():
        if name.startswith("org.kde.StatusNotifierItem-%d-" % pid):
            item = dbus.Interface(bus.get_object(name, "/StatusNotifierItem"), "org.freedesktop.DBus.Properties")
            if item.Get("org.kde.StatusNotifierItem", "Id") == "lumvex-brightness":
                path = item.Get("org.kde.StatusNotifierItem", "Menu")
                return dbus.Interface(bus.get_object(name, path), "com.canonical.dbusmenu"), bus.get_name_owner(name)
    raise AssertionError("no brightness item")


def entries(menu):
    """Top-level label -> id of the menu as the host fetches it."""
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"))
    return {str(child[1].get("label", "---")): int(child[0]) for child in layout[2]}


class MenuSignals:
    """The menus' signals on the bus, as text, while the test runs."""

    def __init__(self):
        self.text = ""
        self.monitor = subprocess.Popen(["dbus-monitor", "--session", "type='signal',interface='com.canonical.dbusmenu'"],
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


class TrayProgram(unittest.TestCase):
    def setUp(self):
        set_panel(500)
        self.program = subprocess.Popen([LUMVEX], stderr=subprocess.PIPE, text=True)
        # The log stays from earlier tests: the program has started when both items are on the bus.
        items = lambda: [name for name in dbus.SessionBus().list_names()
                         if name.startswith("org.kde.StatusNotifierItem-%d-" % self.program.pid)]
        self.assertTrue(wait_for(lambda: os.path.exists(LOG) and len(items()) == 2, seconds=10),
                        "the program did not start")
        time.sleep(0.6)  # a couple of polls

    def tearDown(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait()

    def stop(self):
        self.program.send_signal(signal.SIGTERM)
        return self.program.wait(timeout=5)

    def test_tray_items_one_instance_and_a_clean_exit(self):
        names = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                "/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"],
                               capture_output=True, text=True, check=True).stdout
        self.assertEqual(names.count("org.kde.StatusNotifierItem-%d-" % self.program.pid), 2,
                         "a brightness and a volume item")
        second = subprocess.run([LUMVEX], capture_output=True, text=True, timeout=10)
        self.assertEqual(second.returncode, 0)
        self.assertIn("already running", second.stderr)
        self.assertIsNone(self.program.poll(), "the first one must be left alone")
        self.assertEqual(self.stop(), 0)
        with open(LOG) as log:
            self.assertTrue(log.read().endswith("\n"))

    def test_key_presses_are_learned_once_and_the_desktops_dimming_never(self):
        before = len(rows())
        set_panel(700)  # a brightness key
        self.assertTrue(wait_for(lambda: len(rows()) == before + 1))
        time.sleep(0.6)
        self.assertEqual(len(rows()), before + 1, "reported once")
        self.assertIn(",system_key,0.5000,0.7000,", rows()[-1])

        control("SetIdle", "true")
        time.sleep(0.3)
        set_panel(300)  # the desktop dims the idle screen
        time.sleep(0.8)
        control("SetIdle", "false")
        set_panel(700)  # and restores it on activity
        time.sleep(0.8)
        control("SetLocked", "true")
        set_panel(100)
        time.sleep(0.8)
        control("SetLocked", "false")
        set_panel(700)
        control("Sleep", "true")
        time.sleep(0.3)
        control("Sleep", "false")
        set_panel(0)  # the panel reads dark right after wake
        time.sleep(0.8)
        set_panel(700)
        time.sleep(0.8)
        self.assertEqual(len(rows()), before + 1, "reported once")

        time.sleep(5.0)  # once the desktop has settled, keys count again
        set_panel(400)
        self.assertTrue(wait_for(lambda: len(rows()) == before + 2))
        self.assertIn(",system_key,0.7000,0.4000,", rows()[-1])
        self.assertEqual(self.stop(), 0)

    def test_an_open_menu_keeps_its_alt_state_and_hears_new_levels(self):
        menu, sender = brightness_menu(self.program.pid)
        event = lambda id, name: menu.Event(id, name, dbus.String("", variant_level=1), dbus.UInt32(0))
        signals = MenuSignals()
        try:
            menu.AboutToShow(0)
            self.assertNotIn("Show Compensation Debug", entries(menu))
            hold_alt(True)
            set_panel(700)
            # A new level is a changed label, sent as such (some hosts read labels from nothing else).
            self.assertTrue(wait_for(lambda: any("Brightness: 70%" in signal for signal in signals.from_sender(
                sender, "ItemsPropertiesUpdated"))), signals.text)
            self.assertNotIn("Show Compensation Debug", entries(menu), "Alt came after the menu opened")
            self.assertEqual(signals.from_sender(sender, "LayoutUpdated"), [], "the open menu kept its entries")
            event(0, "closed")
            menu.AboutToShow(0)
            hold_alt(False)
            debug = entries(menu).get("Show Compensation Debug")
            self.assertIsNotNone(debug, "Alt held when the menu opened")
            event(debug, "clicked")  # still there after Alt is let go
            event(0, "closed")
            menu.AboutToShow(0)
            self.assertNotIn("Show Compensation Debug", entries(menu))
            self.assertEqual(entries(menu).get("Automatic Brightness") is not None, True)
        finally:
            hold_alt(False)
            signals.stop()
        self.assertTrue(wait_for(lambda: "showCompensationDebug=true" in open(
            os.path.join(os.environ["XDG_CONFIG_HOME"], "lumvex/lumvex.conf")).read()))


def volume_percent():
    text = subprocess.run(["pactl", "get-sink-volume", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout
    return int(text.split("/")[1].strip().rstrip("%"))


class XEmbedTray(unittest.TestCase):
    def test_each_icon_takes_only_its_own_wheel(self):
        # No StatusNotifierWatcher on this bus: the items fall back to XEmbed icons.
        tray = subprocess.Popen([XEMBED_TRAY], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        set_panel(500)
        program = subprocess.Popen([LUMVEX], stderr=subprocess.DEVNULL)
        try:
            self.assertEqual([tray.stdout.readline(), tray.stdout.readline()], ["docked 0\n", "docked 1\n"])
            time.sleep(0.5)

            def wheel(icon, notches):
                tray.stdin.write("wheel %d %d\n" % (icon, notches))
                tray.stdin.flush()
                self.assertEqual(tray.stdout.readline(), "ok\n")

            volume = volume_percent()
            wheel(1, 1)  # a notch down over the volume icon
            self.assertTrue(wait_for(lambda: volume_percent() == volume - 5), volume_percent())
            wheel(0, -1)  # a notch up over the brightness icon
            self.assertTrue(wait_for(lambda: panel() == 550), panel())
            time.sleep(0.3)
            self.assertEqual(volume_percent(), volume - 5)
        finally:
            program.terminate()
            program.wait(timeout=10)
            tray.stdin.close()
            tray.wait(timeout=5)


class CommandLine(unittest.TestCase):
    def test_help_version_and_missing_session(self):
        self.assertIn("Usage: lumvex", subprocess.run([LUMVEX, "--help"], capture_output=True, text=True).stdout)
        self.assertRegex(subprocess.run([LUMVEX, "--version"], capture_output=True, text=True).stdout,
                         r"^lumvex \d+\.\d+\.\d+\n$")
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        headless = subprocess.run([LUMVEX], capture_output=True, text=True, env=env, timeout=10)
        self.assertEqual(headless.returncode, 1)
        self.assertEqual(headless.stderr.count("\n"), 1)
        self.assertIn("no graphical session", headless.stderr)
        unknown = subprocess.run([LUMVEX, "frobnicate"], capture_output=True, text=True)
        self.assertEqual(unknown.returncode, 2)


if __name__ == "__main__":
    unittest.main(verbosity=2)
