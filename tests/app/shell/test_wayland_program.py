#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real lumvex program in a private headless sway (run-with-sway.sh) inside the fake desktop of
run-desktop.sh. Usage: test_wayland_program.py PATH_TO_LUMVEX"""

import os
import signal
import subprocess
import sys
import time
import unittest

import dbus

from program_session import (LOG, BusMonitor, auto_rows, items, launch, lines, panel, rows, set_panel, wait_for,
                             wayland_env, write_settings)

LUMVEX = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex"


def background(colour):
    subprocess.run(["swaymsg", "output", "HEADLESS-1", "bg", colour, "solid_color"], check=True,
                   stdout=subprocess.DEVNULL)


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def menu_labels(pid):
    """The top entries of the brightness item's menu, as a tray host would show them."""
    found = items(pid).get("lumvex-brightness")
    return found.labels() if found else []


def scroll(pid, delta=120):
    items(pid)["lumvex-brightness"].call("Scroll", dbus.Int32(delta), "vertical")


class WaylandProgram(unittest.TestCase):
    def start(self, settings="autoAdjustEnabled=true\n", **env):
        write_settings(settings)
        set_panel(500)
        background("#404040")
        if os.path.exists(LOG):
            os.remove(LOG)
        self.program = launch(self, [LUMVEX], stderr=subprocess.PIPE, text=True, env=wayland_env(**env))
        self.assertTrue(wait_for(lambda: len(menu_labels(self.program.pid)) > 0, seconds=8.0),
                        "the program did not start")

    def stop(self):
        self.program.send_signal(signal.SIGTERM)
        status = self.program.wait(timeout=10)
        return status, self.program.stderr.read()

    def test_what_the_compositor_shows_moves_the_backlight(self):
        self.start()
        # Bright content asks for less light than dark content: the backlight follows the screen.
        time.sleep(2.0)
        dark = panel()
        background("#ffffff")
        self.assertTrue(wait_for(lambda: panel() < dark - 20, seconds=15.0),
                        "backlight %d on white after %d on dark grey" % (panel(), dark))
        self.assertTrue(wait_for(lambda: len(auto_rows()) > 0, seconds=8.0), "the adjustment is not logged")
        bright = panel()
        background("#404040")
        self.assertTrue(wait_for(lambda: panel() > bright + 20, seconds=15.0),
                        "backlight %d on dark grey after %d on white" % (panel(), bright))
        self.assertFalse(any("capture" in label.lower() for label in menu_labels(self.program.pid)))
        # Alt cannot be read here: its entries are in a submenu at the end.
        entries = lines(items(self.program.pid)["lumvex-brightness"].layout())
        advanced = entries.index("Advanced")
        self.assertEqual(entries[advanced - 1:advanced + 3],
                         ["---", "Advanced", "  Show Compensation Debug", "  Calibration\u2026"])
        self.assertEqual(entries[-1], "  Reveal Data in File Manager")
        self.assertEqual(entries.count("  Record Brightness Data"), 1)
        status, errors = self.stop()
        self.assertEqual(status, 0)
        self.assertEqual(errors.strip(), "")

    def test_without_capture_the_menu_says_why_once_and_the_program_stays_quiet(self):
        # The portal is asked for, but this bus has none. With automatic adjustment off a scroll is learned
        # without a look at the screen: the portal would ask the user and show the screen as shared.
        self.start("autoAdjustEnabled=false\n", LUMVEX_CAPTURE="portal")
        portal = BusMonitor("type='method_call',destination='org.freedesktop.portal.Desktop'")
        self.addCleanup(portal.stop)
        scroll(self.program.pid)
        self.assertTrue(wait_for(lambda: any(",scroll,0.5000,0.5500," in row for row in rows())), rows())
        time.sleep(2.0)
        self.assertNotIn("portal", portal.text)
        subprocess.run([LUMVEX, "ctl", "auto", "on"], check=True, stdout=subprocess.DEVNULL)
        self.assertTrue(wait_for(lambda: "portal" in menu_labels(self.program.pid)[0].lower(), seconds=8.0),
                        menu_labels(self.program.pid))
        self.assertIn("portal", portal.text)
        before = cpu_seconds(self.program.pid)
        time.sleep(3.0)
        # Nothing spins: a tenth of a core at most while there is nothing to capture.
        self.assertLess(cpu_seconds(self.program.pid) - before, 0.3)
        self.assertEqual(auto_rows(), [])
        status, errors = self.stop()
        self.assertEqual(status, 0)
        self.assertEqual(len(errors.splitlines()), 1, errors)
        self.assertIn("portal", errors.lower())

    def test_a_late_and_slow_compositor_is_waited_for_and_nothing_blocks_meanwhile(self):
        # The compositor's socket is not there yet when the program starts (at login), and once it is, the
        # compositor is too busy to answer for a few seconds.
        sway, socket = int(os.environ["LUMVEX_SWAY_PID"]), os.path.join(os.environ["HOME"], "late-wayland")
        # As in a session without an X server: the tray never waits on Qt's own Wayland connection.
        self.start("autoAdjustEnabled=false\n", WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="offscreen")
        # With no display known a scroll goes to the panel, never to a display that does not exist.
        scroll(self.program.pid)
        self.assertEqual(panel(), 550)
        self.assertIn("waiting for the compositor", menu_labels(self.program.pid)[0].lower())
        os.kill(sway, signal.SIGSTOP)
        self.addCleanup(os.kill, sway, signal.SIGCONT)
        os.symlink(wayland_env()["WAYLAND_DISPLAY"], socket)
        self.assertTrue(wait_for(lambda: "waiting for the compositor" in menu_labels(self.program.pid)[0].lower(),
                                 seconds=8.0), menu_labels(self.program.pid))
        # The program answers the bus at once all the while: its main thread never waits for the compositor.
        lumvex = dbus.Interface(dbus.SessionBus().get_object("io.github.lumvex.Lumvex", "/io/github/lumvex/Lumvex"),
                                "io.github.lumvex.Lumvex1")
        longest, output, answers_at = 0.0, "", time.monotonic() + 3.0
        while output != "HEADLESS-1" and time.monotonic() < answers_at + 10.0:
            if time.monotonic() > answers_at:
                os.kill(sway, signal.SIGCONT)
            asked = time.monotonic()
            output = str(lumvex.Status()["DisplayUnderPointer"])
            longest = max(longest, time.monotonic() - asked)
            time.sleep(0.05)
        self.assertEqual(output, "HEADLESS-1", "the compositor's outputs did not appear")
        self.assertLess(longest, 1.0)
        self.assertTrue(wait_for(lambda: "display" not in menu_labels(self.program.pid)[0].lower()))
        scroll(self.program.pid)
        self.assertEqual(panel(), 600)
        self.assertEqual(self.stop()[0], 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
