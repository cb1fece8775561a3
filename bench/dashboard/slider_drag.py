#!/usr/bin/python3
"""Drags the Scenes page's speed slider of the real nivora binary with xdotool,
60 moves per second for 5 seconds, and reports what the desktop did meanwhile:
the wallpaper's measured frame rate before and during the drag (from
`nivora ctl status`), how many values the store took, and how many times the
settings file was written during and after the drag (inotify).

Runs inside scripts/with-display; needs Debian's python3-pyatspi, xdotool and
inotifywait.   bench/dashboard/slider_drag.py NIVORA_BINARY
"""
import json
import os
import subprocess
import sys
import tempfile
import threading
import time

os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
import pyatspi  # noqa: E402

BINARY = sys.argv[1]
HOME = tempfile.mkdtemp(prefix="nivora-drag-")
CONFIG = os.path.join(HOME, "config")
ENV = dict(os.environ, XDG_CONFIG_HOME=CONFIG, XDG_DATA_HOME=os.path.join(HOME, "data"))


def ctl(*args):
    done = subprocess.run([BINARY, "ctl", *args], env=ENV, capture_output=True, text=True, timeout=20)
    return done.returncode, done.stdout.strip()


def find(name, role):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if not app or "nivora" not in (app.name or "").lower():
            continue
        stack = [app]
        while stack:
            node = stack.pop()
            try:
                if node.name == name and node.getRoleName() == role and node.getState().contains(pyatspi.STATE_SHOWING):
                    return node
                stack.extend(node.getChildAtIndex(k) for k in range(node.childCount))
            except Exception:
                pass
    return None


def wait(pred, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        v = pred()
        if v:
            return v
        time.sleep(0.2)
    raise SystemExit("timed out")


def measured_fps():
    status = json.loads(ctl("status")[1])
    return [w.get("measuredFPS") for w in status.get("windows", [])]


def main():
    os.makedirs(os.path.join(CONFIG, "nivora"), exist_ok=True)
    app = subprocess.Popen([BINARY], env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait(lambda: ctl("get", "fps")[0] == 0)
        ctl("set", "fps", "30")
        ctl("dashboard", "scenes")
        slider = wait(lambda: find("Vitesse", "slider"))
        ext = slider.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        y = ext.y + ext.height - 13
        left, right = ext.x + 2, ext.x + ext.width - 2
        time.sleep(3)
        before = measured_fps()
        writes = subprocess.Popen(["inotifywait", "-m", "-e", "moved_to,close_write", os.path.join(CONFIG, "nivora")],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        events = []
        threading.Thread(target=lambda: events.extend(writes.stdout), daemon=True).start()
        time.sleep(0.5)
        subprocess.run(["xdotool", "mousemove", str(left), str(y), "mousedown", "1"], check=True)
        start = time.monotonic()
        moves = 0
        during = []
        values = set()
        while time.monotonic() - start < 5.0:
            phase = (time.monotonic() - start) % 2.0
            x = left + (right - left) * (phase if phase < 1 else 2 - phase)
            subprocess.run(["xdotool", "mousemove", str(int(x)), str(y)], check=True)
            moves += 1
            if moves % 60 == 30:
                during.append(measured_fps())
                values.add(ctl("get", "speed")[1])
            time.sleep(max(0.0, start + moves / 60.0 - time.monotonic()))
        subprocess.run(["xdotool", "mouseup", "1"], check=True)
        writes_during = len(events)
        time.sleep(1.5)
        writes.terminate()
        print(json.dumps({"moves": moves, "seconds": round(time.monotonic() - start - 1.5, 2),
                          "measuredFPS_before": before, "measuredFPS_during": during,
                          "distinct_speeds_sampled": len(values),
                          "settings_writes_during_drag": writes_during,
                          "settings_writes_total": len([e for e in events if "defaults.json" in e])}))
    finally:
        ctl("quit")
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            app.kill()


if __name__ == "__main__":
    main()
