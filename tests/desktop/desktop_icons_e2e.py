#!/usr/bin/python3
"""The wallpaper under a file manager's own desktop icons, as a user meets it.

nemo-desktop (Cinnamon's icons) draws a transparent desktop window when a
compositing manager runs. On a private display with openbox, xcompmgr and a
few files in ~/Desktop, with the real nivora binary:
- the animation shows where the desktop's background was, and moves;
- nemo's icons show above it, as they did without Nivora;
- a right click on an empty spot opens nemo's menu, and a left click on the
  desktop leaves the wallpaper under the icons and running;
- new wallpaper windows (a rebuild) and new icon windows (nemo started again)
  end up in the same order;
- quitting Nivora gives back the desktop exactly as it was.

With the argument "caja": caja's opaque desktop under marco and a compositing
manager, which a click brings above the wallpaper; the wallpaper, hidden, then
pauses as covered (with "pause on fullscreen" on) rather than drawing unseen.

Runs on the display and bus tests/isolated.sh gives it; needs NIVORA_BINARY,
nemo, xcompmgr, xdotool, ImageMagick and python3-numpy.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

import numpy

BINARY = os.environ["NIVORA_BINARY"]
FAILURES = []


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message, flush=True)
    if not condition:
        FAILURES.append(message)


def wait_for(predicate, what, seconds=30.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def run(*args, env=None):
    return subprocess.run(args, env=env, capture_output=True, text=True, timeout=30)


def screenshot():
    """The whole screen as an array of RGB rows."""
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], capture_output=True,
                         check=True, timeout=30).stdout
    size = run("xdpyinfo").stdout.split("dimensions:")[1].split()[0]
    width, height = (int(v) for v in size.split("x"))
    return numpy.frombuffer(raw, dtype=numpy.uint8).reshape(height, width, 3).astype(int)


def stacking():
    """The managed windows from bottom to top, with their WM_CLASS."""
    out = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout
    ids = [w.strip() for w in out.split("#", 1)[1].split(",")] if "#" in out else []
    return [(w, run("xprop", "-id", w, "WM_CLASS").stdout) for w in ids]


def nivora_under_nemo():
    order = stacking()
    ours = [i for i, (_, cls) in enumerate(order) if '"nivora"' in cls]
    nemo = [i for i, (_, cls) in enumerate(order) if "nemo-desktop" in cls]
    return bool(ours) and bool(nemo) and max(ours) < min(nemo)


def menus_of(program):
    """Override-redirect windows mapped by `program` (popup menus)."""
    pids = run("pgrep", "-x", program).stdout.split()
    found = 0
    tree = run("xwininfo", "-root", "-children").stdout
    for line in tree.splitlines():
        line = line.strip()
        if not line.startswith("0x"):
            continue
        window = line.split()[0]
        info = run("xwininfo", "-id", window).stdout
        if "Override Redirect State: yes" in info and "Map State: IsViewable" in info:
            pid = run("xprop", "-id", window, "_NET_WM_PID").stdout.split("=")[-1].strip()
            if pid in pids:
                found += 1
    return found


class Nivora:
    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="nivora-icons-")
        self.env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                        XDG_DATA_HOME=os.path.join(self.home, "data"),
                        ASAN_OPTIONS="detect_leaks=0:abort_on_error=0")
        os.makedirs(os.path.join(self.home, "config/nivora"))
        # A fast, bright scene, so that it cannot pass for the empty desktop.
        with open(os.path.join(self.home, "config/nivora/defaults.json"), "w") as f:
            json.dump({"speed": 1.0, "isRunning": True, "sceneIndex": 4, "intensity": 1.0}, f)

    def start(self):
        self.log = open(os.path.join(self.home, "nivora.log"), "w")
        # As the session starts it: the desktop alone, no window of its own.
        self.process = subprocess.Popen([BINARY, "--autostart"], env=self.env, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        wait_for(lambda: self.ctl("status")[0] == 0, "nivora to answer", 60)

    def ctl(self, *args):
        done = run(BINARY, "ctl", *args, env=self.env)
        return done.returncode, done.stdout.strip()

    def window(self):
        status, out = self.ctl("status")
        windows = json.loads(out)["windows"] if status == 0 else []
        return windows[0] if windows else None

    def quit(self):
        self.ctl("quit")
        try:
            self.process.wait(30)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.log.close()


def opaque_desktop(env, helpers):
    """caja draws its icons on an opaque desktop window: Nivora cannot show
    under it, and once a click brings it above, the wallpaper is hidden and
    must not go on drawing unseen."""
    helpers.append(subprocess.Popen(["xcompmgr"], stderr=subprocess.DEVNULL))
    helpers.append(subprocess.Popen(["caja", "-n", "--force-desktop"], env=env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL))
    wait_for(lambda: any('"Caja"' in cls for _, cls in stacking()), "caja's desktop window", 60)
    nivora = Nivora()
    nivora.start()
    nivora.ctl("set", "pauseOnFullscreen", "true")
    wait_for(lambda: (nivora.window() or {}).get("measuredFPS", 0) > 0, "the wallpaper drawing", 60)
    run("xdotool", "mousemove", "--sync", "1500", "600", "click", "1")
    def caja_on_top():
        order = stacking()
        return bool(order) and '"Caja"' in order[-1][1]
    check(bool(wait_for(caja_on_top, "caja above after a click", 10)),
          "a click brings caja's opaque desktop above the wallpaper")
    status = wait_for(lambda: (nivora.window() or {}).get("paused") and nivora.window(), "the pause", 10)
    check("covered" in status.get("pausedBy", []), "the hidden wallpaper pauses as covered")
    nivora.quit()


def transparent_desktop(env, helpers):
    """nemo-desktop draws its icons on a transparent window: the wallpaper
    goes under it."""
    helpers.append(subprocess.Popen(["xcompmgr"], stderr=subprocess.DEVNULL))
    wait_for(lambda: "0x" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout, "openbox")
    if os.getuid() == 0:
        # nemo refuses root unless told otherwise (its own documented key).
        run("gsettings", "set", "org.nemo.preferences", "treat-root-as-normal", "true", env=env)
    helpers.append(subprocess.Popen(["nemo-desktop"], env=env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL))
    wait_for(lambda: any("nemo-desktop" in cls for _, cls in stacking()), "nemo's desktop window", 60)
    time.sleep(3)  # its icons drawn
    before = screenshot()
    if os.environ.get("NIVORA_SCREENSHOTS"):
        os.makedirs(os.environ["NIVORA_SCREENSHOTS"], exist_ok=True)
        run("import", "-window", "root", os.path.join(os.environ["NIVORA_SCREENSHOTS"], "icons-before.png"))
    # Where nemo draws: its icons are the pixels that differ from the
    # desktop's plain background (the most common colour) before Nivora
    # starts.
    colours, counts = numpy.unique(before.reshape(-1, 3), axis=0, return_counts=True)
    background = colours[counts.argmax()]
    away = numpy.abs(before - background).max(axis=2)
    icons = away > 40
    check(500 < icons.sum() < 0.2 * icons.size, f"nemo drew its icons ({icons.sum()} pixels)")

    nivora = Nivora()
    nivora.start()
    # A bright scene at full speed, which cannot pass for the plain
    # background.
    nivora.ctl("set", "sceneIndex", "4")
    wait_for(lambda: (nivora.window() or {}).get("measuredFPS", 0) > 0, "the wallpaper drawing", 60)
    wait_for(nivora_under_nemo, "the wallpaper under nemo's icon window", 10)
    check(nivora_under_nemo(), "the wallpaper is stacked under nemo's icon window")
    time.sleep(1)
    first = screenshot()
    time.sleep(1.5)
    second = screenshot()
    if os.environ.get("NIVORA_SCREENSHOTS"):
        run("import", "-window", "root", os.path.join(os.environ["NIVORA_SCREENSHOTS"], "icons-with-nivora.png"))
    # Away from the icons (and their soft edges), the desktop shows the
    # animation: no longer the plain background, and moving.
    empty = away == 0
    shown = (numpy.abs(first[empty] - background).max(axis=1) > 8).mean()
    check(shown > 0.8, f"the animation shows where the background was ({shown:.0%} of it)")
    check(numpy.abs(first[empty] - second[empty]).max(axis=1).mean() > 2, "the animation moves")
    # The icons are where they were, drawn over it: their opaque pixels
    # (label text and glyphs, those far from black) are unchanged.
    solid = away > 80
    same = (numpy.abs(second[solid] - before[solid]).max(axis=1) < 40).mean()
    check(same > 0.8, f"nemo's icons show above the wallpaper ({same:.0%} of their pixels as before)")
    status = nivora.window() or {}
    check(not status.get("paused", True), "the wallpaper is not taken for covered under the icons")

    # An empty spot: far right, middle height (nemo lays icons out from
    # the top left).
    spot = [str(before.shape[1] - 200), str(before.shape[0] // 2)]
    run("xdotool", "mousemove", "--sync", *spot, "click", "3")
    menu = wait_for(lambda: menus_of("nemo-desktop"), "nemo's desktop menu", 10)
    check(menu > 0, "a right click on an empty spot opens nemo's menu")
    run("xdotool", "key", "Escape")
    wait_for(lambda: menus_of("nemo-desktop") == 0, "the menu closed", 10)

    run("xdotool", "mousemove", "--sync", *spot, "click", "1")
    time.sleep(2)
    check(nivora_under_nemo(), "after a left click the wallpaper is still under the icons")
    status = nivora.window() or {}
    check(status.get("measuredFPS", 0) > 0 and not status.get("paused", True),
          "after a left click the wallpaper still runs")

    # New wallpaper windows (a rebuild), then new icon windows (nemo
    # started again): the wallpaper goes back under the icons each time.
    nivora.ctl("set", "renderQuality", "720")
    wait_for(lambda: (nivora.window() or {}).get("pixelSize", {}).get("width", 0) <= 720, "the rebuild", 30)
    time.sleep(1)
    check(nivora_under_nemo(), "after a rebuild the wallpaper is under the icons again")
    helpers[-1].terminate()
    helpers[-1].wait(10)
    helpers.append(subprocess.Popen(["nemo-desktop"], env=env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL))
    wait_for(lambda: any("nemo-desktop" in cls for _, cls in stacking()), "nemo's desktop window again", 60)
    time.sleep(2)
    check(nivora_under_nemo(), "after nemo made its window anew the wallpaper is under the icons")
    nivora.ctl("set", "renderQuality", "1080")
    time.sleep(2)

    nivora.quit()
    time.sleep(2)
    after = screenshot()
    differs = (numpy.abs(after - before).max(axis=2) > 40).mean()
    check(differs < 0.001, f"quitting gives back the desktop as it was ({differs:.2%} of pixels differ)")


def main():
    home = tempfile.mkdtemp(prefix="nivora-icons-home-")
    desktop = os.path.join(home, "Desktop")
    os.makedirs(desktop)
    for name in ("Notes.txt", "Liste de courses.md", "Projet"):
        path = os.path.join(desktop, name)
        if name == "Projet":
            os.makedirs(path)
        else:
            with open(path, "w") as f:
                f.write("x\n")
    env = dict(os.environ, HOME=home)
    helpers = []
    scenario = opaque_desktop if sys.argv[1:] == ["caja"] else transparent_desktop
    try:
        scenario(env, helpers)
    except AssertionError as e:
        check(False, str(e))
    finally:
        for helper in helpers:
            helper.terminate()
        shutil.rmtree(home, ignore_errors=True)
    if FAILURES:
        print(f"{len(FAILURES)} failed", flush=True)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
