#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real lumvex program in a real desktop's tray, driven as a user would: GNOME Shell (AppIndicator
extension) through a Clutter virtual pointer made over the shell's Eval (unsafe mode, switched on by a small
local extension), KDE Plasma through KWin's fake-input protocol, the Xfce panel on the X server through XTest.
The program runs once as an X client beside the host and, on the Wayland hosts, once on the host's own display.
Prints one line per check; exits non-zero if any failed. Runs inside run-desktop.sh.
Usage: real_hosts.py gnome|plasma|xfce LUMVEX [FAKE_INPUT]"""

import glob
import json
import os
import re
import shutil
import subprocess
import sys
import struct
import threading
import time
import zlib

import dbus

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "app", "shell"))
from program_session import panel, set_panel, wait_for  # noqa: E402

HOST, LUMVEX = sys.argv[1], sys.argv[2]
WORK = os.environ["LUMVEX_TEST_DIR"]
SOCKET = "lumvex-" + HOST
X_DISPLAY = os.environ["DISPLAY"]
bus = dbus.SessionBus()
processes = []
failures = []
MODE = "-"


def check(name, ok, detail=""):
    print("%s/%s %s: %s %s" % (HOST, MODE, name, "ok" if ok else "FAILED", detail), flush=True)
    if not ok:
        failures.append(name)


def spawn(name, args, **env):
    log = open(os.path.join(WORK, name + ".log"), "w")
    process = subprocess.Popen(args, stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                               env={**os.environ, **env})
    processes.append(process)
    return process


def start_portal(backend, **env):
    """PipeWire, the permission store, the portal and the desktop's backend of it, as a session starts them: the
    tests' bus activates nothing."""
    spawn("pipewire", ["pipewire"])
    assert wait_for(lambda: os.path.exists(os.path.join(os.environ["XDG_RUNTIME_DIR"], "pipewire-0")), 10), "no PipeWire"
    spawn("wireplumber", ["wireplumber"])
    spawn("permission-store", ["/usr/libexec/xdg-permission-store", "--replace"])
    spawn("portal-" + backend, [next(p for p in ("/usr/libexec/xdg-desktop-portal-" + backend,
                                                 "/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-" + backend)
                                     if os.path.exists(p))], **env)
    assert wait_for(lambda: bus.name_has_owner("org.freedesktop.impl.portal.desktop." + backend), 30), "no backend"
    spawn("portal", ["/usr/libexec/xdg-desktop-portal", "--replace"], **env)
    assert wait_for(lambda: bus.name_has_owner("org.freedesktop.portal.Desktop"), 30), "no portal"


