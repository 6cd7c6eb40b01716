#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Lumvex driven from outside, against the real program in a headless desktop of its own (run by
tests/support/run-desktop.sh): the session-bus interface, `lumvex ctl`, choices that stand, the pause, a
panel that refuses or cannot be read and the level left on quit. Usage: test_control.py PATH_TO_LUMVEX"""

import json
import os
import shutil
import signal
import subprocess
import sys
import time
import unittest

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../shell"))
from program_session import (DEVICE, LOG, auto_rows, desktop, items, launch, panel, rows, set_panel,  # noqa: E402
                             wait_for, write_settings)
from program_session import x_background as background  # noqa: E402

LUMVEX = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex"
DDC = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex-ddc-simulated"
NAME, PATH, INTERFACE = "io.github.lumvex.Lumvex", "/io/github/lumvex/Lumvex", "io.github.lumvex.Lumvex1"

DBusGMainLoop(set_as_default=True)


def ctl(*args):
    return subprocess.run([LUMVEX, "ctl", *args], capture_output=True, text=True, timeout=20)


def stats():
    path = os.path.join(os.environ.get("XDG_DATA_HOME", ""), "lumvex/dailystats.json")
    return open(path).read() if os.path.exists(path) else ""


class Session(unittest.TestCase):
    def launch(self, command):
        remember = self._testMethodName.endswith("_remembering")
        write_settings("autoAdjustEnabled=true\n" + ("rememberBrightnessPerSituation=true\n" if remember else ""))
        if os.path.exists(LOG):
            os.remove(LOG)
        background("#404040")
        self.program = launch(self, command, stderr=subprocess.DEVNULL)
        self.bus = dbus.SessionBus()
        self.assertTrue(wait_for(lambda: self.bus.name_has_owner(NAME), seconds=8.0), "not on the bus")
        self.lumvex = dbus.Interface(self.bus.get_object(NAME, PATH), INTERFACE)
        self.changes = []
        receiver = self.bus.add_signal_receiver(
            lambda interface, changed, invalidated: self.changes.append(dict(changed)),
            "PropertiesChanged", "org.freedesktop.DBus.Properties", NAME, PATH)
        self.addCleanup(receiver.remove)
        self.settle()

    def pump(self):
        while GLib.MainContext.default().iteration(False):
            pass

    def settle(self):
        """Waits until the loop has taken in the screen and stopped moving the panel."""
        last, still_since = panel(), time.monotonic()
        deadline = still_since + 10.0
        while time.monotonic() - still_since < 1.0 and time.monotonic() < deadline:
            time.sleep(0.1)
            if panel() != last:
                last, still_since = panel(), time.monotonic()
        self.pump()
        self.changes.clear()

    def changed(self, name, condition, seconds=5.0):
        """Waits for a PropertiesChanged of the property whose value meets the condition."""
        def seen():
            self.pump()
            return any(name in change and condition(change[name]) for change in self.changes)
        return wait_for(seen, seconds)


class Running(Session):
    def setUp(self):
        set_panel(500)
        self.launch([LUMVEX])

    def test_choices_stand_show_as_properties_and_quitting_leaves_the_users_level(self):
        self.choices_stand(key_before_quit=False)

    def test_choices_stand_and_a_key_pressed_just_before_quitting_stays_remembering(self):
        self.choices_stand(key_before_quit=True)

    def choices_stand(self, key_before_quit):
        set_panel(700)  # a brightness key
        self.assertTrue(self.changed("Brightness", lambda b: abs(b - 0.7) < 0.001), self.changes)
        self.assertTrue(wait_for(lambda: ",system_key," in rows()[-1]))

        # On a screen that does not change, nothing takes a choice back once the manual hold is over.
        before, written = len(rows()), len(auto_rows())
        for level in [40, 70, 25]:
            self.assertEqual(ctl("set", "%d%%" % level).returncode, 0)
            time.sleep(4.0)
            self.assertEqual(panel(), level * 10)
        self.lumvex.ChangeBrightness(0.35)
        self.assertEqual(panel(), 600)
        self.assertTrue(self.changed("Brightness", lambda b: abs(b - 0.6) < 0.001))
        time.sleep(0.8)  # the poll must not take it for a key press
        self.assertEqual((len(rows()), len(auto_rows())), (before + 4, written), rows()[before:])
        self.assertIn(",command,0.2500,0.6000,", rows()[-1])

        # Bright content asks for less light than the choice: the loop's write shows too.
        self.changes.clear()
        background("#ffffff")
        self.assertTrue(self.changed("Brightness", lambda b: b < 0.59, seconds=15.0), self.changes)
        self.assertTrue(wait_for(lambda: ",auto" in rows()[-1], seconds=8.0), "the loop's write is not logged")
        self.assertLess(panel(), 590)

        if key_before_quit:
            set_panel(panel() - 10)  # one step from the loop's level: still the user's
        left = panel() if key_before_quit else 600  # else the user's last level is put back
        self.program.send_signal(signal.SIGTERM)
        self.assertEqual((self.program.wait(timeout=5), panel()), (0, left))

    def test_an_unreadable_level_is_unknown_and_not_announced(self):
        known = self.lumvex.Get(INTERFACE, "Brightness", dbus_interface=dbus.PROPERTIES_IFACE)
        os.remove(DEVICE)
        self.addCleanup(set_panel, 500)
        self.assertIn("Brightness: unknown\n", ctl("status").stdout)
        self.assertIsNone(json.loads(ctl("status", "--json").stdout)["Brightness"])
        time.sleep(0.5)  # two polls
        self.pump()
        self.assertEqual([change for change in self.changes if "Brightness" in change], [])
        self.assertEqual(self.lumvex.Get(INTERFACE, "Brightness", dbus_interface=dbus.PROPERTIES_IFACE), known)

    def test_bad_arguments_are_refused_and_change_nothing(self):
        def state():
            status = self.lumvex.Status()
            return panel(), len(rows()), status["PausedUntil"], status["AutomaticAdjustment"]
        before = state()
        props = dbus.Interface(self.bus.get_object(NAME, PATH), "org.freedesktop.DBus.Properties")
        invalid, unknown = "org.freedesktop.DBus.Error.InvalidArgs", "org.freedesktop.DBus.Error.UnknownProperty"
        for row, (call, args, error) in enumerate([
                (self.lumvex.SetBrightness, [float("nan")], invalid), (self.lumvex.SetBrightness, [1.5], invalid),
                (self.lumvex.SetBrightness, [-0.01], invalid),
                (self.lumvex.ChangeBrightness, [float("inf")], invalid), (self.lumvex.ChangeBrightness, [-2.0], invalid),
                (self.lumvex.ChangeBrightness, [0.0], invalid), (self.lumvex.ChangeBrightness, [5e-324], invalid),
                (self.lumvex.Pause, [dbus.UInt32(7 * 24 * 3600 + 1)], invalid)] + [
                (props.Set, [INTERFACE, "AutomaticAdjustment", value], invalid)
                for value in ["off", dbus.Int32(2), float("nan"), dbus.Array([True]), dbus.Struct((True,))]] + [
                (props.Get, [INTERFACE, "objectName"], unknown),
                (props.Set, [INTERFACE, "objectName", "x"], unknown),
                (props.Set, [INTERFACE, "Brightness", 0.5], "org.freedesktop.DBus.Error.PropertyReadOnly")]):
            with self.subTest(row=row, args=args):
                with self.assertRaises(dbus.DBusException) as refused:
                    call(*args)
                self.assertEqual((refused.exception.get_dbus_name(), "\n" in refused.exception.get_dbus_message()),
                                 (error, False))
        self.assertNotIn("objectName", props.GetAll(INTERFACE))
        self.lumvex.SetBrightness(before[0] / 1000)  # the level it has: no correction to learn
        self.assertEqual(state(), before)

    def test_a_pause_stops_automatic_writes_and_ends_by_itself(self):
        before, written = panel(), len(auto_rows())
        self.lumvex.Pause(dbus.UInt32(2))
        self.assertTrue(self.changed("PausedUntil", lambda t: t > time.time()))
        labels = items(self.program.pid)["lumvex-brightness"].labels()
        self.assertRegex(labels[labels.index("Automatic Brightness") + 1], r"^Resume \(paused until \d\d:\d\d\)$")
        background("#ffffff")
        time.sleep(1.0)
        self.assertEqual((panel(), len(auto_rows())), (before, written))
        self.assertTrue(self.changed("PausedUntil", lambda t: t == 0, seconds=3.0))
        self.assertIn("Pause", items(self.program.pid)["lumvex-brightness"].labels())
        self.assertTrue(wait_for(lambda: panel() < before - 20, seconds=15.0), "automatic writes did not resume")

    def test_ctl_drives_the_running_program(self):
        self.assertEqual((ctl("auto", "off").returncode, self.lumvex.Status()["AutomaticAdjustment"]), (0, False))
        refused = ctl("pause")
        self.assertEqual((refused.returncode, refused.stderr.count("\n"), "off" in refused.stderr), (1, 1, True))
        set_panel(500)
        time.sleep(0.6)
        for args, level in [(["up"], 550), (["down", "10%"], 450), (["set", "40%"], 400), (["up", "2.5"], 425)]:
            with self.subTest(args=args):
                done = ctl(*args)
                self.assertEqual((done.returncode, done.stderr), (0, ""))
                self.assertEqual(panel(), level)
        # A call whose caller gave up waiting is not applied when Lumvex comes back: a retry would apply it twice.
        before = (panel(), len(rows()))
        self.program.send_signal(signal.SIGSTOP)
        try:
            given_up = ctl("set", "40%")
        finally:
            self.program.send_signal(signal.SIGCONT)
        self.assertEqual((given_up.returncode, given_up.stderr.count("the brightness was not changed")), (1, 1))
        time.sleep(1.0)
        self.assertEqual((panel(), len(rows())), before)
        self.assertEqual([ctl(*args).returncode for args in (["auto", "on"], ["pause", "30m"])], [0, 0])
        status = json.loads(ctl("status", "--json").stdout)
        self.assertAlmostEqual(status["PausedUntil"], time.time() + 1800, delta=5)
        self.assertEqual((type(status["Brightness"]), "Volume" in status), (float, True))
        self.assertIn("paused until", ctl("status").stdout)
        self.assertEqual(ctl("pause", "7d").returncode, 0)
        self.assertRegex(ctl("status").stdout, r"paused until \d{4}-\d\d-\d\d \d\d:\d\d\n")
        self.assertEqual((ctl("resume").returncode, self.lumvex.Status()["PausedUntil"]), (0, 0))


class Refused(Session):
    """A panel the login manager refuses to set: root passes permission checks, so without that power."""

    def setUp(self):
        set_panel(600)
        os.chmod(DEVICE, 0o444)
        self.addCleanup(os.chmod, DEVICE, 0o644)
        drop = ["setpriv", "--bounding-set", "-dac_override,-dac_read_search"] if os.geteuid() == 0 else []
        self.launch(drop + [LUMVEX])
        desktop("SetRefusing", "true")
        self.addCleanup(desktop, "SetRefusing", "false")

    def test_a_refused_level_is_an_error_and_never_taken_as_set(self):
        before = (panel(), rows(), stats())
        for args in [["set", "90%"], ["up", "10"]]:
            done = ctl(*args)
            self.assertEqual((done.returncode, done.stderr.count("\n"), "refused" in done.stderr), (1, 1, True),
                             done.stderr)
        time.sleep(1.0)  # the poll must find no key press either
        self.assertEqual((panel(), rows(), stats()), before)
        self.assertIn("refused", items(self.program.pid)["lumvex-brightness"].labels()[0])


def edid(serial, name):
    """An EDID block with the maker ACM, product 1, that serial number and that monitor name."""
    block = bytearray(b"\x00\xff\xff\xff\xff\xff\xff\x00\x04\x6d\x01\x00") + bytes([serial, 0, 0, 0])
    block += bytes(54 - len(block)) + b"\x00\x00\x00\xfc\x00" + (name + "\n").encode().ljust(13, b" ")
    return bytes(block + bytes(128 - len(block)))


class Linked(Session):
    """Monitors on the real DDC tool, each simulated behind its own bus: two that answer (one with a range of
    its own), one that refuses brightness, one that vanishes during its first write and one that is slow."""

    MONITORS = {"DP-1": (5, "30 100 0"), "DP-2": (6, "60 100 0"), "DP-3": (7, "50 100 0 refuses"),
                "DP-4": (8, "50 100 0 vanishes"), "DP-6": (9, "50 100 0 slow")}

    def plug(self, connector, bus, state=None, x=2400):
        folder = os.path.join(os.environ["LUMVEX_SYSFS_ROOT"], "sys/class/drm/card0-" + connector)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "status"), "w") as status:
            status.write("connected\n" if bus else "disconnected\n")
        if not bus:
            return subprocess.run(["xrandr", "--delmonitor", connector], check=True)
        with open(os.path.join(folder, "edid"), "wb") as block:
            block.write(edid(bus, "Tall" if bus == 6 else "Wide %d" % bus))
        if not os.path.islink(os.path.join(folder, "ddc")):
            os.symlink("../../../devices/i2c-%d" % bus, os.path.join(folder, "ddc"))
        if state:
            with open(os.path.join(self.states, "i2c-%d" % bus), "w") as monitor:
                monitor.write(state + "\n")
        if x is not None:  # DP-1 is one of the desktop's own monitors
            subprocess.run(["xrandr", "--setmonitor", connector, "1440/527x1080/296+%d+0" % x, "none"], check=True)

    def monitor(self, bus):
        try:
            with open(os.path.join(self.states, "i2c-%d" % bus)) as state:
                return int(state.read().split()[0])
        except (FileNotFoundError, IndexError):  # gone, or being rewritten
            return None

    def setUp(self):
        set_panel(400)
        self.states = os.path.join(os.environ["LUMVEX_TEST_DIR"], "ddc")
        os.makedirs(self.states, exist_ok=True)
        for connector, (bus, state) in self.MONITORS.items():
            self.plug(connector, bus, state, x=None if connector == "DP-1" else 2400)
        self.addCleanup(lambda: [subprocess.run(["xrandr", "--delmonitor", c], capture_output=True)
                                 for c in ["DP-2", "DP-3", "DP-4", "DP-5", "DP-6"]])
        os.environ.update(LUMVEX_DDC_TOOL=DDC, LUMVEX_DDC_SIMULATED_STATE=self.states)
        self.addCleanup(lambda: [os.environ.pop(name) for name in ["LUMVEX_DDC_TOOL", "LUMVEX_DDC_SIMULATED_STATE"]])
        self.launch([LUMVEX])

    def test_linked_displays_follow_manual_changes_through_their_ranges_and_faults_stay_with_their_monitor(self):
        item = items(self.program.pid)["lumvex-brightness"]
        self.assertEqual((ctl("set", "40%").returncode, self.monitor(5), self.monitor(6)), (0, 30, 60))
        self.assertNotIn("DP-1", " ".join(item.labels()))  # not linked: monitors are left alone
        self.assertEqual(ctl("display", "DP-2", "range", "20%-60%").returncode, 0)
        # A range that cannot be kept (its file's place taken by a folder) is taken but said to be unsaved.
        ranges = os.path.join(os.environ["XDG_CONFIG_HOME"], "lumvex", "display_ranges.json")
        os.rename(ranges, ranges + ".kept")
        os.makedirs(os.path.join(ranges, "x"))
        for args, says in [(["DP-9", "range", "10-20"], "DP-9"), (["screen", "range", "10%-20%"], "built-in"),
                           (["DP-2", "range", "20%-60%"], "could not be saved")]:
            refused = ctl("display", *args)
            self.assertEqual((refused.returncode, says in refused.stderr, refused.stderr.count("\n")), (1, True, 1))
        with self.assertRaisesRegex(dbus.DBusException, "Error.NotSaved"):
            self.lumvex.SetDisplayRange("DP-2", 0.2, 0.6)
        shutil.rmtree(ranges)
        os.rename(ranges + ".kept", ranges)

        item.click("Link Displays")
        # Each display through its own range: DP-2's 20%-60% at the panel's 40% is 36%.
        self.assertTrue(wait_for(lambda: (self.monitor(5), self.monitor(6)) == (40, 36), seconds=8.0))
        started = time.monotonic()
        self.assertEqual(ctl("set", "70%").returncode, 0)
        self.lumvex.Status()  # answered while the slow and the vanishing monitor are still being written
        self.assertLess(time.monotonic() - started, 1.0)
        self.assertTrue(wait_for(lambda: (self.monitor(5), self.monitor(6)) == (70, 48), seconds=8.0))
        set_panel(500)  # a brightness key
        self.assertTrue(wait_for(lambda: (self.monitor(5), self.monitor(6)) == (50, 40), seconds=8.0))
        self.assertEqual((self.monitor(7), self.monitor(8), self.monitor(9)), (50, None, 50))
        silent = ["DP-3 (Wide 7) does not answer", "DP-4 (Wide 8) does not answer", "DP-6 (Wide 9) does not answer"]
        self.assertTrue(wait_for(lambda: set(silent) <= set(item.labels()), seconds=8.0), item.labels())
        self.assertIn("DP-2 (Tall): 40%", item.labels())
        listed = ctl("display").stdout
        self.assertRegex(listed, r"Link Displays: on\n(.*\n)*DP-2 +Tall +40% +20%-60%\n")
        self.assertRegex(listed, r"DP-4 +Wide 8 +- +0%-100% +does not answer\n")

        # Docked again on another connector: the monitor keeps its range by its EDID and joins the link.
        self.plug("DP-2", None)
        self.plug("DP-5", 6, x=1200)
        set_panel(300)
        self.assertTrue(wait_for(lambda: (self.monitor(5), self.monitor(6)) == (30, 32), seconds=8.0))
        self.assertIn((0.2, 0.6), [(d["Low"], d["High"]) for d in self.lumvex.Displays()[1] if d["Name"] == "DP-5"])

        # Lid closed: no panel in use, and ctl moves the monitors alone.
        subprocess.run(["xrandr", "--delmonitor", "eDP-1"], check=True)
        self.addCleanup(subprocess.run, ["xrandr", "--setmonitor", "*eDP-1", "2400/344x1080/194+0+0", "screen"],
                        capture_output=True)
        self.assertEqual((ctl("set", "60%").returncode, panel()), (0, 300))
        self.assertTrue(wait_for(lambda: (self.monitor(5), self.monitor(6)) == (60, 44), seconds=8.0))


class NotRunning(unittest.TestCase):
    def test_ctl_says_so_and_refuses_bad_usage(self):
        missing = ctl("up")
        self.assertEqual((missing.returncode, missing.stderr), (1, "lumvex ctl: Lumvex is not running\n"))
        for args in [[], ["up", "0"], ["down", "4.9e-324"], ["down", "x"], ["set"], ["set", "140%"],
                     ["auto", "maybe"], ["pause", "5x"], ["pause", "8d"], ["status", "--yaml"], ["\x1b[2Jx"],
                     ["display", "DP-2"], ["display", "DP-2", "range", "60%-20%"], ["display", "DP-2", "range", "0%-101%"],
                     ["display", "DP-2", "range", "5%-5.5%"], ["display", "DP-2", "range", "-10%-20%"],
                     ["display", "DP-2", "range", "10%-"]]:
            with self.subTest(args=args):
                refused = ctl(*args)
                self.assertEqual((refused.returncode, refused.stderr.count("\n")), (2, 1))
                self.assertNotIn("\x1b", refused.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
