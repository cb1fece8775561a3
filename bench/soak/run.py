#!/usr/bin/python3
"""A compressed week of Nivora in one process: the real binary on a private
Xvfb + openbox display and session bus, its wall clock running fast, driven
through scene, palette and speed changes, mode switches, monitor hot-plug,
widget drags and shape changes, dashboard and popover cycles, screen sleep and
fullscreen covers, with the autopilot on. Every few minutes it records RSS,
heap in use, descriptors, threads, X resources, CPU per frame and fps to a
JSON-lines file, and prints a summary (start, after warm-up, end) at the end.

    /usr/bin/python3 bench/soak/run.py [--binary PATH] [--minutes 120] [--sample-minutes 10]

The action counts are those of the full two-hour run, scaled to --minutes.
See bench/soak/README.md.
"""
import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROCSTAT = next((p for p in (os.path.join(ROOT, "../shared/tools/procstat"), "/work/shared/tools/procstat")
                 if os.path.exists(p)), None)
FAKETIME_LIBS = ("/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1",
                 "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1")

# Targets of the full run (120 minutes); --minutes scales them.
FULL_MINUTES = 120.0
FULL_COUNTS = {
    "hotplug": 2000,     # add a second monitor, then take it away
    "drag": 3000,        # drag a widget window with the mouse
    "shape": 2000,       # change the widgets' shapes or sizes
    "dashboard": 500,    # open the dashboard, then close it
    "popover": 500,      # open the tray popover, then close it
    "tuning": 1440,      # scene, palette or speed change (every 5 s)
    "mode": 120,         # scene -> video -> image -> scene (every minute)
    "sleep": 120,        # screen saver on, then off
    "cover": 120,        # a fullscreen window over the wallpaper, then gone
}
WIDGETS = ["clock", "date", "pomodoro", "month"]
WIDGET_TITLES = ["Horloge", "Date", "Focus", "Mois"]  # the pomodoro is "Focus"
SHAPES = ["card", "rounded", "pill", "circle"]
SIZES = ["small", "medium", "large"]
# The X resources counted as the client's "X resources" (bytes are reported apart).
X_COUNTS = ("windows", "GCs", "fonts", "pixmaps", "pictures", "glyphsets", "colormaps", "passive grabs",
            "cursors", "unknowns")


def parse_args():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    default_bin = next((b for b in (os.path.join(ROOT, "build/release/src/nivora"),
                                    os.path.join(ROOT, "build/ci/src/nivora")) if os.path.exists(b)), None)
    p.add_argument("--binary", default=default_bin, help="the nivora binary (a release build is best)")
    p.add_argument("--minutes", type=float, default=FULL_MINUTES, help="wall time of the run")
    p.add_argument("--sample-minutes", type=float, default=10.0, help="minutes between samples")
    p.add_argument("--warmup-minutes", type=float, default=None,
                   help="the sample taken at this time is the warm-up reference (default: a sixth of the run)")
    p.add_argument("--clock-rate", type=float, default=84.0,
                   help="how fast the wall clock runs (84: a week in two hours; 1: no faketime at all)")
    p.add_argument("--hotplug-trace", type=int, default=50, help="RSS and heap every N hot-plug cycles")
    p.add_argument("--out", default=None, help="the JSON-lines file (default: a temporary directory)")
    p.add_argument("--only", default=None,
                   help="comma-separated actions to run alone (e.g. hotplug), to tell one action's cost or fault apart")
    p.add_argument("--env", action="append", default=[], metavar="KEY=VALUE",
                   help="extra environment for the app, e.g. MALLOC_ARENA_MAX=2 to tell malloc's retention from growth")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--summarize", metavar="JSONL", default=None,
                   help="print the like-for-like summary of an earlier run's samples, and exit")
    return p.parse_args()


def shown_state(windows):
    # What the screens showed at a sample: a process showing a video holds
    # its decoder's threads and buffers, so samples are only compared with
    # samples that showed the same thing.
    return sorted("%s%s" % (w.get("mode"), "/paused" if w.get("paused") else "") for w in windows)


