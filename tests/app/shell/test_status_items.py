#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real lumvex program's two status items as a panel sees them over the bus, with the test watcher of
sni_watcher.py (run by tests/support/run-desktop.sh). Usage: test_status_items.py PATH_TO_LUMVEX"""

import os
import pathlib
import subprocess
import sys
import time
import unittest

import dbus

from program_session import (ITEM, LOG, MENU, SETTINGS, BusMonitor, Item, fake_service, find, hold_alt, launch, lines,
                             muted, panel, rows, set_panel, volume, wait_for, write_settings, x_background)

LUMVEX = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex"


class Watcher:
    """sni_watcher.py in its own process, so that it can go away and come back."""

    def __init__(self):
        self.process = fake_service("app/shell/sni_watcher.py")

    def registrations(self):
        watcher = dbus.SessionBus().get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
        return [str(name) for name in watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems",
                                                  dbus_interface=dbus.PROPERTIES_IFACE)]

    def stop(self):
        self.process.terminate()
        self.process.wait()


def scroll_as(item, program, delta):
    """A Scroll from a process that calls itself PROGRAM, as hosts are told apart by their name."""
    subprocess.run(["bash", "-c", "exec -a %s dbus-send --session --print-reply --dest=%s /StatusNotifierItem "
                    "%s.Scroll int32:%d string:vertical" % (program, item.service, ITEM, delta)],
                   check=True, stdout=subprocess.DEVNULL)
    return panel()


def pixel(item, size, x, y):
    """(alpha, red, green, blue) of the item's icon of that size."""
    for width, height, data in item.get("IconPixmap"):
        if width == size:
            at = (y * width + x) * 4
            return tuple(int(byte) for byte in data[at:at + 4])
    raise AssertionError("no %d px icon" % size)


class ProgramWithItems(unittest.TestCase):
    """The program started with these settings, its items registered with a fresh watcher."""
    settings = ""
    language = ""

    def setUp(self):
        write_settings(self.settings)
        set_panel(500)
        subprocess.run(["pactl", "set-sink-volume", "@DEFAULT_SINK@", "50%"], check=True)
        subprocess.run(["pactl", "set-sink-mute", "@DEFAULT_SINK@", "0"], check=True)
        self.watcher = Watcher()
        self.addCleanup(lambda: self.watcher.stop())
        self.program = launch(self, [LUMVEX], stderr=subprocess.DEVNULL, env={**os.environ, "LANGUAGE": self.language})
        self.assertTrue(wait_for(lambda: len(self.watcher.registrations()) == 2, 10), "the items did not register")
        items = {str(item.get("Id")): item for item in map(Item, self.watcher.registrations())}
        self.brightness, self.volume = items["lumvex-brightness"], items["lumvex-volume"]
        time.sleep(0.6)  # a couple of polls


