"""A real GNOME Shell for the tests: headless, Wayland, with XWayland.

It runs on a private session bus, with a private system bus carrying
python-dbusmock's logind and upower (the shell aborts without logind), its own
HOME and XDG_RUNTIME_DIR, and Mesa's software GL. A test-only extension turns
on the shell's unsafe mode so that org.gnome.Shell.Eval answers: through it the
tests read window types, layers, the tab list and work areas, make windows
fullscreen and drive a virtual pointer.
"""
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

import dbus

UNSAFE_UUID = "unsafe-mode@tests.nivora.app"
UNSAFE_JS = """
function init() {}
function enable() { global.context.unsafe_mode = true; }
function disable() { global.context.unsafe_mode = false; }
"""


class ShellError(Exception):
    pass


def wait_for(predicate, what, seconds=20.0, step=0.1):
    end = time.monotonic() + seconds
    last = None
    while time.monotonic() < end:
        try:
            last = predicate()
        except Exception as error:  # the shell may still be starting
            last = error
        if last and not isinstance(last, Exception):
            return last
        time.sleep(step)
    raise AssertionError(f"timed out waiting for {what} (last: {last!r})")


class GnomeShell:
    def __init__(self, monitors=("1920x1080",), extensions=()):
        self.dir = tempfile.mkdtemp(prefix="nivora-gnome-")
        self.home = os.path.join(self.dir, "home")
        self.runtime = os.path.join(self.dir, "runtime")
        os.makedirs(self.home)
        os.makedirs(self.runtime, mode=0o700)
        self.monitors = monitors
        self.extensions = list(extensions)
        self.processes = []
        self.x_display = None
        self.wayland_display = None
        self.session_address = None

    # -- start and stop ---------------------------------------------------

    def start(self):
        self._check_x11_socket_dir()
        ext_root = os.path.join(self.home, ".local/share/gnome-shell/extensions")
        unsafe = os.path.join(ext_root, UNSAFE_UUID)
        os.makedirs(unsafe)
        with open(os.path.join(unsafe, "metadata.json"), "w") as f:
            json.dump({"uuid": UNSAFE_UUID, "name": "unsafe mode for tests", "description": "tests",
                       "shell-version": ["43", "44"]}, f)
        with open(os.path.join(unsafe, "extension.js"), "w") as f:
            f.write(UNSAFE_JS)
        for source in self.extensions:
            shutil.copytree(source, os.path.join(ext_root, os.path.basename(source)))

        base = {k: v for k, v in os.environ.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
                             "XDG_CURRENT_DESKTOP", "QT_QPA_PLATFORM")}
        base.update(HOME=self.home, XDG_RUNTIME_DIR=self.runtime, LIBGL_ALWAYS_SOFTWARE="1",
                    XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                    XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
                    XDG_CACHE_HOME=os.path.join(self.home, ".cache"),
                    XDG_CURRENT_DESKTOP="GNOME", XDG_SESSION_TYPE="wayland", NO_AT_BRIDGE="1",
                    GSETTINGS_BACKEND="keyfile")
        self.system_address = self._bus("system", base)
        base["DBUS_SYSTEM_BUS_ADDRESS"] = self.system_address
        for template in ("logind", "upower"):
            self._spawn(["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", template], base,
                        "dbusmock-" + template)
        self.session_address = self._bus("session", base)
        base["DBUS_SESSION_BUS_ADDRESS"] = self.session_address
        self.env = base
        subprocess.run(["gsettings", "set", "org.gnome.shell", "enabled-extensions", f"['{UNSAFE_UUID}']"],
                       env=base, check=True, timeout=20)
        # The welcome tour and the overview at start-up would cover the desktop.
        subprocess.run(["gsettings", "set", "org.gnome.shell", "welcome-dialog-last-shown-version", "'999'"],
                       env=base, check=False, timeout=20)

        args = ["gnome-shell", "--headless", "--wayland"]
        for monitor in self.monitors:
            args += ["--virtual-monitor", monitor]
        self.log_path = os.path.join(self.dir, "shell.log")
        self.shell = self._spawn(args, base, "shell")
        wait_for(self._read_displays, "GNOME Shell's displays", 40)
        wait_for(lambda: self.eval("global.display.get_n_monitors()") == len(self.monitors),
                 "org.gnome.Shell.Eval", 40)
        # Leave the overview the shell opens at start-up.
        # (asked again until it is gone: a request during the opening
        # animation can be dropped).
        wait_for(lambda: self.eval("const o = imports.ui.main.overview; o.hide(); !o.visible"),
                 "the overview to close", 30, step=0.5)
        return self

    def stop(self):
        for process, _ in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
        for process, _ in reversed(self.processes):
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(5)
        self.processes = []

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)

    def log(self):
        with open(self.log_path, errors="replace") as f:
            return f.read()

    # -- what clients need ------------------------------------------------

    def client_env(self, **extra):
        env = dict(self.env)
        env.update(DISPLAY=self.x_display, WAYLAND_DISPLAY=self.wayland_display,
                   XAUTHORITY=self._xauthority())
        env.update(extra)
        return env

    # -- the shell's answers ----------------------------------------------

    def eval(self, script):
        bus = dbus.bus.BusConnection(self.session_address)
        try:
            shell = bus.get_object("org.gnome.Shell", "/org/gnome/Shell")
            ok, result = shell.Eval(script, dbus_interface="org.gnome.Shell", timeout=20)
        finally:
            bus.close()
        if not ok:
            raise ShellError(str(result))
        return json.loads(result) if result else None

    def windows(self):
        """Every window the shell manages, bottom to top."""
        return json.loads(self.eval("""
            const tab = global.display.get_tab_list(0, null);
            const ws = global.workspace_manager.get_active_workspace();
            JSON.stringify(global.display.sort_windows_by_stacking(
                    global.get_window_actors().map(a => a.meta_window)).map(w => {
                const r = w.get_frame_rect();
                return {title: w.get_title(), type: w.get_window_type(), layer: w.get_layer(),
                        x: r.x, y: r.y, w: r.width, h: r.height, monitor: w.get_monitor(),
                        fullscreen: w.is_fullscreen(), wmclass: w.get_wm_class(),
                        x11: w.get_client_type() === 1, inTabList: tab.includes(w),
                        onAllWorkspaces: w.is_on_all_workspaces(), minimized: w.minimized};
            }))"""))

    def monitors_layout(self):
        return json.loads(self.eval("""
            const ws = global.workspace_manager.get_active_workspace();
            const out = [];
            for (let i = 0; i < global.display.get_n_monitors(); i++) {
                const g = global.display.get_monitor_geometry(i);
                const a = ws.get_work_area_for_monitor(i);
                out.push({x: g.x, y: g.y, w: g.width, h: g.height, scale: global.display.get_monitor_scale(i),
                          work: {x: a.x, y: a.y, w: a.width, h: a.height}});
            }
            JSON.stringify(out)"""))

    def window_call(self, title_part, call):
        return self.eval(f"""
            const w = global.get_window_actors().map(a => a.meta_window)
                .find(w => (w.get_title() || '').includes({json.dumps(title_part)}) ||
                           (w.get_wm_class() || '').includes({json.dumps(title_part)}));
            w ? (w.{call}, true) : false""")

    def pointer(self, x, y, press=False, release=False):
        """Moves the shell's virtual pointer to (x, y) in stage coordinates,
        then presses or releases the left button."""
        return self.eval(f"""
            const Clutter = imports.gi.Clutter;
            if (!global._nivoraPointer)
                global._nivoraPointer = Clutter.get_default_backend().get_default_seat()
                    .create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
            const p = global._nivoraPointer;
            const t = imports.gi.GLib.get_monotonic_time();
            p.notify_absolute_motion(t, {x}, {y});
            {"p.notify_button(t, Clutter.BUTTON_PRIMARY, Clutter.ButtonState.PRESSED);" if press else ""}
            {"p.notify_button(t, Clutter.BUTTON_PRIMARY, Clutter.ButtonState.RELEASED);" if release else ""}
            true""")

    # -- internals --------------------------------------------------------

    def _check_x11_socket_dir(self):
        # Mutter refuses to start XWayland unless /tmp/.X11-unix is the usual
        # world-writable sticky directory; an Xvfb that made it first leaves
        # it 1755.
        path = "/tmp/.X11-unix"
        if not os.path.isdir(path):
            os.makedirs(path, exist_ok=True)
        mode = os.stat(path).st_mode & 0o7777
        if mode & 0o1022 != 0o1022:
            try:
                os.chmod(path, 0o1777)
            except PermissionError:
                raise ShellError(f"{path} is mode {oct(mode)} and cannot be made 1777: XWayland would not start")

    def _bus(self, name, env):
        socket = os.path.join(self.dir, name + "-bus")
        process = subprocess.Popen(["dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf",
                                    "--address=unix:path=" + socket, "--nofork", "--print-address"],
                                   env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append((process, name + "-bus"))
        address = process.stdout.readline().strip()
        if not address:
            raise ShellError(f"the {name} bus did not start")
        return address

    def _spawn(self, args, env, name):
        log = open(os.path.join(self.dir, name + ".log"), "w")
        process = subprocess.Popen(args, env=env, stdout=log, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        self.processes.append((process, name))
        return process

    def _read_displays(self):
        if self.shell.poll() is not None:
            raise AssertionError("gnome-shell exited:\n" + self.log()[-3000:])
        text = self.log()
        x = re.search(r"Using public X11 display (:\d+)", text)
        w = re.search(r"Using Wayland display name '([^']+)'", text)
        if x and w:
            self.x_display, self.wayland_display = x.group(1), w.group(1)
            return True
        return False

    def _xauthority(self):
        files = [os.path.join(self.runtime, f) for f in os.listdir(self.runtime)
                 if f.startswith(".mutter-Xwaylandauth.")]
        return max(files, key=os.path.getmtime) if files else ""