def state_of(sample):
    if "shown" in sample:
        return tuple(sample["shown"])
    # Rows written before the state was recorded: running windows with a
    # frame rate name their mode; none means a still picture or paused.
    return tuple(sorted(f["mode"] for f in sample.get("fps", []))) or ("image-or-paused",)


def like_for_like(samples, warmup_t):
    """Per state shown, the first sample at or after warm-up against the last."""
    groups = {}
    for s in samples:
        if s.get("kind", "sample") == "sample" and s["t"] >= warmup_t and s.get("rss_mb") is not None:
            groups.setdefault(state_of(s), []).append(s)
    lines = []
    for state, rows in sorted(groups.items()):
        first, last = rows[0], rows[-1]
        lines.append("  %-28s %2d samples  t %6.0f -> %6.0f s  RSS %6.1f -> %6.1f (%+.1f) MB  fds %s -> %s  "
                     "threads %s -> %s" % (",".join(state), len(rows), first["t"], last["t"], first["rss_mb"],
                                          last["rss_mb"], last["rss_mb"] - first["rss_mb"], first["fds"],
                                          last["fds"], first["threads"], last["threads"]))
    return lines


def summarize_file(path, warmup_minutes):
    samples = [json.loads(line) for line in open(path) if line.strip()]
    rows = [s for s in samples if s.get("kind") == "sample"]
    warm = next((s for s in rows if s["label"] == "warmup"), None)
    warmup_t = warm["t"] if warm else (warmup_minutes or 0) * 60.0
    print("like for like after warm-up (t >= %.0f s):" % warmup_t)
    print("\n".join(like_for_like(rows, warmup_t)))
    trace = [s for s in samples if s.get("kind") == "hotplug"]
    if trace:
        print("hot-plug trace (cycles: RSS MB / heap in use MB): " + ", ".join(
            "%d: %s / %.1f" % (r["cycles"], r["rss_mb"], (r.get("memory") or {}).get("heapInUse", 0) / 1048576.0)
            for r in trace))


def reenter_display():
    # One private display, window manager and session bus for the whole run.
    if os.environ.get("NIVORA_SOAK_INNER"):
        return
    env = dict(os.environ, NIVORA_SOAK_INNER="1")
    os.execvpe(os.path.join(ROOT, "scripts/with-display"),
               [os.path.join(ROOT, "scripts/with-display"), sys.executable, os.path.abspath(__file__)] + sys.argv[1:],
               env)


def run(args, env=None, timeout=30, check=False):
    try:
        return subprocess.run(args, env=env, capture_output=True, text=True, timeout=timeout, check=check)
    except subprocess.TimeoutExpired:
        return subprocess.CompletedProcess(args, 124, "", "timeout")


class FastClock(threading.Thread):
    """Moves the app's wall clock forward, once a real second, through
    libfaketime's timestamp file. Only CLOCK_REALTIME is faked: the monotonic
    clock, and with it Qt's timers, the frame pacing and every poll() timeout,
    stays real (a faketime rate such as "x84" would also shrink every poll
    timeout and make the frame timer fire 84 times as often)."""

    def __init__(self, path, rate):
        super().__init__(daemon=True)
        self.path, self.rate = path, rate
        self.start_real = time.monotonic()
        self.stop = threading.Event()
        self.write(0)

    def write(self, offset):
        tmp = self.path + ".tmp"
        with open(tmp, "w") as f:
            f.write("+%d\n" % int(offset))
        os.replace(tmp, self.path)

    def offset(self):
        return (self.rate - 1.0) * (time.monotonic() - self.start_real)

    def run(self):
        while not self.stop.wait(1.0):
            self.write(self.offset())