def volume_muted():
    return "yes" in subprocess.run(["pactl", "get-sink-mute", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout


def volume():
    out = subprocess.run(["pactl", "get-sink-volume", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout
    return int(re.search(r"(\d+)%", out).group(1))


class Calls:
    """The method calls made to the items, as dbus-monitor prints them."""

    def __init__(self):
        self.text = ""
        self.monitor = subprocess.Popen(["dbus-monitor", "--session", "type='method_call'"], stdout=subprocess.PIPE,
                                        text=True)
        processes.append(self.monitor)
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.3)

    def _read(self):
        for line in self.monitor.stdout:
            self.text += line

    def take(self):
        text, self.text = self.text, ""
        return text

    @staticmethod
    def scrolls(text):
        return [int(d) for d in re.findall(r"member=Scroll\n\s+int32 (-?\d+)", text)]


def items():
    """Title -> (service, path) of the items the host's watcher holds."""
    watcher = bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
    found = {}
    for entry in watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems",
                             dbus_interface="org.freedesktop.DBus.Properties"):
        service, _, path = str(entry).partition("/")
        try:
            title = bus.get_object(service, "/" + (path or "StatusNotifierItem")).Get(
                "org.kde.StatusNotifierItem", "Title", dbus_interface="org.freedesktop.DBus.Properties")
        except dbus.DBusException:
            continue  # a program that has just gone, or is still exporting its items
        found[str(title)] = (service, "/" + (path or "StatusNotifierItem"))
    return found


def exported_labels(item):
    service, path = item
    menu_path = bus.get_object(service, path).Get("org.kde.StatusNotifierItem", "Menu",
                                                  dbus_interface="org.freedesktop.DBus.Properties")
    _, layout = bus.get_object(service, menu_path).GetLayout(0, -1, ["label"], dbus_interface="com.canonical.dbusmenu")
    return [str(child[1].get("label", "")) for child in layout[2]]


def exported_check(item, label):
    """The toggle state of the menu entry LABEL as a host reads it: GetLayout, then GetGroupProperties."""
    service, path = item
    menu_path = bus.get_object(service, path).Get("org.kde.StatusNotifierItem", "Menu",
                                                  dbus_interface="org.freedesktop.DBus.Properties")
    menu = bus.get_object(service, menu_path)
    _, layout = menu.GetLayout(0, -1, [], dbus_interface="com.canonical.dbusmenu")
    ids = [int(child[0]) for child in layout[2] if str(child[1].get("label", "")) == label]
    if not ids:
        return None
    properties = menu.GetGroupProperties(ids, ["toggle-state"], dbus_interface="com.canonical.dbusmenu")
    return bool(properties[0][1].get("toggle-state", 0)) if properties else None


def ctl(*words):
    return subprocess.run([LUMVEX, "ctl", *words], capture_output=True, text=True, timeout=30)


# --- GNOME Shell -------------------------------------------------------------------------------------

class Gnome:
    EXTENSION = "unsafe@lumvex.test"

    def start(self):
        spawn("dconf", ["/usr/libexec/dconf-service"])
        assert wait_for(lambda: bus.name_has_owner("ca.desrt.dconf"), 10), "dconf-service did not start"
        folder = os.path.join(os.environ["XDG_DATA_HOME"], "gnome-shell", "extensions", self.EXTENSION)
        os.makedirs(folder)
        with open(os.path.join(folder, "metadata.json"), "w") as f:
            json.dump({"uuid": self.EXTENSION, "name": "unsafe", "description": "tests", "shell-version": ["43"]}, f)
        with open(os.path.join(folder, "extension.js"), "w") as f:
            f.write("function init() { return { enable() { global.context.unsafe_mode = true; }, disable() {} }; }\n")
        subprocess.run(["dconf", "write", "/org/gnome/shell/enabled-extensions",
                        "['ubuntu-appindicators@ubuntu.com', '%s']" % self.EXTENSION], check=True)
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        log = open(os.path.join(WORK, "gnome-shell.log"), "w")
        processes.append(subprocess.Popen(["gnome-shell", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                                           "1920x1080", "--wayland-display=" + SOCKET], env=env, stdout=log,
                                          stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL))
        assert wait_for(lambda: bus.name_has_owner("org.kde.StatusNotifierWatcher"), 60), "no watcher"
        assert wait_for(lambda: self.eval("1") == 1, 30), "Eval refused: unsafe mode is off"
        # The shell opens its overview when it has started: clicks on the panel would land there.
        wait_for(lambda: self.eval("imports.ui.main.layoutManager._startingUp") is False, 30)
        assert wait_for(lambda: self.eval("imports.ui.main.overview.hide(), imports.ui.main.overview.visible") is False,
                        10), "the overview stays open"
        start_portal("gnome", WAYLAND_DISPLAY=SOCKET, GDK_BACKEND="wayland", XDG_CURRENT_DESKTOP="GNOME")
        self.eval("global._lvp = imports.gi.Clutter.get_default_backend()"
                  ".get_default_seat().create_virtual_device(imports.gi.Clutter.InputDeviceType.POINTER_DEVICE)")

    def output(self):
        state = bus.get_object("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig").GetCurrentState(
            dbus_interface="org.gnome.Mutter.DisplayConfig")
        return str(state[1][0][0][0])

    def eval(self, code):
        try:
            ok, out = bus.get_object("org.gnome.Shell", "/org/gnome/Shell").Eval(code, dbus_interface="org.gnome.Shell")
        except dbus.DBusException:
            return None
        # The shell answers the JSON of the value; undefined comes back empty.
        return json.loads(str(out)) if ok and str(out) else None

    def _buttons(self):
        return self.eval(
            "Object.entries(imports.ui.main.panel.statusArea).filter(([k, b]) => b && b._indicator)"
            ".map(([k, b]) => { const [x, y] = b.get_transformed_position(); const [w, h] = b.get_transformed_size();"
            " return {k, title: b._indicator ? String(b._indicator.title) : '', x: x + w / 2, y: y + h / 2}; })") or []

    def locate(self, title):
        for button in self._buttons():
            if button["title"].split()[:1] == title.split()[:1]:  # "Brightness 50%": the level changes
                return button
        return None

    def _input(self, code):
        self.eval("const C = imports.gi.Clutter, t = imports.gi.GLib.get_monotonic_time(), d = global._lvp; " + code)
        time.sleep(0.3)

    def move(self, at):
        self._input("d.notify_absolute_motion(t, %f, %f)" % (at["x"], at["y"]))

    def wheel(self, notches):
        direction = "UP" if notches < 0 else "DOWN"
        self._input("d.notify_discrete_scroll(t, C.ScrollDirection.%s, C.ScrollSource.WHEEL)" % direction)

    def touchpad(self, dy):
        self._input("d.notify_scroll_continuous(t, 0, %f, C.ScrollSource.FINGER, C.ScrollFinishFlags.NONE);"
                    "d.notify_scroll_continuous(t + 10000, 0, 0, C.ScrollSource.FINGER, C.ScrollFinishFlags.VERTICAL)"
                    % dy)

    def click(self, button):
        number = {"left": 1, "middle": 2, "right": 3}[button]
        self._input("d.notify_button(t, %d, C.ButtonState.PRESSED); d.notify_button(t + 50000, %d, C.ButtonState.RELEASED)"
                    % (number, number))

    def screenshot(self, path):
        bus.get_object("org.gnome.Shell", "/org/gnome/Shell/Screenshot").Screenshot(
            False, False, path, dbus_interface="org.gnome.Shell.Screenshot")

    def shown_labels(self, at):
        return self.eval("imports.ui.main.panel.statusArea['%s'].menu._getMenuItems()"
                         ".map(i => i.label ? i.label.text : '')" % at["k"]) or []

    def shown_check(self, at, label):
        """Whether the shell's own menu item LABEL shows its check mark (the ornament CHECK, 2)."""
        ornaments = self.eval("Object.fromEntries(imports.ui.main.panel.statusArea['%s'].menu._getMenuItems()"
                              ".filter(i => i.label).map(i => [i.label.text, i._ornament]))" % at["k"]) or {}
        return None if label not in ornaments else ornaments[label] == 2

    def menu_open(self, at):
        return self.eval("imports.ui.main.panel.statusArea['%s'].menu.isOpen" % at["k"]) is True


    def close_menu(self, at):
        self.eval("imports.ui.main.panel.statusArea['%s'].menu.close()" % at["k"])

    def windows(self):
        windows = self.eval("global.get_window_actors().map(a => a.meta_window.get_wm_class() + ':' +"
                            " a.meta_window.get_title())")
        return None if windows is None else str(windows)


# --- KDE Plasma ----------------------------------------------------------------------------------------

class Plasma:
    # KWin 5.27 gives a screen cast a frame only when a DRM or nested output presents one: its virtual output
    # never does. Nested in a headless compositor it needs a GPU render node, and without one it crashes as the
    # cast starts. So the stream is asked for, shared and linked here, but no frame can be seen.
    no_frames = "KWin's virtual output gives a screen cast no frames"

    def start(self):
        # The packaged binary carries a file capability this sandbox refuses; a plain copy runs.
        kwin = os.path.join(WORK, "kwin_wayland")
        shutil.copy("/usr/bin/kwin_wayland", kwin)
        env = {"KWIN_WAYLAND_NO_PERMISSION_CHECKS": "1", "KWIN_SCREENSHOT_NO_PERMISSION_CHECKS": "1",
               "XDG_CURRENT_DESKTOP": "KDE", "KDE_FULL_SESSION": "true", "KDE_SESSION_VERSION": "5"}
        os.environ.update(env)
        os.environ.pop("DISPLAY", None)
        spawn("kwin", [kwin, "--virtual", "--width", "1920", "--height", "1080", "--socket", SOCKET, "--no-lockscreen",
                       "--no-global-shortcuts"])
        socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], SOCKET)
        assert wait_for(lambda: os.path.exists(socket), 30), "kwin did not start"
        os.environ.update({"WAYLAND_DISPLAY": SOCKET, "QT_QPA_PLATFORM": "wayland"})
        spawn("kactivitymanagerd", ["/usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd"])
        spawn("kded5", ["kded5"])
        spawn("plasmashell", ["plasmashell", "--no-respawn"])
        assert wait_for(lambda: bus.name_has_owner("org.kde.StatusNotifierWatcher"), 60), "no watcher"
        start_portal("kde")
        del os.environ["QT_QPA_PLATFORM"]
        self.pointer = subprocess.Popen([sys.argv[3]], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        processes.append(self.pointer)
        self.last = (960, 540)
        time.sleep(5)  # the panel loads its applets

    def output(self):
        info = str(bus.get_object("org.kde.KWin", "/KWin").supportInformation(dbus_interface="org.kde.KWin"))
        found = re.search(r"Name: (\S+)", info[info.find("Screens"):])
        return found.group(1) if found else "Virtual-0"

    def _send(self, *words):
        self.pointer.stdin.write(" ".join(str(w) for w in words) + "\n")
        self.pointer.stdin.flush()
        assert self.pointer.stdout.readline() == "ok\n"
        time.sleep(0.3)

    def locate(self, title):
        """Sweeps a wheel notch down then up along the bottom panel until the item's level moves (down: the
        volume starts at its top)."""
        if not getattr(self, "found", None):
            self.found = {}
            for x in range(1910, 1000, -8):
                brightness, sound = panel(), volume()
                self._send("move", x, 1060, "sleep", 100, "axis", 10, "sleep", 200)
                if panel() != brightness:
                    self.found.setdefault("brightness", {"x": x, "y": 1060})
                elif volume() != sound:
                    self.found.setdefault("volume", {"x": x, "y": 1060})
                else:
                    continue
                self._send("axis", -10, "sleep", 200)
                if len(self.found) == 2:
                    break
            set_panel(500)
        return self.found.get("brightness" if "Brightness" in title else "volume")

    def move(self, at):
        self._send("move", at["x"], at["y"], "sleep", 150)

    def wheel(self, notches):
        self._send("axis", 10 * notches)

    def touchpad(self, dy):
        self._send("axis", dy)

    def click(self, button):
        self._send("click", button)

    def screenshot(self, path):
        read, write = os.pipe()
        info = bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2").CaptureScreen(
            self.output(), {}, dbus.types.UnixFd(write), dbus_interface="org.kde.KWin.ScreenShot2")
        os.close(write)
        with os.fdopen(read, "rb") as pipe:
            data = pipe.read()
        width, height, stride = int(info["width"]), int(info["height"]), int(info["stride"])
        rows = b"".join(b"\0" + bytes(data[y * stride + x * 4 + c] for x in range(width) for c in (2, 1, 0))
                        for y in range(height))
        write_png(path, width, height, rows)

    def shown_labels(self, at):
        return None

    def accept_share(self):
        """Shares the screen in the portal's dialog, centred on the 1920x1080 output: the right-hand card is the
        screen (the left one would make a new virtual output), then Share."""
        self._send("move", 1112, 488, "sleep", 200, "click", "left", "sleep", 500, "move", 1149, 761, "sleep", 200,
                   "click", "left")

    def menu_open(self, at):
        return None

    def close_menu(self, at):
        self._send("move", 900, 500, "click", "left")

    def windows(self):
        script = os.path.join(WORK, "windows-%d.js" % time.monotonic_ns())
        with open(script, "w") as f:
            f.write("print('LVWIN ' + workspace.clientList().map(c => c.resourceClass + ':' + c.caption).join(';'));\n")
        scripting = bus.get_object("org.kde.KWin", "/Scripting")
        number = scripting.loadScript(script, dbus_interface="org.kde.kwin.Scripting")
        bus.get_object("org.kde.KWin", "/%d" % number).run(dbus_interface="org.kde.kwin.Script")
        time.sleep(0.5)
        with open(os.path.join(WORK, "kwin.log")) as log:
            lines = [l for l in log if "LVWIN" in l]
        return lines[-1].split("LVWIN", 1)[1].strip() if lines else None


