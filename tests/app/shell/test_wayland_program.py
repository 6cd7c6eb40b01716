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

from program_session import (LOG, auto_rows, items, launch, lines, panel, set_panel, wait_for, wayland_env,
                             write_settings)

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


class WaylandProgram(unittest.TestCase):
    def start(self, **env):
        write_settings()
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
        # The portal is asked for, but this bus has none.
        self.start(LUMVEX_CAPTURE="portal")
        self.assertTrue(wait_for(lambda: "portal" in menu_labels(self.program.pid)[0].lower(), seconds=8.0),
                        menu_labels(self.program.pid))
        before = cpu_seconds(self.program.pid)
        time.sleep(3.0)
        # Nothing spins: a tenth of a core at most while there is nothing to capture.
        self.assertLess(cpu_seconds(self.program.pid) - before, 0.3)
        self.assertEqual(auto_rows(), [])
        status, errors = self.stop()
        self.assertEqual(status, 0)
        self.assertEqual(len(errors.splitlines()), 1, errors)
        self.assertIn("portal", errors.lower())


if __name__ == "__main__":
    unittest.main(verbosity=2)