class Soak:
    def __init__(self, opts):
        self.opts = opts
        self.rng = random.Random(opts.seed)
        self.home = tempfile.mkdtemp(prefix="nivora-soak-")
        self.out = opts.out or os.path.join(self.home, "samples.jsonl")
        self.settings = os.path.join(self.home, "config/nivora/defaults.json")
        self.log = open(os.path.join(self.home, "nivora.log"), "w")
        self.actions_log = open(os.path.join(self.home, "actions.log"), "w")
        self.done = {k: 0 for k in FULL_COUNTS}
        self.failures = {k: 0 for k in FULL_COUNTS}
        self.samples = []
        self.hotplug_trace = []
        self.settings_bad = 0
        self.mode_cycle = 0
        self.app = None
        self.env = dict(os.environ,
                        XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                        XDG_DATA_HOME=os.path.join(self.home, "data"),
                        XDG_CACHE_HOME=os.path.join(self.home, "cache"),
                        ASAN_OPTIONS="detect_leaks=0")

    # --- setup -------------------------------------------------------------

    def make_media(self):
        media = os.path.join(self.home, "media")
        os.makedirs(media)
        self.video = os.path.join(media, "loop.mp4")
        self.image = os.path.join(media, "still.png")
        run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=30:duration=10",
             "-c:v", "libx264", "-pix_fmt", "yuv420p", self.video], timeout=120, check=True)
        run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=1920x1080:duration=1",
             "-frames:v", "1", self.image], timeout=60, check=True)

    def write_settings(self):
        os.makedirs(os.path.dirname(self.settings))
        with open(self.settings, "w") as f:
            json.dump({"isRunning": True, "fps": 30, "renderQuality": 1080, "sceneIndex": 0,
                       "wallpaperMode": "scene", "autopilot": True, "autopilotMinutes": 1,
                       "pauseOnFullscreen": True, "batterySaver": False, "enabledWidgets": WIDGETS}, f)

    def start_app(self):
        self.clock = FastClock(os.path.join(self.home, "faketime"), self.opts.clock_rate)
        env = dict(self.env, **dict(kv.split("=", 1) for kv in self.opts.env))
        if self.opts.clock_rate != 1.0:
            lib = next((p for p in FAKETIME_LIBS if os.path.exists(p)), None)
            if lib is None:
                sys.exit("libfaketime is missing (scripts/setup installs the faketime package)")
            env.update(LD_PRELOAD=lib, FAKETIME_TIMESTAMP_FILE=self.clock.path, FAKETIME_CACHE_DURATION="1",
                       FAKETIME_DONT_FAKE_MONOTONIC="1")
        self.app = subprocess.Popen([self.opts.binary, "--autostart"], env=env, stdout=self.log,
                                    stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            if self.ctl("status").returncode == 0:
                break
            time.sleep(0.5)
        else:
            sys.exit("nivora did not answer `ctl status` within 60 s; see " + self.log.name)
        # The settings file seeds the rest; the widgets are turned on as a user would.
        self.ctl("set", "enabledWidgets", json.dumps(WIDGETS))
        time.sleep(1.0)
        self.clock.start()

    def ctl(self, *args, timeout=30):
        return run([self.opts.binary, "ctl", *args], env=self.env, timeout=timeout)

    def alive(self):
        return self.app is not None and self.app.poll() is None

    # --- actions -----------------------------------------------------------

    def note(self, kind, why):
        self.actions_log.write("  %s failed: %s\n" % (kind, why))
        return False

    def act_hotplug(self):
        ok = run(["xrandr", "--setmonitor", "soak-left", "960/254x1080/286+0+0", "screen"]).returncode == 0
        ok &= run(["xrandr", "--setmonitor", "soak-right", "960/254x1080/286+960+0", "none"]).returncode == 0
        time.sleep(0.8)
        ok &= run(["xrandr", "--delmonitor", "soak-right"]).returncode == 0
        ok &= run(["xrandr", "--delmonitor", "soak-left"]).returncode == 0
        time.sleep(0.4)
        n = self.done["hotplug"] + 1
        if n % self.opts.hotplug_trace == 0:
            self.trace_hotplug(n)
        return ok

    def act_drag(self):
        title = self.rng.choice(WIDGET_TITLES)
        # A widget window is remade when its shape or the monitors change; give it a moment.
        for _ in range(10):
            found = run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title]).stdout.split()
            if found:
                break
            time.sleep(0.1)
        if not found:
            return self.note("drag", "no window titled " + title)
        win = found[-1]
        geo = run(["xdotool", "getwindowgeometry", "--shell", win]).stdout
        g = dict(line.split("=", 1) for line in geo.split() if "=" in line)
        if not g:
            return self.note("drag", "no geometry for " + title)
        x, y = int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2
        dx, dy = self.rng.randint(-300, 300), self.rng.randint(-200, 200)
        tx = min(max(x + dx, 40), 1880)
        ty = min(max(y + dy, 40), 1040)
        cmd = ["xdotool", "mousemove", str(x), str(y), "sleep", "0.05", "mousedown", "1"]
        for i in range(1, 6):
            cmd += ["mousemove", str(x + (tx - x) * i // 5), str(y + (ty - y) * i // 5), "sleep", "0.03"]
        cmd += ["mouseup", "1"]
        r = run(cmd)
        return r.returncode == 0 or self.note("drag", r.stderr.strip())

    def act_shape(self):
        if self.rng.random() < 0.6:
            value = {w: self.rng.choice(SHAPES) for w in WIDGETS}
            return self.ctl("set", "widgetShapes", json.dumps(value)).returncode == 0
        value = {w: self.rng.choice(SIZES) for w in WIDGETS}
        return self.ctl("set", "widgetSizes", json.dumps(value)).returncode == 0

    def act_dashboard(self):
        if self.ctl("dashboard", self.rng.choice(["scenes", "widgets", "colors", "performance"])).returncode != 0:
            return False
        time.sleep(0.6)
        # A polite close through the window manager, as the title bar's button does.
        closed = False
        for _ in range(20):
            if run(["wmctrl", "-c", "Nivora", "-F"]).returncode == 0:
                closed = True
                break
            time.sleep(0.1)
        time.sleep(0.2)
        return closed

    def act_popover(self):
        ok = self.ctl("popover").returncode == 0
        time.sleep(0.4)
        ok &= self.ctl("popover").returncode == 0
        time.sleep(0.2)
        return ok

    def act_tuning(self):
        pick = self.rng.randrange(4)
        if pick == 0:
            return self.ctl("set", "sceneIndex", str(self.rng.randrange(15))).returncode == 0
        if pick == 1:
            return self.ctl("random").returncode == 0
        if pick == 2:
            return self.ctl("set", "speed", "%.2f" % self.rng.uniform(0.05, 1.0)).returncode == 0
        return self.ctl("next").returncode == 0

    def act_mode(self):
        self.mode_cycle = (self.mode_cycle + 1) % 3
        if self.mode_cycle == 1:
            ok = self.ctl("set", "mediaPath", json.dumps(self.video)).returncode == 0
            return ok and self.ctl("set", "wallpaperMode", '"video"').returncode == 0
        if self.mode_cycle == 2:
            ok = self.ctl("set", "mediaPath", json.dumps(self.image)).returncode == 0
            return ok and self.ctl("set", "wallpaperMode", '"image"').returncode == 0
        return self.ctl("set", "wallpaperMode", '"scene"').returncode == 0

    def act_sleep(self):
        def saver(active):
            return run(["dbus-send", "--session", "--type=signal", "/org/freedesktop/ScreenSaver",
                        "org.freedesktop.ScreenSaver.ActiveChanged", "boolean:%s" % active]).returncode == 0
        ok = saver("true")
        time.sleep(1.5)
        ok &= saver("false")
        time.sleep(0.5)
        return ok

    def act_cover(self):
        title = "nivora-soak-cover"
        cover = subprocess.Popen(["xmessage", "-title", title, "-geometry", "1920x1080+0+0", "cover"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        ok = False
        for _ in range(40):
            if run(["wmctrl", "-r", title, "-F", "-b", "add,fullscreen"]).returncode == 0:
                ok = True
                break
            time.sleep(0.05)
        time.sleep(1.5)
        cover.terminate()
        cover.wait(timeout=10)
        time.sleep(0.5)
        return ok

    # --- measurements ------------------------------------------------------

    def rss_kb(self):
        with open("/proc/%d/status" % self.app.pid) as f:
            return int(re.search(r"VmRSS:\s+(\d+)", f.read()).group(1))

    def smaps_top(self, n=8):
        # Resident memory grouped by mapping: anonymous memory, the heap, the
        # GL driver and the other libraries, shared memory with the X server.
        groups = {}
        name = None
        try:
            with open("/proc/%d/smaps" % self.app.pid) as f:
                for line in f:
                    if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
                        parts = line.split(None, 5)
                        name = parts[5].strip() if len(parts) > 5 else "[anon]"
                        name = re.sub(r" \(deleted\)$", "", name)
                    elif line.startswith("Rss:") and name is not None:
                        groups[name] = groups.get(name, 0) + int(line.split()[1])
        except OSError:
            return {}
        top = sorted(groups.items(), key=lambda kv: -kv[1])[:n]
        return {k: round(v / 1024.0, 1) for k, v in top}

    def status(self):
        r = self.ctl("status")
        try:
            return json.loads(r.stdout) if r.returncode == 0 else None
        except ValueError:
            return None

    def xres(self):
        # xrestop prints one block a client connection, "2 - Nivora wallpaper ( PID:23582 ):", then
        # "key : value" lines; the app's connections are summed.
        out = run(["xrestop", "-b", "-m", "1"], timeout=30).stdout
        total, mine = {}, False
        for line in out.splitlines():
            head = re.match(r"^\d+ - .*\( PID:\s*(\S+)\s*\):", line)
            if head:
                mine = head.group(1) == str(self.app.pid)
            elif mine and ":" in line:
                k, v = line.split(":", 1)
                v = v.strip().lstrip("~")
                if v.isdigit():
                    total[k.strip()] = total.get(k.strip(), 0) + int(v)
        return total or None

    def settings_valid(self):
        try:
            with open(self.settings) as f:
                return isinstance(json.load(f), dict)
        except (OSError, ValueError):
            return False

    def trace_hotplug(self, n):
        st = self.status() or {}
        row = {"kind": "hotplug", "cycles": n, "t": round(time.monotonic() - self.t0, 1),
               "rss_mb": round(self.rss_kb() / 1024.0, 1), "memory": st.get("memory")}
        if n % (self.opts.hotplug_trace * 4) == 0:
            row["smaps_top_mb"] = self.smaps_top()
        self.hotplug_trace.append(row)
        self.write(row)

    def sample(self, label):
        settle = 2.0
        time.sleep(settle)
        secs = 5
        ps = run([PROCSTAT, str(self.app.pid), str(secs)], timeout=secs + 30) if PROCSTAT else None
        st = self.status()
        proc = json.loads(ps.stdout) if ps and ps.returncode == 0 and ps.stdout.strip() else {}
        fps = []
        for w in (st or {}).get("windows", []):
            if not w.get("paused") and w.get("targetFPS"):
                fps.append({"screen": w.get("screen"), "mode": w.get("mode"), "target": w.get("targetFPS"),
                            "measured": w.get("measuredFPS")})
        frames = sum(f["measured"] for f in fps) * secs
        row = {
            "kind": "sample", "label": label, "t": round(time.monotonic() - self.t0, 1),
            "fake_clock_offset_h": round(self.clock.offset() / 3600.0, 2),
            "alive": self.alive(),
            "rss_mb": proc.get("rss_mb"), "threads": proc.get("threads"), "fds": proc.get("fds"),
            "cpu_percent": proc.get("cpu_percent"),
            "cpu_ms_per_frame": round(proc["cpu_seconds"] * 1000.0 / frames, 2) if frames and proc else None,
            "fps": fps, "memory": (st or {}).get("memory"), "xres": self.xres(),
            "shown": shown_state((st or {}).get("windows", [])),
            "settings_valid": self.settings_valid(), "done": dict(self.done),
            "smaps_top_mb": self.smaps_top(),
        }
        if not row["settings_valid"]:
            self.settings_bad += 1
        self.samples.append(row)
        self.write(row)
        print("[%6.0fs] %-8s rss %s MB  heap %s  fds %s  threads %s  fps %s  X %s" % (
            row["t"], label, row["rss_mb"], (row["memory"] or {}).get("heapInUse"), row["fds"], row["threads"],
            [(f["measured"], f["target"]) for f in fps],
            sum((row["xres"] or {}).get(k, 0) for k in X_COUNTS)), flush=True)
        return row

    def write(self, row):
        with open(self.out, "a") as f:
            f.write(json.dumps(row) + "\n")

    # --- the run -----------------------------------------------------------

    def schedule(self, seconds):
        scale = self.opts.minutes / FULL_MINUTES
        events = []
        only = set(self.opts.only.split(",")) if self.opts.only else set(FULL_COUNTS)
        unknown = only - set(FULL_COUNTS)
        if unknown:
            sys.exit("unknown actions: %s; actions: %s" % (", ".join(sorted(unknown)), ", ".join(FULL_COUNTS)))
        for kind, full in FULL_COUNTS.items():
            if kind not in only:
                continue
            count = max(1, int(round(full * scale)))
            offset = self.rng.random()
            events += [((i + offset) * seconds / count, kind) for i in range(count)]
        events.sort()
        return events

    def main(self):
        if not self.opts.binary or not os.path.exists(self.opts.binary):
            sys.exit("no nivora binary; build one (cmake --preset release) or pass --binary")
        for tool in ("xrandr", "xdotool", "wmctrl", "xmessage", "xrestop", "dbus-send", "ffmpeg"):
            if not shutil.which(tool):
                sys.exit("missing tool: %s (scripts/setup installs it)" % tool)
        print("binary %s\nhome %s\nsamples %s" % (self.opts.binary, self.home, self.out), flush=True)
        self.make_media()
        self.write_settings()
        self.t0 = time.monotonic()
        self.start_app()
        seconds = self.opts.minutes * 60.0
        warmup = self.opts.warmup_minutes if self.opts.warmup_minutes is not None else self.opts.minutes / 6.0
        self.sample("start")
        self.trace_hotplug(0)
        events = self.schedule(seconds)
        next_sample = self.opts.sample_minutes * 60.0
        warmed = False
        actions = {k: getattr(self, "act_" + k) for k in FULL_COUNTS}
        start = time.monotonic()
        crashed = False
        for due, kind in events:
            now = time.monotonic() - start
            if now >= seconds:
                break
            if not warmed and now >= warmup * 60.0:
                self.sample("warmup")
                warmed = True
            if now >= next_sample:
                self.sample("periodic")
                next_sample += self.opts.sample_minutes * 60.0
            if due > now:
                time.sleep(due - now)
            if not self.alive():
                crashed = True
                break
            # The last lines of this log name the action a crash interrupted.
            self.actions_log.write("%.1f %s\n" % (time.monotonic() - self.t0, kind))
            self.actions_log.flush()
            if actions[kind]():
                self.done[kind] += 1
            else:
                self.failures[kind] += 1
        if not crashed:
            remaining = seconds - (time.monotonic() - start)
            if remaining > 0:
                time.sleep(remaining)
            crashed = not self.alive()
        end = self.sample("end") if not crashed else None
        self.summary(crashed, end)
        self.quit()
        return 1 if crashed else 0

    def quit(self):
        if self.alive():
            self.ctl("quit")
            try:
                self.app.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.app.send_signal(signal.SIGKILL)
                self.app.wait()
        self.clock.stop.set()

    def summary(self, crashed, end):
        def pick(label):
            return next((s for s in self.samples if s["label"] == label), None)

        start, warm = pick("start"), pick("warmup") or pick("start")
        lines = ["", "Soak summary (%.0f min of wall time, the wall clock %gx: %.1f fake days)" % (
            self.opts.minutes, self.opts.clock_rate, self.clock.offset() / 86400.0)]
        lines.append("binary: %s" % self.opts.binary)
        lines.append("crashed: %s%s" % ("YES" if crashed else "no",
                                         " (exit %s)" % self.app.returncode if crashed else ""))
        keys = ("rss_mb", "heap_mb", "heap_free_mb", "fds", "threads", "x_resources", "x_pixmap_kb")

        def flat(s):
            if not s:
                return {k: None for k in keys}
            mem = s.get("memory") or {}
            xr = s.get("xres") or {}
            return {"rss_mb": s["rss_mb"],
                    "heap_mb": round((mem.get("heapInUse", 0) + mem.get("heapMapped", 0)) / 1048576.0, 1)
                    if mem else None,
                    "heap_free_mb": round(mem["heapFree"] / 1048576.0, 1) if "heapFree" in mem else None,
                    "fds": s["fds"], "threads": s["threads"],
                    "x_resources": sum(xr.get(k, 0) for k in X_COUNTS) if xr else None,
                    "x_pixmap_kb": round(xr["pixmap bytes"] / 1024.0) if "pixmap bytes" in xr else None}

        a, b, c = flat(start), flat(warm), flat(end)
        lines.append("%-14s %10s %10s %10s %12s" % ("", "start", "warm-up", "end", "end-warmup"))
        for k in keys:
            g = (c[k] - b[k]) if c[k] is not None and b[k] is not None else None
            lines.append("%-14s %10s %10s %10s %12s" % (k, a[k], b[k], c[k], "%+g" % round(g, 1) if g is not None else "-"))
        devs = []
        for s in self.samples:
            for f in s["fps"]:
                if f["target"]:
                    devs.append(abs(f["measured"] - f["target"]) / f["target"] * 100.0)
        lines.append("fps: worst deviation from target %.1f %% over %d window samples (goal <= 1 %%)" % (
            max(devs) if devs else float("nan"), len(devs)))
        lines.append("cpu ms per frame: %s" % [s["cpu_ms_per_frame"] for s in self.samples])
        lines.append("settings file valid at every sample: %s" % ("yes" if not self.settings_bad else
                                                                 "NO (%d bad)" % self.settings_bad))
        lines.append("actions done (failed): " + ", ".join(
            "%s %d/%d (%d)" % (k, self.done[k], max(1, round(FULL_COUNTS[k] * self.opts.minutes / FULL_MINUTES)),
                               self.failures[k]) for k in FULL_COUNTS))
        if len(self.hotplug_trace) > 1:
            lines.append("hot-plug trace (cycles: RSS MB / heap MB): " + ", ".join(
                "%d: %s / %s" % (r["cycles"], r["rss_mb"],
                                 round(((r["memory"] or {}).get("heapInUse", 0) +
                                        (r["memory"] or {}).get("heapMapped", 0)) / 1048576.0, 1))
                for r in self.hotplug_trace))
        if warm:
            lines.append("like for like after warm-up (samples that showed the same thing):")
            lines += like_for_like(self.samples, warm["t"])
        if b["rss_mb"] is not None and c["rss_mb"] is not None:
            flat_ok = (c["rss_mb"] - b["rss_mb"] <= 2 and c["fds"] <= b["fds"] and c["threads"] <= b["threads"]
                       and (c["x_resources"] or 0) <= (b["x_resources"] or 0))
            lines.append("flat after warm-up (RSS +2 MB, no fd/thread/X growth): %s" % ("yes" if flat_ok else "NO"))
        lines.append("samples: %s" % self.out)
        print("\n".join(lines), flush=True)


if __name__ == "__main__":
    opts = parse_args()
    if opts.summarize:
        summarize_file(opts.summarize, opts.warmup_minutes)
        sys.exit(0)
    reenter_display()
    sys.exit(Soak(opts).main())