# --- Xfce panel ----------------------------------------------------------------------------------------

class Xfce:
    """xfce4-panel on the Xvfb screen with only its systray plugin (which hosts the items), driven through XTest
    with xdotool. XTest has no smooth scrolling, so there is no touchpad step here."""

    def start(self):
        folder = os.path.join(os.environ["XDG_CONFIG_HOME"], "xfce4", "xfconf", "xfce-perchannel-xml")
        os.makedirs(folder)
        with open(os.path.join(folder, "xfce4-panel.xml"), "w") as f:
            f.write('<?xml version="1.0" encoding="UTF-8"?>\n<channel name="xfce4-panel" version="1.0">\n'
                    ' <property name="configver" type="int" value="2"/>\n <property name="panels" type="array">\n'
                    '  <value type="int" value="1"/>\n  <property name="panel-1" type="empty">\n'
                    '   <property name="position" type="string" value="p=6;x=0;y=0"/>\n'
                    '   <property name="position-locked" type="bool" value="true"/>\n'
                    '   <property name="length" type="uint" value="100"/>\n'
                    '   <property name="size" type="uint" value="30"/>\n'
                    '   <property name="plugin-ids" type="array"><value type="int" value="1"/></property>\n'
                    '  </property>\n </property>\n <property name="plugins" type="empty">\n'
                    '  <property name="plugin-1" type="string" value="systray"/>\n </property>\n</channel>\n')
        spawn("xfconfd", glob.glob("/usr/lib/*/xfce4/xfconf/xfconfd")[:1])
        assert wait_for(lambda: bus.name_has_owner("org.xfce.Xfconf"), 10), "xfconfd did not start"
        spawn("xfce4-panel", ["xfce4-panel", "--disable-wm-check"])
        assert wait_for(lambda: bus.name_has_owner("org.kde.StatusNotifierWatcher"), 30), "no watcher"
        time.sleep(2)

    def _x(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True)
        time.sleep(0.3)

    def locate(self, title):
        """Sweeps a wheel notch down then up along the panel until the item's level moves, as on Plasma."""
        if not getattr(self, "found", None):
            self.found = {}
            for x in range(4, 600, 8):
                brightness, sound = panel(), volume()
                self._x("mousemove", x, 15, "click", 5)
                if panel() != brightness:
                    self.found.setdefault("brightness", {"x": x, "y": 15})
                elif volume() != sound:
                    self.found.setdefault("volume", {"x": x, "y": 15})
                else:
                    continue
                self._x("click", 4)
                if len(self.found) == 2:
                    break
            set_panel(500)
        return self.found.get("brightness" if "Brightness" in title else "volume")

    def move(self, at):
        self._x("mousemove", at["x"], at["y"])

    def wheel(self, notches):
        self._x("click", 4 if notches < 0 else 5)

    def click(self, button):
        self._x("click", {"left": 1, "middle": 2, "right": 3}[button])

    def screenshot(self, path):
        pass

    def shown_labels(self, at):
        return None

    def menu_open(self, at):
        # The plugin's menu: a mapped popup of the plugin's process taller than the panel.
        shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "wrapper-2.0"],
                               capture_output=True, text=True).stdout.split()
        return any(int(subprocess.run(["xdotool", "getwindowgeometry", "--shell", w], capture_output=True,
                                      text=True).stdout.split("HEIGHT=")[1].split()[0]) > 31 for w in shown)

    def close_menu(self, at):
        self._x("key", "Escape")

    def windows(self):
        return "-"


