#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real lumvex program in a headless desktop of its own (run by tests/support/run-desktop.sh).
Usage: test_tray_program.py PATH_TO_LUMVEX"""

import os
import pathlib
import shutil
import signal
import subprocess
import stat
import sys
import tempfile
import time
import unittest

from program_session import (DEVICE, LOG, MENU, SETTINGS, BusMonitor, find, hold_alt, item_count, items, launch,
                             lines, notification_server, panel, rows, set_panel, volume, wait_for, write_settings)
from program_session import desktop as control
from program_session import x_background as background

LUMVEX = sys.argv.pop(1) if len(sys.argv) > 1 else "lumvex"


def xrandr(*args):
    subprocess.run(["xrandr", *args], check=True, stdout=subprocess.DEVNULL)


def dock():
    """An external display on the desk becomes the main one."""
    xrandr("--delmonitor", "eDP-1")
    xrandr("--setmonitor", "eDP-1", "2400/344x1080/194+0+0", "screen")
    xrandr("--delmonitor", "DP-1")
    xrandr("--setmonitor", "*DP-1", "1440/527x1080/296+2400+0", "none")


def undock():
    """The external display goes: the built-in panel is the only and main one."""
    xrandr("--delmonitor", "DP-1")
    xrandr("--delmonitor", "eDP-1")
    xrandr("--setmonitor", "*eDP-1", "2400/344x1080/194+0+0", "screen")


def restore_layout():
    """The layout of run-desktop.sh."""
    undock()
    xrandr("--setmonitor", "DP-1", "1440/527x1080/296+2400+0", "none")


def wake():
    """The machine sleeps and wakes; the panel reads dark right after."""
    control("Sleep", "true")
    time.sleep(0.3)
    control("Sleep", "false")
    set_panel(0)


def key_rows():
    return [row for row in rows() if ",system_key," in row]


class TrayProgram(unittest.TestCase):
    def setUp(self):
        set_panel(500)
        if os.path.exists(LOG):
            os.remove(LOG)  # its appearance tells that the program has started
        # GNOME without its tray extension: nothing on this bus shows the items.
        self.program = launch(self, [LUMVEX], stderr=subprocess.DEVNULL,
                              env={**os.environ, "XDG_CURRENT_DESKTOP": "GNOME"})
        self.assertTrue(wait_for(lambda: os.path.exists(LOG) and item_count(self.program.pid) == 2, 10),
                        "the program did not start")
        time.sleep(0.6)  # a couple of polls

    def stop(self):
        self.program.send_signal(signal.SIGTERM)
        return self.program.wait(timeout=5)

    def test_no_tray_host_is_told_once_a_second_start_is_answered_and_the_exit_is_clean(self):
        notifications = notification_server(self)
        self.assertEqual(item_count(self.program.pid), 2, "a brightness and a volume item")
        self.assertTrue(wait_for(lambda: notifications(), 10), "no notification")
        [told] = notifications()  # what is missing, what to install here, and what works meanwhile
        self.assertRegex(told["summary"] + ": " + told["body"],
                         "^Lumvex is running, .* no tray icons: .*gnome-shell-extension-appindicator.*lumvex ctl")
        second = subprocess.run([LUMVEX], capture_output=True, text=True, timeout=10)
        self.assertEqual((second.returncode, "already running" in second.stderr), (0, True))
        self.assertTrue(wait_for(lambda: len(notifications()) == 2), notifications())
        self.assertRegex(notifications()[1]["summary"] + ": " + notifications()[1]["body"],
                         "^Lumvex is already running: This desktop shows no tray icons")
        self.assertIsNone(self.program.poll(), "the first one must be left alone")
        self.assertEqual(self.stop(), 0)
        self.assertTrue(pathlib.Path(LOG).read_text().endswith("\n"))

    def test_key_presses_are_learned_once_and_the_desktops_dimming_never(self):
        background("black")
        before = len(rows())
        set_panel(700)  # a brightness key
        self.assertTrue(wait_for(lambda: len(rows()) == before + 1))
        time.sleep(0.6)
        self.assertEqual(len(rows()), before + 1, "reported once")
        self.assertIn(",system_key,0.5000,0.7000,", rows()[-1])
        # Learned against the black screen it took a look at, not against mid-grey from nowhere.
        self.assertEqual(rows()[-1].split(",")[6].split("|")[0], "4", rows()[-1])

        # A brightness file that cannot be read for a while is no change to black.
        os.remove(DEVICE)
        time.sleep(0.8)
        set_panel(700)
        time.sleep(0.8)
        self.assertEqual(len(rows()), before + 1, rows()[-1])

        for state, dimmed in (("SetIdle", 300), ("SetLocked", 100)):
            control(state, "true")
            time.sleep(0.3)
            set_panel(dimmed)  # the desktop dims the idle or locked screen
            time.sleep(0.8)
            control(state, "false")
            set_panel(700)  # and restores it on activity
            time.sleep(0.8)
        wake()
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
        item = items(self.program.pid)["lumvex-brightness"]
        entries = lambda: lines(item.layout())
        signals = BusMonitor("type='signal',interface='%s'" % MENU)
        try:
            item.menu.AboutToShow(0)
            self.assertNotIn("Show Compensation Debug", entries())
            hold_alt(True)
            set_panel(700)
            # A new level is a changed label, sent as such (some hosts read labels from nothing else).
            self.assertTrue(wait_for(lambda: any("Brightness: 70%" in signal for signal in signals.signals(
                item.sender, "ItemsPropertiesUpdated"))), signals.text)
            self.assertNotIn("Show Compensation Debug", entries(), "Alt came after the menu opened")
            self.assertEqual(signals.signals(item.sender, "LayoutUpdated"), [], "the open menu kept its entries")
            item.event(0, "closed")
            item.menu.AboutToShow(0)
            hold_alt(False)
            debug = find(item.layout(), "Show Compensation Debug")
            self.assertIsNotNone(debug, "Alt held when the menu opened")
            item.event(debug[0], "clicked")  # still there after Alt is let go
            item.event(0, "closed")
            item.menu.AboutToShow(0)
            self.assertNotIn("Show Compensation Debug", entries())
            self.assertIn("Automatic Brightness", entries())
        finally:
            hold_alt(False)
            signals.stop()
        self.assertTrue(wait_for(lambda: "showCompensationDebug=true" in open(SETTINGS).read()))


class XEmbedTray(unittest.TestCase):
    def test_each_icon_takes_only_its_own_wheel(self):
        # No StatusNotifierWatcher on this bus: the items fall back to XEmbed icons, here in trayer's tray at
        # the top left, 22 pixels a slot.
        launch(self, ["trayer", "--edge", "top", "--align", "left", "--widthtype", "request", "--height", "22",
                      "--SetDockType", "false"], stderr=subprocess.DEVNULL)
        set_panel(500)
        subprocess.run(["pactl", "set-sink-volume", "@DEFAULT_SINK@", "50%"], check=True)
        launch(self, [LUMVEX], stderr=subprocess.DEVNULL)
        docked = lambda: subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True,  # noqa: E731
                                        text=True).stdout.count('("lumvex" "lumvex")  22x')
        self.assertTrue(wait_for(lambda: docked() == 2, 10), "the icons did not dock")
        time.sleep(0.5)
        # A notch up over each icon in turn: each takes its own, whichever came first.
        for x, moved in ((12, 1), (34, 2)):
            subprocess.run(["xdotool", "mousemove", str(x), "11", "click", "4"], check=True)
            self.assertTrue(wait_for(lambda: (panel() == 550) + (volume() == 55) == moved), (panel(), volume()))
        time.sleep(0.3)
        self.assertEqual((panel(), volume()), (550, 55))


class AutomaticAdjustment(unittest.TestCase):
    def setUp(self):
        write_settings()
        set_panel(500)
        background("#404040")
        dock()  # at launch: capture starts on the external display
        self.addCleanup(restore_layout)
        self.addCleanup(os.remove, SETTINGS)
        launch(self, [LUMVEX], stderr=subprocess.DEVNULL)
        self.assertTrue(wait_for(lambda: os.path.exists(LOG)), "the program did not start")

    def follows(self, colour, moved):
        level = panel()
        background(colour)
        self.assertTrue(wait_for(lambda: moved(panel(), level), seconds=10.0),
                        "the panel stays at %d on %s" % (panel(), colour))

    def test_docking_key_presses_mid_walk_and_wake_never_defeat_it(self):
        # Undocked, docked and undocked again without a restart: the built-in panel follows the content.
        for _ in range(2):
            time.sleep(1.0)
            undock()
            time.sleep(2.0)
            self.follows("white", lambda now, then: now < then - 20)
            self.follows("#404040", lambda now, then: now > then + 20)
            dock()
        undock()
        time.sleep(4.0)  # the manual hold of nothing, the band settled

        # A key press between two automatic writes is kept and learned once.
        keys = len(key_rows())
        start = panel()
        background("white")
        self.assertTrue(wait_for(lambda: panel() != start, seconds=10.0), "no walk")
        set_panel(800)
        time.sleep(1.0)
        self.assertEqual(panel(), 800, "the key press was written over")
        self.assertEqual(len(key_rows()), keys + 1, "\n".join(rows()))
        self.assertIn(",0.8000,", key_rows()[-1])

        # Wake: the panel reads dark, then the desktop restores it; nothing writes over the restore or
        # learns from it while the desktop settles.
        time.sleep(3.0)
        wake()
        time.sleep(0.5)
        set_panel(650)
        background("#404040")
        time.sleep(3.0)
        self.assertEqual(panel(), 650)
        self.assertEqual(len(key_rows()), keys + 1, "\n".join(rows()))
        # Afterwards it adjusts again, from the restored level.
        self.assertTrue(wait_for(lambda: panel() != 650, seconds=10.0))


class HostileFiles(unittest.TestCase):
    def test_nothing_blocks_nothing_is_lost_and_nothing_is_written_through_a_link(self):
        home = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, home, True)
        data, state, config, tmp = (os.path.join(home, d, "lumvex") for d in ("data", "state", "config", "tmp"))
        list(map(os.makedirs, (data, state, config, tmp)))
        os.mkfifo(os.path.join(data, "content_offsets.json"))
        os.symlink("/dev/zero", os.path.join(data, "dailystats.json"))
        elsewhere = os.path.join(home, "elsewhere")
        with open(elsewhere, "w") as other:
            other.write("# my notes\n[General]\niconStyle=curtain\n")
        os.chmod(elsewhere, 0o644)
        os.symlink(elsewhere, os.path.join(state, "adjustments.csv"))
        os.symlink(elsewhere, os.path.join(config, "lumvex.conf"))
        # Without a runtime folder the lock would go to /tmp, where anyone may have made its folder first.
        shared = os.path.join(home, "tmp", "lumvex-%d" % os.getuid())
        os.mkdir(shared)
        os.chmod(shared, 0o777)
        env = dict(os.environ, XDG_DATA_HOME=os.path.dirname(data), XDG_STATE_HOME=os.path.dirname(state),
                   XDG_CONFIG_HOME=os.path.dirname(config), TMPDIR=os.path.dirname(tmp))
        env.pop("XDG_RUNTIME_DIR")

        set_panel(500)
        program = launch(self, [LUMVEX], env=env, stderr=subprocess.PIPE, text=True)
        self.assertTrue(wait_for(lambda: item_count(program.pid) == 2, 10), "the items did not come")
        time.sleep(0.6)
        set_panel(700)  # a brightness key: learned into fresh files
        learned = os.path.join(data, "dailystats.json")
        self.assertTrue(wait_for(lambda: os.path.isfile(learned) and not os.path.islink(learned)))
        program.send_signal(signal.SIGHUP)
        self.assertEqual(program.wait(timeout=5), 0, "SIGHUP ends the program like SIGTERM")
        err = program.stderr.read()

        aside = sorted(name for name in os.listdir(data) if ".unreadable-" in name)
        self.assertEqual(len(aside), 2, os.listdir(data))
        self.assertTrue(stat.S_ISFIFO(os.lstat(os.path.join(data, aside[0])).st_mode))
        self.assertEqual(os.readlink(os.path.join(data, aside[1])), "/dev/zero")
        self.assertIn("content_offsets.json is not a regular file; moved aside", err)

        self.assertEqual(pathlib.Path(elsewhere).read_text(), "# my notes\n[General]\niconStyle=curtain\n")
        self.assertEqual(stat.S_IMODE(os.stat(elsewhere).st_mode), 0o644)
        self.assertTrue(os.path.islink(os.path.join(state, "adjustments.csv")))
        self.assertIn("adjustments.csv is a symbolic link", err)
        settings = os.path.join(config, "lumvex.conf")
        self.assertFalse(os.path.islink(settings))
        self.assertIn("iconStyle=curtain", pathlib.Path(settings).read_text())
        self.assertIn("# my notes", pathlib.Path(settings + ".orig").read_text())

        self.assertIn("open to others; the lock goes to", err)
        self.assertTrue(os.path.exists(os.path.join(state, "lumvex.lock")))


class CommandLine(unittest.TestCase):
    def test_help_version_and_missing_session(self):
        # In the user's language; an unknown one or a broken catalogue leaves English, the latter with a line.
        broken = os.path.join(os.environ["LUMVEX_TEST_DIR"], "broken")
        os.makedirs(broken, exist_ok=True)
        subprocess.run(["sh", "-c", 'mkdir -p libexec/lumvex share/lumvex/translations && cp $1 libexec/lumvex && '
                        'echo broken >share/lumvex/translations/lumvex_de.qm', "-",
                        os.path.join(os.path.dirname(LUMVEX), "../libexec/lumvex/lumvex-tray")], cwd=broken, check=True)
        for cmd, lang, usage, log in (([LUMVEX], "", "Usage: lumvex", 0), ([LUMVEX], "xx", "Usage: lumvex", 0),
                                       ([LUMVEX], "fr", "Usage : lumvex [commande]", 0),
                                       ([LUMVEX, "simulate"], "de", "Aufruf: lumvex simulate [Optionen]", 0),
                                       ([broken + "/libexec/lumvex/lumvex-tray"], "de", "Usage: lumvex", 1)):
            run = subprocess.run([*cmd, "--help"], capture_output=True, text=True, env={**os.environ, "LANGUAGE": lang})
            self.assertEqual((run.stdout.startswith(usage), run.stderr.count("\n")), (True, log), cmd + [lang])
        self.assertRegex(subprocess.check_output([LUMVEX, "-V"], text=True), r"^lumvex \d+\.\d+\.\d+\n$")
        env = {name: value for name, value in os.environ.items() if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
        # Said before the tray's own application exists, in the user's language all the same.
        headless = subprocess.run([LUMVEX], capture_output=True, text=True, env={**env, "LANGUAGE": "de"}, timeout=10)
        self.assertEqual((headless.returncode, headless.stderr.count("\n"), "grafische Sitzung" in headless.stderr),
                         (1, 1, True))
        self.assertEqual(subprocess.run([LUMVEX, "frobnicate"], capture_output=True).returncode, 2)


if __name__ == "__main__":
    unittest.main(verbosity=2)
