#!/usr/bin/python3
"""Nivora on a headless GNOME Shell, measured with procstat in one run.

- The wallpaper (scene 0 at 30 fps, render quality 1080, one 1920x1080
  monitor) against the offscreen harness drawing the same scene at the same
  pixel size and rate on the same XWayland display: CPU ms per frame and
  their ratio (target <= 1.15, as on X11).
- XWayland's and the shell's own CPU over the same interval.
- With a fullscreen Wayland window (foot) over the wallpaper: Nivora's
  wake-ups per second (target 0) and CPU.

Give it a Release build directory (run it from the repository's root):
    /usr/bin/python3 bench/desktop/run-gnome.py BUILD_DIR [SECONDS]
"""
import json
import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests/gnome"))
from gnome_shell import GnomeShell, wait_for  # noqa: E402

BUILD = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else sys.exit(__doc__)
SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
NIVORA = os.path.join(BUILD, "src/nivora")
HARNESS = os.path.join(BUILD, "bench/shader/bench_shader")
PROCSTAT = next(p for p in (os.path.join(ROOT, "../shared/tools/procstat"), "/work/shared/tools/procstat")
                if os.path.exists(p))


def built_extension():
    # The build made the extension for the shell it found; its cache says where.
    with open(os.path.join(BUILD, "CMakeCache.txt")) as cache:
        for line in cache:
            if line.startswith("NIVORA_GNOME_EXTENSION_DIR:"):
                return line.split("=", 1)[1].strip()
    sys.exit("the build directory has no GNOME Shell extension; configure it again")


EXTENSION = built_extension()


def procstat(pid, seconds, threads=False):
    args = [PROCSTAT, str(pid), str(seconds)] + (["--threads"] if threads else [])
    return subprocess.Popen(args, stdout=subprocess.PIPE, text=True)


def result(process):
    out, _ = process.communicate()
    return json.loads(out)


def pid_of(pattern):
    out = subprocess.run(["pgrep", "-n", "-f", pattern], capture_output=True, text=True).stdout.split()
    return int(out[0]) if out else None


def main():
    if not os.path.exists(NIVORA):
        sys.exit(f"no nivora binary in {BUILD}/src")
    shell = GnomeShell(monitors=("1920x1080",), extensions=(EXTENSION,)).start()
    home = tempfile.mkdtemp(prefix="nivora-bench-gnome-")
    # Leak reports of a sanitizer build would end the harness's output early.
    env = shell.client_env(XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
                           ASAN_OPTIONS="detect_leaks=0")
    os.makedirs(os.path.join(home, "config/nivora"))
    with open(os.path.join(home, "config/nivora/defaults.json"), "w") as f:
        json.dump({"speed": 1.0, "isRunning": True, "fps": 30, "renderQuality": 1080, "sceneIndex": 0, "pauseOnFullscreen": True,
                   "enabledWidgets": [], "matchShellBackground": False}, f)

    def ctl(*args):
        return subprocess.run([NIVORA, "ctl", *args], env=env, capture_output=True, text=True, timeout=30)

    app = subprocess.Popen([NIVORA], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    rows = {}
    try:
        wait_for(lambda: ctl("status").returncode == 0, "nivora", 60)
        # Close the dashboard a first start opens; it is not what is measured.
        time.sleep(3)
        shell.eval("""global.get_window_actors().map(a => a.meta_window)
            .filter(w => (w.get_title() || '').startsWith('Nivora') && w.get_title() !== 'Nivora wallpaper')
            .forEach(w => w.delete(global.get_current_time())); true""")
        time.sleep(3)
        xwayland = pid_of("Xwayland " + shell.x_display)
        gnome = shell.shell.pid
        app_stat = procstat(app.pid, SECONDS, threads=True)
        x_stat = procstat(xwayland, SECONDS) if xwayland else None
        shell_stat = procstat(gnome, SECONDS)
        time.sleep(SECONDS / 2)
        status = json.loads(ctl("status").stdout)["windows"][0]
        rows["app"] = result(app_stat)
        rows["xwayland"] = result(x_stat) if x_stat else None
        rows["shell"] = result(shell_stat)
        size = "%dx%d" % (status["pixelSize"]["width"], status["pixelSize"]["height"])
        fps = status["measuredFPS"]

        harness = subprocess.Popen([HARNESS, "--run", str(SECONDS + 3), "--scene", "0", "--size", size,
                                    "--fps", "30"], env=env, stdout=subprocess.PIPE, text=True)
        assert harness.stdout.readline().strip() == "ready"
        time.sleep(1)
        harness_stat = result(procstat(harness.pid, SECONDS))
        harness_run = json.loads(harness.stdout.read().strip().splitlines()[-1])
        harness.wait()

        foot = subprocess.Popen(["foot", "--title=bench-foot"], env=shell.client_env(),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: shell.window_call("bench-foot", "make_fullscreen()"), "foot", 30)
        wait_for(lambda: "covered" in json.loads(ctl("status").stdout)["windows"][0]["pausedBy"],
                 "the wallpaper to pause", 20)
        time.sleep(2)
        covered = result(procstat(app.pid, SECONDS, threads=True))
        foot.terminate()
        foot.wait(10)
    finally:
        ctl("quit")
        try:
            app.wait(20)
        except subprocess.TimeoutExpired:
            app.kill()
        shell.cleanup()

    app_ms = rows["app"]["cpu_seconds"] * 1000 / (fps * SECONDS) if fps else float("nan")
    harness_fps = harness_run["frames"] / harness_run["seconds"]
    harness_ms = harness_stat["cpu_seconds"] * 1000 / (harness_fps * harness_stat["seconds"])
    print(f"GNOME Shell 43 headless, XWayland, llvmpipe; scene 0 at {size}, 30 fps target; {SECONDS:.0f} s each")
    print(f"{'':24}{'fps':>8}{'CPU %':>8}{'ms/frame':>10}{'wakeups/s':>11}")
    print(f"{'nivora':24}{fps:8.1f}{rows['app']['cpu_percent']:8.1f}{app_ms:10.2f}"
          f"{rows['app']['wakeups_per_s']:11.1f}")
    print(f"{'harness (paced)':24}{harness_fps:8.1f}{harness_stat['cpu_percent']:8.1f}{harness_ms:10.2f}"
          f"{harness_stat['wakeups_per_s']:11.1f}")
    print(f"ratio nivora / harness: {app_ms / harness_ms:.2f} (target <= 1.15)")
    if rows["xwayland"]:
        print(f"XWayland while it runs: {rows['xwayland']['cpu_percent']:.1f} % CPU")
    print(f"gnome-shell while it runs: {rows['shell']['cpu_percent']:.1f} % CPU")
    print(f"under a fullscreen Wayland window: nivora {covered['cpu_percent']:.2f} % CPU, "
          f"{covered['wakeups_per_s']:.1f} wake-ups/s (target 0)")
    busy = sorted(((name, t["wakeups_per_s"]) for name, t in covered.get("by_thread", {}).items()
                   if t["wakeups_per_s"] > 0), key=lambda item: -item[1])
    if busy:
        print("  by thread: " + ", ".join(f"{name} {rate:.1f}/s" for name, rate in busy))


if __name__ == "__main__":
    main()