def write_png(path, width, height, rows):
    chunk = lambda kind, data: (struct.pack(">I", len(data)) + kind + data +
                                struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def start_program(host, wayland, **extra):
    runtime = os.path.join(WORK, "lumvex-runtime-%d" % wayland)
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env = {k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM" and (k != "DISPLAY" or not wayland)}
    if wayland:
        env.update(WAYLAND_DISPLAY=os.path.join(os.environ["XDG_RUNTIME_DIR"], SOCKET),
                   LUMVEX_BUILTIN_OUTPUT=host.output())
    else:
        env.pop("WAYLAND_DISPLAY", None)
        env["DISPLAY"] = X_DISPLAY
    env.update(extra)
    log = open(os.path.join(WORK, "lumvex-%s.log" % ("wayland" if wayland else "x11")), "a")
    process = subprocess.Popen([LUMVEX], stdout=log, stderr=subprocess.STDOUT,
                               env={**env, "XDG_RUNTIME_DIR": runtime,
                                    "QT_LOGGING_RULES": "lumvex.portal.debug=true;lumvex.capture.debug=true",
                                    "PIPEWIRE_DEBUG": os.environ.get("LUMVEX_HOST_PW_DEBUG", "")})
    processes.append(process)
    return process


def program_windows(host):
    """The host's windows and the program's mapped windows on the X server."""
    x = {**os.environ, "DISPLAY": X_DISPLAY}
    shown = []
    for line in subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True, env=x).stdout.splitlines():
        if "lumvex" in line.lower() and "IsViewable" in subprocess.run(["xwininfo", "-id", line.split()[0]],
                                                                     capture_output=True, text=True, env=x).stdout:
            shown.append(line.strip())
    try:
        windows = host.windows()
    except dbus.DBusException as error:
        windows = "unknown (%s)" % error.get_dbus_message()
    return "host: %s; X: %s" % (windows, shown)


def main():
    global MODE
    host = {"gnome": Gnome, "plasma": Plasma, "xfce": Xfce}[HOST]()
    host.start()
    set_panel(500)
    # The program on the X server beside the host, as an X client of Xwayland would be, then on the host's own
    # Wayland display, as in a desktop session. The items take the same places both times.
    for MODE in ("x11",) if HOST == "xfce" else ("x11", "wayland"):
        program = start_program(host, wayland=MODE == "wayland")
        try:
            at = run_checks(host)
            if MODE == "wayland" and at:
                program = late_compositor_checks(host, program, at)
            if MODE == "wayland" and hasattr(host, "accept_share"):
                program = capture_checks(host, program)
        except Exception as error:
            check("run", False, repr(error))
        finally:
            program.terminate()
            program.wait(timeout=10)
            wait_for(lambda: len(items()) == 0, 10)
            set_panel(500)


def run_checks(host):
    check("items registered", wait_for(lambda: len(items()) == 2, 20), str(sorted(wait_for(items) and items())))
    titles = items()
    brightness_title = next(t for t in titles if "rightness" in t)
    volume_title = next(t for t in titles if t != brightness_title)
    # Labels after a level change: what the program exports and, on GNOME, what the host shows. (A program
    # that has not yet reached the backlight would drop the first scrolls: this waits for it too.)
    label = lambda: [l for l in exported_labels(titles[brightness_title]) if "%" in l]
    set_panel(700)
    wait_for(lambda: any("70" in l for l in label()), 15)
    check("exported label after a change", any("70" in l for l in label()), str(label()[:2]))
    calls = Calls()
    at = wait_for(lambda: host.locate(brightness_title), 20) and host.locate(brightness_title)
    check("brightness item found on screen", bool(at), str(at))
    if not at:
        return None
    shown = host.shown_labels(at)
    if shown is not None:
        shown = [l for l in shown if "%" in l]
        check("host's menu label after a change", any("70" in l for l in shown), str(shown[:2]))
    set_panel(500)
    wait_for(lambda: any("50" in l for l in label()), 5)
    time.sleep(1)
    calls.take()
    for name, act, expected in (("wheel notch up", lambda: host.wheel(-1), 550),
                                ("wheel notch down", lambda: host.wheel(1), 500)):
        host.move(at)
        act()
        wait_for(lambda: panel() == expected, 3)
        check(name, panel() == expected, "backlight %d (want %d), Scroll %s" % (panel(), expected, calls.scrolls(calls.take())))
    if hasattr(host, "touchpad"):
        host.move(at)
        host.touchpad(-1.25 if HOST == "plasma" else -5)
        time.sleep(1)
        level = panel()
        want = "506 (an eighth)" if HOST == "plasma" else "500 < level <= 550"
        check("touchpad step up", 500 < level <= 550 and (HOST != "plasma" or level == 506),
              "backlight %d (want %s), Scroll %s" % (level, want, calls.scrolls(calls.take())))

    for button in ("left", "right"):
        host.move(at)
        calls.take()
        host.click(button)
        asked = wait_for(lambda: "AboutToShow" in calls.text or "GetLayout" in calls.text, 3)
        text = calls.take()
        opened = host.menu_open(at)
        check("%s click opens the exported menu" % button, asked and opened is not False,
              "host called %s; menu open: %s" % (sorted(set(re.findall(r"member=(\w+)", text)) - {"Get", "GetAll"}),
                                                 opened))
        logs = os.environ.get("LUMVEX_HOST_LOGS")
        if logs:
            try:
                host.screenshot(os.path.join(logs, "%s-%s-%s-click.png" % (HOST, MODE, button)))
            except dbus.DBusException as error:
                print("%-5s no screenshot: %s" % (HOST, error.get_dbus_message()))
        windows = program_windows(host)
        check("no toplevel window after a %s click" % button, "lumvex" not in windows.lower(), windows)
        host.close_menu(at)
        time.sleep(0.5)

    volume_at = host.locate(volume_title)
    if volume_at is None:
        check("middle click mutes", False, "volume item not found")
        return at
    for want in (True, False):
        host.move(volume_at)
        host.click("middle")
        check("middle click %s" % ("mutes" if want else "unmutes"), wait_for(lambda: volume_muted() == want, 3),
              "host called %s" % sorted(set(re.findall(r"member=(\w+Activate)", calls.take()))))
        time.sleep(0.6)

    # The check follows a change made elsewhere, as the host reads it (and, on GNOME, as its menu shows it).
    item = titles[brightness_title]
    for state in ("on", "off", "on", "off"):
        done = ctl("auto", state)
        want = state == "on"
        read = lambda: (exported_check(item, "Automatic Brightness"),
                        host.shown_check(at, "Automatic Brightness") if hasattr(host, "shown_check") else want)
        wait_for(lambda: read() == (want, want), 5)
        check("check after ctl auto %s" % state, done.returncode == 0 and read() == (want, want),
              "exported, shown: %s; ctl %d %s" % (read(), done.returncode, done.stderr.strip()))
    # Automatic adjustment is off now: a manual change must not ask the portal for the screen.
    time.sleep(1)
    while_on = sorted(set(re.findall(r"interface=org.freedesktop.portal.ScreenCast; member=(\w+)", calls.take())))
    for notches in (-1, 1):
        host.move(at)
        host.wheel(notches)
    time.sleep(2)
    asked = sorted(set(re.findall(r"interface=org.freedesktop.portal.ScreenCast; member=(\w+)", calls.take())))
    check("no screen-share request for a scroll with automatic adjustment off", not asked,
          "portal calls %s (while automatic adjustment was on: %s)" % (asked, while_on))
    return at


def late_compositor_checks(host, program, at):
    """Before the compositor has described a display (here: before its socket exists at all), the item's scroll
    moves the built-in backlight and the menu says what it waits for; the display comes when the compositor does.
    Returns the program now running."""
    program.terminate()
    program.wait(timeout=10)
    wait_for(lambda: len(items()) == 0, 10)
    late = os.path.join(WORK, "late-wayland")
    # Qt's own platform would wait for the compositor itself; the program's display watch must not.
    program = start_program(host, wayland=True, WAYLAND_DISPLAY=late, QT_QPA_PLATFORM="offscreen")
    wait_for(lambda: len(items()) == 2, 20)
    item = items()[next(t for t in items() if "rightness" in t)]
    waiting = lambda: any("waiting for the compositor" in l for l in exported_labels(item))
    check("menu says it waits for the compositor", wait_for(waiting, 5), str(exported_labels(item)[:2]))
    set_panel(500)
    time.sleep(1)
    host.move(at)
    host.wheel(-1)
    check("a scroll with no display known moves the built-in backlight", wait_for(lambda: panel() == 550, 3),
          "backlight %d (want 550)" % panel())
    started = time.monotonic()
    os.symlink(os.path.join(os.environ["XDG_RUNTIME_DIR"], SOCKET), late)
    found = wait_for(lambda: json.loads(ctl("status", "--json").stdout or "{}").get("DisplayUnderPointer"), 30)
    check("the display comes once the compositor does", found and not waiting(),
          "%s after %d ms" % (found, (time.monotonic() - started) * 1000))
    program.terminate()
    program.wait(timeout=10)
    os.remove(late)
    wait_for(lambda: len(items()) == 0, 10)
    set_panel(500)
    program = start_program(host, wayland=True)
    wait_for(lambda: len(items()) == 2, 20)
    return program


def follows_content(host):
    """The backlight under a white, then a black full-screen window: (white level, black level)."""
    levels = []
    for colour in ("white", "black"):
        scene = os.path.join(WORK, colour + ".qml")
        with open(scene, "w") as f:
            f.write('import QtQuick 2.0\nimport QtQuick.Window 2.2\nWindow { visible: true; visibility: Window.FullScreen; '
                    'color: "%s" }\n' % colour)
        window = spawn("qmlscene-" + colour, ["/usr/lib/qt5/bin/qmlscene", scene], QT_QPA_PLATFORM="wayland",
                       WAYLAND_DISPLAY=SOCKET)
        previous = None
        for _ in range(40):  # until the level has settled: the same for 3 s
            time.sleep(3)
            if panel() == previous:
                break
            previous = panel()
        levels.append(panel())
        status = ctl("status").stdout
        print("%-5s under %s: backlight %d; %s" % (HOST, colour, panel(), status.replace("\n", "; ")), flush=True)
        logs = os.environ.get("LUMVEX_HOST_LOGS")
        if logs:
            host.screenshot(os.path.join(logs, "%s-%s-window.png" % (HOST, colour)))
            with open(os.path.join(logs, "%s-pw-dump-%s.json" % (HOST, colour)), "w") as dump:
                subprocess.run(["pw-dump"], stdout=dump, stderr=subprocess.STDOUT, timeout=20)
        window.terminate()
        window.wait(timeout=10)
    return tuple(levels)


def follows_check(host, name):
    if getattr(host, "no_frames", None):
        print("%s/%s %s: not run here (%s)" % (HOST, MODE, name, host.no_frames), flush=True)
        return
    white, black = follows_content(host)
    check(name, black > white + 20, "white %d, black %d; %s" % (white, black, ctl("status").stdout.replace("\n", "; ")))


def capture_checks(host, program):
    """Automatic adjustment through the desktop's screen-share portal: the dialog once, the backlight following
    the screen, and after a restart the restore token honoured (no dialog). Returns the program now running."""
    portal_dialog = lambda: "portal" in str(host.windows()).lower()
    ctl("auto", "on")
    shown = wait_for(portal_dialog, 30)
    logs = os.environ.get("LUMVEX_HOST_LOGS")
    if logs:
        host.screenshot(os.path.join(logs, "%s-share-dialog.png" % HOST))
    check("screen-share dialog once automatic adjustment is on", shown, str(host.windows()))
    host.accept_share()
    check("the dialog closes when the screen is shared", wait_for(lambda: not portal_dialog(), 10), str(host.windows()))
    follows_check(host, "backlight follows white and black full-screen windows")
    program.terminate()
    program.wait(timeout=10)
    wait_for(lambda: len(items()) == 0, 10)
    started = time.monotonic()
    program = start_program(host, wayland=True)
    found = wait_for(lambda: json.loads(ctl("status", "--json").stdout or "{}").get("DisplayUnderPointer"), 60)
    check("a display found after a restart", found, "after %d ms" % ((time.monotonic() - started) * 1000))
    wait_for(lambda: len(items()) == 2, 20)
    time.sleep(5)
    check("no dialog after a restart (restore token)", not portal_dialog(), str(host.windows()))
    follows_check(host, "backlight follows the screen after a restart")
    ctl("auto", "off")
    return program


try:
    main()
except Exception as error:  # a host that does not come up is a result too
    check("run", False, repr(error))
finally:
    for process in reversed(processes):
        process.terminate()
    for process in processes:
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
    logs = os.environ.get("LUMVEX_HOST_LOGS")
    if logs:
        for path in glob.glob(os.path.join(WORK, "*.log")):
            shutil.copy(path, os.path.join(logs, HOST + "-" + os.path.basename(path)))
sys.exit(1 if failures else 0)
