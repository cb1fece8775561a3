#!/usr/bin/python3
"""Nivora on a real GNOME Shell Wayland session, as a new user runs it.

The shell is headless with XWayland (see gnome_shell.py). Nivora is started the
way the session starts it (WAYLAND_DISPLAY, DISPLAY and XDG_CURRENT_DESKTOP
set, no QT_QPA_PLATFORM) and checked through the shell itself:
- it chose X11 through XWayland before Qt started, and says why;
- the wallpaper is a desktop-type window filling its monitor, out of the tab
  list, and stays under a Wayland window after a click on the desktop;
- the clock widget is inside the monitor's work area (not under the top bar)
  and nothing is stored for it until it is dragged (dragging under mutter is
  covered by test_widget_window_x11_mutter: a press from the shell's virtual
  pointer does not reliably start mutter's move of an XWayland window);
- a fullscreen Wayland window (foot) pauses the wallpaper as "covered", and
  leaving fullscreen resumes it;
- with two monitors, the second at scale 2, each wallpaper fills its monitor
  and the widgets stay in the primary's work area.

Needs NIVORA_BINARY and NIVORA_GNOME_EXTENSION (the built extension for this
shell); gnome-shell, foot, python3-dbusmock.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gnome_shell import GnomeShell, wait_for  # noqa: E402

BINARY = os.environ["NIVORA_BINARY"]
EXTENSION = os.environ["NIVORA_GNOME_EXTENSION"]
DESKTOP_TYPE = 1  # Meta.WindowType.DESKTOP
FAILURES = []


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message, flush=True)
    if not condition:
        FAILURES.append(message)


class Nivora:
    def __init__(self, shell):
        self.shell = shell
        self.home = tempfile.mkdtemp(prefix="nivora-gnome-app-")
        self.env = shell.client_env(XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                                    XDG_DATA_HOME=os.path.join(self.home, "data"),
                                    XDG_CACHE_HOME=os.path.join(self.home, "cache"),
                                    ASAN_OPTIONS="detect_leaks=0:abort_on_error=0")
        os.makedirs(os.path.join(self.home, "config/nivora"))

    def write_settings(self, values):
        # A file without "speed" counts as a first launch and is not read.
        values = dict({"speed": 1.0, "isRunning": True}, **values)
        with open(os.path.join(self.home, "config/nivora/defaults.json"), "w") as f:
            json.dump(values, f)

    def stored(self):
        try:
            with open(os.path.join(self.home, "config/nivora/defaults.json")) as f:
                return json.load(f)
        except (OSError, ValueError):
            return {}

    def start(self):
        self.log_path = os.path.join(self.home, "nivora.log")
        self.log_file = open(self.log_path, "w")
        # As the session starts it at login: the desktop alone, without the
        # splash, the dashboard and the popover of a start by hand.
        self.process = subprocess.Popen([BINARY, "--autostart"], env=self.env, stdout=self.log_file, stderr=subprocess.STDOUT)
        wait_for(lambda: self.ctl("status")[0] == 0, "nivora to answer", 60)
        return self

    def ctl(self, *args):
        done = subprocess.run([BINARY, "ctl", *args], env=self.env, capture_output=True, text=True, timeout=30)
        return done.returncode, done.stdout.strip()

    def status(self):
        code, out = self.ctl("status")
        if code != 0:
            raise AssertionError(f"ctl status failed: {code}")
        return json.loads(out)

    def log(self):
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def stop(self):
        if self.process.poll() is None:
            self.ctl("quit")
            try:
                self.process.wait(20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log_file.close()
        return self.process.returncode


def find(windows, title):
    return next((w for w in windows if w["title"] == title), None)


def inside(window, area):
    return (window["x"] >= area["x"] and window["y"] >= area["y"] and
            window["x"] + window["w"] <= area["x"] + area["w"] and
            window["y"] + window["h"] <= area["y"] + area["h"])


def single_monitor():
    shell = GnomeShell(monitors=("1920x1080",), extensions=(EXTENSION,)).start()
    try:
        app = Nivora(shell)
        # Dashboard closed at start, the clock on, pausing under fullscreen on.
        app.write_settings({"enabledWidgets": ["clock"], "pauseOnFullscreen": True})
        app.start()
        status = app.status()
        check(status.get("backend") == "x11", "the desktop runs on X11 through XWayland")
        check("Desktop backend: x11 (the Wayland compositor offers no layer shell" in app.log(),
              "one log line says which backend and why")

        monitor = shell.monitors_layout()[0]
        wallpaper = wait_for(lambda: find(shell.windows(), "Nivora wallpaper"), "the wallpaper window")
        check(wallpaper["x11"] and wallpaper["type"] == DESKTOP_TYPE, "the wallpaper is a desktop-type X11 window")
        check((wallpaper["x"], wallpaper["y"], wallpaper["w"], wallpaper["h"]) ==
              (monitor["x"], monitor["y"], monitor["w"], monitor["h"]),
              f"the wallpaper fills its monitor ({wallpaper})")
        check(not wallpaper["inTabList"], "the wallpaper is not in the tab list")
        check(wallpaper["onAllWorkspaces"], "the wallpaper is on every workspace")

        clock = wait_for(lambda: find(shell.windows(), "Horloge"), "the clock widget")
        check(clock["x11"] and not clock["inTabList"], "the clock is an X11 window out of the tab list")
        check(inside(clock, monitor["work"]),
              f"the clock is inside the work area {monitor['work']} ({clock['x']}, {clock['y']})")
        time.sleep(1.0)
        check("widgetpos_clock" not in app.stored(), "no position is stored for a widget never dragged")

        # A Wayland-native program, then a click on the bare desktop.
        foot = subprocess.Popen(["foot", "--app-id=nivora-test-foot", "--title=nivora-test-foot"],
                                env=shell.client_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_for(lambda: find(shell.windows(), "nivora-test-foot"), "foot's window", 30)
            shell.window_call("nivora-test-foot", "move_frame(true, 100, 200)")
            shell.pointer(monitor["w"] - 40, monitor["h"] - 40, press=True)
            shell.pointer(monitor["w"] - 40, monitor["h"] - 40, release=True)
            time.sleep(0.5)
            order = [w["title"] for w in shell.windows()]
            check(order.index("Nivora wallpaper") < order.index("nivora-test-foot"),
                  f"after a click on the desktop the wallpaper is still below foot ({order})")
            check(order.index("Horloge") < order.index("nivora-test-foot"), "the clock stays below foot")

            # The fullscreen watch is enabled by Nivora itself.
            wait_for(lambda: shell.eval(
                "imports.ui.main.extensionManager.lookup('fullscreen@nivora.app')?.state") == 1,
                "the fullscreen watch extension to be enabled", 20)
            shell.window_call("nivora-test-foot", "make_fullscreen()")
            paused = wait_for(lambda: "covered" in app.status()["windows"][0].get("pausedBy", []),
                              "the wallpaper to pause under fullscreen foot", 15)
            check(bool(paused), "a fullscreen Wayland window pauses the wallpaper as covered")
            shell.window_call("nivora-test-foot", "unmake_fullscreen()")
            resumed = wait_for(lambda: "covered" not in app.status()["windows"][0].get("pausedBy", []),
                               "the wallpaper to resume", 15)
            check(bool(resumed), "leaving fullscreen resumes the wallpaper")
        finally:
            foot.terminate()
            foot.wait(10)

        check(app.stop() == 0, "nivora quits cleanly")
    finally:
        shell.cleanup()


def stored_under_the_top_bar_is_replaced():
    shell = GnomeShell(monitors=("1920x1080",)).start()
    try:
        app = Nivora(shell)
        # What a build that trusted a Wayland toplevel's position left behind.
        app.write_settings({"enabledWidgets": ["clock"], "widgetpos_clock": [0, 930]})
        app.start()
        monitor = shell.monitors_layout()[0]
        clock = wait_for(lambda: find(shell.windows(), "Horloge"), "the clock widget")
        check(inside(clock, monitor["work"]), f"a stored place under the top bar is not used ({clock})")
        app.stop()
    finally:
        shell.cleanup()


def two_monitors_one_scaled():
    shell = GnomeShell(monitors=("1920x1080", "2560x1440")).start()
    try:
        applied = apply_scale(shell, 1, 2.0)
        layout = shell.monitors_layout()
        check(applied and layout[1]["scale"] == 2.0, f"the second monitor is at scale 2 ({layout})")
        # XWayland has one scale for all its clients, which GNOME's settings
        # daemon publishes as Xft.dpi; the headless shell has no such daemon.
        subprocess.run(["xrdb", "-merge"], input="Xft.dpi: 192\n", text=True, env=shell.client_env(),
                       check=True, timeout=10)
        app = Nivora(shell)
        app.write_settings({"enabledWidgets": ["clock", "date"], "renderQuality": 1920})
        app.start()

        def walls():
            found = [w for w in shell.windows() if w["title"] == "Nivora wallpaper"]
            return found if len(found) == 2 else None

        for wall in wait_for(walls, "two wallpaper windows", 30):
            m = layout[wall["monitor"]]
            check((wall["x"], wall["y"], wall["w"], wall["h"]) == (m["x"], m["y"], m["w"], m["h"]),
                  f"a wallpaper fills monitor {wall['monitor']} ({wall} vs {m})")
        for window in app.status()["windows"]:
            size = (window["pixelSize"]["width"], window["pixelSize"]["height"])
            check(size == (1920, 1080), f"{window['screen']} is drawn at the quality rule's size of its "
                                        f"monitor's own pixels ({size})")
        for title, logical in (("Horloge", (250, 150)), ("Date", (180, 175))):
            widget = wait_for(lambda: find(shell.windows(), title), title)
            check((widget["w"], widget["h"]) == (logical[0] * 2, logical[1] * 2),
                  f"{title} is drawn at scale 2 ({widget['w']}x{widget['h']})")
            check(inside(widget, layout[0]["work"]), f"{title} is inside the primary's work area ({widget})")
        app.stop()
    finally:
        shell.cleanup()


def apply_scale(shell, index, scale):
    """Sets monitor `index` to `scale` through org.gnome.Mutter.DisplayConfig,
    keeping the others, laid out side by side."""
    import dbus
    bus = dbus.bus.BusConnection(shell.session_address)
    try:
        config = dbus.Interface(bus.get_object("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig"),
                                "org.gnome.Mutter.DisplayConfig")
        serial, monitors, logical, _ = config.GetCurrentState()
        specs = []
        for m in monitors:
            connector = m[0][0]
            mode = next(mode for mode in m[1] if mode[6].get("is-current", False))
            specs.append((connector, mode))
        x = 0
        logical_configs = []
        for i, (connector, mode) in enumerate(specs):
            s = scale if i == index else 1.0
            logical_configs.append(dbus.Struct((dbus.Int32(x), dbus.Int32(0), dbus.Double(s), dbus.UInt32(0),
                                                dbus.Boolean(i == 0),
                                                [dbus.Struct((connector, mode[0], dbus.Dictionary({}, "sv")))]),
                                               signature=None))
            # Mutter's default layout is in physical pixels: a monitor takes
            # its mode's width whatever its scale.
            x += int(mode[1])
        config.ApplyMonitorsConfig(serial, dbus.UInt32(1), logical_configs, dbus.Dictionary({}, "sv"))
        return wait_for(lambda: shell.monitors_layout()[index]["scale"] == scale, "the new scale", 10)
    finally:
        bus.close()


def main():
    for case in (single_monitor, stored_under_the_top_bar_is_replaced, two_monitors_one_scaled):
        print(f"== {case.__name__}", flush=True)
        try:
            case()
        except AssertionError as error:
            check(False, f"{case.__name__}: {error}")
    if FAILURES:
        print(f"{len(FAILURES)} failure(s)", flush=True)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