class StatusItems(ProgramWithItems):
    def test_items_register_with_their_properties_and_again_when_the_watcher_comes_back(self):
        every = self.brightness.object.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE)
        # Hosts read every property and fail on a missing one, used or not.
        for name in ("WindowId", "IconThemePath", "IconName", "OverlayIconName", "OverlayIconPixmap",
                     "AttentionIconName", "AttentionIconPixmap", "AttentionMovieName", "AttentionAccessibleDesc"):
            self.assertIn(name, every)
        self.assertEqual({name: every[name] for name in ("Id", "Category", "Status", "Title", "ItemIsMenu",
                                                         "IconAccessibleDesc", "Menu")},
                         {"Id": "lumvex-brightness", "Category": "Hardware", "Status": "Active",
                          "Title": "Brightness 50%", "ItemIsMenu": True, "IconAccessibleDesc": "Brightness 50%",
                          "Menu": "/MenuBar"})
        self.assertEqual(every["ToolTip"][2:], ("Brightness", "50%"))
        self.assertEqual([(int(w), int(h)) for w, h, _ in every["IconPixmap"]],
                         [(16, 16), (22, 22), (24, 24), (32, 32), (48, 48), (64, 64)])
        # Light on dark panels by default: the pie's left half is drawn in the light label colour.
        self.assertEqual(pixel(self.brightness, 64, 6, 32), (0xff, 0xf2, 0xf2, 0xf2))
        self.assertEqual(pixel(self.brightness, 64, 1, 1)[0], 0)
        self.assertEqual(self.volume.get("Title"), "Volume 50%")

        self.watcher.stop()
        self.watcher = Watcher()
        self.assertTrue(wait_for(lambda: sorted(self.watcher.registrations()) ==
                                 sorted([self.brightness.service, self.volume.service])),
                        self.watcher.registrations())

    def test_scroll_moves_five_percent_a_notch_and_is_learned(self):
        signals = BusMonitor("type='signal',interface='%s'" % ITEM)
        self.addCleanup(signals.stop)
        # Unknown hosts (this one): 120ths of a notch, up positive.
        self.brightness.call("Scroll", dbus.Int32(120), "vertical")
        self.assertEqual(panel(), 550)
        self.brightness.call("Scroll", dbus.Int32(-240), "vertical")
        self.assertEqual(panel(), 450)
        self.brightness.call("Scroll", dbus.Int32(120), "horizontal")  # not ours
        self.assertEqual(scroll_as(self.brightness, "xfce4-panel", 1), 400)  # +1 for wheel down
        # Manual corrections, logged; those made while the screen is still being looked at as one.
        self.assertTrue(wait_for(lambda: any(",scroll," in row and ",0.4000," in row for row in rows()[-1:])),
                        "\n".join(rows()))
        # The host hears of the new level.
        for signal in ("NewIcon", "NewToolTip"):
            self.assertTrue(wait_for(lambda: signals.signals(self.brightness.sender, signal)), signals.text)
        self.assertEqual(self.brightness.get("Title"), "Brightness 40%")

        self.volume.call("Scroll", dbus.Int32(120), "vertical")
        self.assertTrue(wait_for(lambda: volume() == 55), volume())
        self.assertEqual(panel(), 400)

    def test_menu_entries_and_their_properties_and_activate_leaves_the_menu_to_the_host(self):
        # The item is a menu: Activate says it has no action of its own, and hosts show the exported menu.
        with self.assertRaises(dbus.DBusException) as refused:
            self.brightness.call("Activate", dbus.Int32(10), dbus.Int32(20))
        self.assertEqual(refused.exception.get_dbus_name(), "org.freedesktop.DBus.Error.UnknownMethod")
        # The volume item's middle click mutes in a real host (test_waybar.py); the brightness item's does not.
        self.brightness.call("SecondaryActivate", dbus.Int32(0), dbus.Int32(0))
        self.assertEqual(lines(self.brightness.layout()),
                         ["Brightness: 50%", "Volume: 50%", "Mute", "---", "Automatic Brightness", "Link Displays",
                          "---", "Icon Style", "  Pie", "  Curtain", "---", "Check for Updates\u2026", "Start at Login",
                          "Quit Lumvex"])
        hold_alt(True)
        try:
            self.assertEqual(lines(self.brightness.layout()),
                             ["Brightness: 50%", "Volume: 50%", "Mute", "---", "Automatic Brightness",
                              "Link Displays", "Show Compensation Debug", "Calibration\u2026", "  0 content situations learned",
                              "  Last 7 days: 0.0 adj/day (baseline 0.0)", "  Today: 0 \u2022 days tracked: 0",
                              "  ---", "  Remember Brightness per Situation", "  Adjust External Displays",
                              "  Reset all calibration", "  Reset everything", "---", "Record Brightness Data",
                              "Reveal Data in File Manager", "---", "Icon Style", "  Pie", "  Curtain", "---",
                              "Check for Updates\u2026", "Start at Login", "Quit Lumvex"])
        finally:
            hold_alt(False)

        layout = self.brightness.layout()
        for label in ("Brightness: 50%", "Volume: 50%"):
            self.assertFalse(find(layout, label)[1]["enabled"], label)
        toggle = find(layout, "Automatic Brightness")
        self.assertEqual((toggle[1]["toggle-type"], toggle[1]["toggle-state"], toggle[1].get("enabled", True)),
                         ("checkmark", 0, True))
        self.assertEqual(find(layout, "Icon Style")[1]["children-display"], "submenu")
        self.assertEqual(find(layout, "Pie")[1]["toggle-state"], 1)
        quit = find(layout, "Quit Lumvex")
        self.assertEqual(self.brightness.menu.GetProperty(quit[0], "shortcut"), [["Control", "q"]])
        self.assertEqual(self.brightness.menu.GetProperty(quit[0], "shortcut").signature, "as")

        # Group calls answer for several entries at once; unknown ids are reported.
        group = self.brightness.menu.GetGroupProperties([toggle[0], quit[0]], ["label"])
        self.assertEqual([(int(id), dict(properties)) for id, properties in group],
                         [(toggle[0], {"label": "Automatic Brightness"}), (quit[0], {"label": "Quit Lumvex"})])
        self.assertEqual(list(self.brightness.menu.AboutToShowGroup([0, 9999])[1]), [9999])
        with self.assertRaises(dbus.DBusException):
            self.brightness.menu.Event(9999, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
        self.assertFalse(muted())

    def test_clicks_carry_out_the_actions_and_the_settings_persist(self):
        autostart = os.path.join(os.environ["XDG_CONFIG_HOME"], "autostart/lumvex.desktop")
        self.addCleanup(lambda: os.path.exists(autostart) and os.remove(autostart))
        login = int(find(self.brightness.layout(), "Start at Login")[1]["toggle-state"])
        signals = BusMonitor("type='signal',interface='%s'" % MENU)
        self.addCleanup(signals.stop)
        hold_alt(True)
        try:
            for label in ("Automatic Brightness", "Show Compensation Debug", "Curtain", "Start at Login",
                          "Record Brightness Data"):
                self.brightness.click(label)
            self.volume.click("Mute")
            layout = self.brightness.layout()
        finally:
            hold_alt(False)
        self.assertTrue(wait_for(muted))
        self.assertEqual({label: int(find(layout, label)[1]["toggle-state"]) for label in (
            "Automatic Brightness", "Curtain", "Pie", "Record Brightness Data", "Start at Login")},
            {"Automatic Brightness": 1, "Curtain": 1, "Pie": 0, "Record Brightness Data": 1,
             "Start at Login": 1 - login})
        self.assertEqual(os.path.isfile(autostart), login == 0)
        # The volume item's menu puts its own line first.
        self.assertEqual([self.volume.labels()[i] for i in (0, 2)], ["Volume: muted", "Unmute"])
        # Hosts that keep the menu hear that it has new entries (Pause, with automatic adjustment on), and those
        # that keep the entries they know (GNOME's) hear the switch's new check state.
        self.assertIsNotNone(find(layout, "Pause"))
        switch = "int32 %d\n" % find(layout, "Automatic Brightness")[0]
        self.assertTrue(wait_for(lambda: signals.signals(self.brightness.sender, "LayoutUpdated") and any(
            switch in update and '"toggle-state"' in update
            for update in signals.signals(self.brightness.sender, "ItemsPropertiesUpdated"))), signals.text)
        # With the debug switch on, the first line tells the loop's quantities.
        self.assertRegex(lines(layout)[0], "^B: \\d+% \u2022 L: \\d\\.\\d\\d \u2022 R: ")
        # The recording's timer runs on: the content's changes show in its rows.
        recorded = pathlib.Path(LOG).parent / "telemetry"
        ticks = lambda: sum(f.read_text().count('"trigger":"tick"') for f in recorded.iterdir())  # noqa: E731
        x_background("white")
        self.assertTrue(wait_for(lambda: ticks() >= 2, seconds=8.0), ticks())

        self.brightness.click("Quit Lumvex")
        self.assertEqual(self.program.wait(timeout=5), 0)
        # The settings are in the file, for the next start.
        text = pathlib.Path(SETTINGS).read_text()
        self.assertLessEqual({"autoAdjustEnabled=true", "showCompensationDebug=true", "iconStyle=curtain"},
                             set(text.splitlines()), text)


class StatusItemsWithSettings(ProgramWithItems):
    settings = "invertScroll=true\niconColor=#ff0000\n"
    language = "de"

    def test_each_host_is_known_by_its_program_and_the_settings_and_the_language_are_obeyed(self):
        self.assertEqual(pixel(self.brightness, 64, 6, 32), (0xff, 0xff, 0, 0))
        self.assertEqual((lines(self.brightness.layout())[:8], self.brightness.get("Title")),
                         (["Helligkeit: 50 %", "Lautst\u00e4rke: 50 %", "Stumm", "---", "Automatische Helligkeit",
                           "Bildschirme koppeln", "---", "Symbolstil"], "Helligkeit 50%"))
        # A notch up is 5 %; a small step its share of a notch, never a notch of its own. The inverted
        # wheel is for unknown hosts only.
        for program, delta, level in (("waybar", -2, 550), ("waybar", -1, 575), ("/usr/bin/gnome-shell", 1, 525),
                                      ("plasmashell", 120, 575), ("plasmashell", -15, 569), ("xfce4-panel", -1, 619),
                                      ("tray-host", 120, 569)):
            self.assertEqual(scroll_as(self.brightness, program, delta), level, (program, delta))


if __name__ == "__main__":
    unittest.main(verbosity=2)
