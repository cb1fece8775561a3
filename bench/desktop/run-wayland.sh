#!/usr/bin/env bash
# Measures the wallpaper on a Wayland compositor with the layer shell (a
# headless sway with one 1920x1080 output, its CPU renderer) with procstat:
# CPU per delivered frame next to the offscreen harness drawing the same scene
# at the same pixel size and rate, the compositor's own CPU over the same
# interval, the wake-ups of the whole process while a fullscreen window
# covers the output, and a still image shown by the app (image mode) next to
# swaybg showing the same image on the same output (memory, CPU, wake-ups over
# the same interval; grim checks that each really shows it), and the scene
# drawn through EGL against read back into shared memory (both forced with
# NIVORA_RENDER_PATH; CPU per frame of the app and of sway) with the cost of a
# read back and a copy at 1920x1080 and 3840x2160 measured on the display's
# OpenGL. Give it a build directory; it runs inside
# scripts/with-display (the process's GL context comes from the X display).
#   bench/desktop/run-wayland.sh BUILD_DIR [SECONDS]
# PARTS chooses what runs (default all): any of "scene still covered egl", e.g.
#   PARTS=still bench/desktop/run-wayland.sh build/release
# EGL_QUALITIES (default "1080 1920") lists the render qualities the two
# routes are compared at. For the still image, STILL_SIZE (default 1920x1080, the output's size) sets
# the picture's size, and the app's memory is broken down afterwards
# (/proc/PID/smaps_rollup and the largest mappings).
set -euo pipefail
build="${1:?usage: bench/desktop/run-wayland.sh BUILD_DIR [SECONDS]}"
secs="${2:-10}"
export PARTS="${PARTS:-scene still covered egl}" STILL_SIZE="${STILL_SIZE:-1920x1080}"
export EGL_QUALITIES="${EGL_QUALITIES:-1080 1920}"
parts="$PARTS"
still_size="$STILL_SIZE"
runs() { case " $parts " in *" $1 "*) return 0 ;; esac; return 1; }
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display" "$0" "$@"
fi
bench="$build/bench/desktop/bench_wallpaper"
harness="$build/bench/shader/bench_shader"
# A sanitizer build reports the toolkit's leaks at exit and fails the run.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
procstat="$here/../../../shared/tools/procstat"
[ -x "$procstat" ] || procstat=/work/shared/tools/procstat
work="$(mktemp -d)"
echo "bench: working in $work" >&2
# The compositor's user must reach its runtime directory inside this one.
chmod 711 "$work"
runtime="$work/runtime"
mkdir -m 700 "$runtime"
printf 'xwayland disable\noutput HEADLESS-1 mode 1920x1080 position 0 0\ndefault_border none\n' >"$runtime/config"
sway_env=(env -i PATH="$PATH" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman
  WLR_LIBINPUT_NO_DEVICES=1 WLR_HEADLESS_OUTPUTS=1)
if [ "$(id -u)" -eq 0 ]; then
  # sway refuses to run as root.
  chown -R nobody "$runtime"
  "${sway_env[@]}" setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$runtime/config" \
    >"$work/sway.log" 2>&1 &
else
  "${sway_env[@]}" sway -c "$runtime/config" >"$work/sway.log" 2>&1 &
fi
swaypid=$!
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
for _ in $(seq 1 100); do ls "$runtime"/wayland-? >/dev/null 2>&1 && ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && break; sleep 0.1; done
export WAYLAND_DISPLAY="$(ls "$runtime"/wayland-? | head -n 1)"
export SWAYSOCK="$(ls "$runtime"/sway-ipc.*.sock | head -n 1)"
sleep 1

xserver="$swaypid" server_tag=sway
. "$here/measure.sh"

size=""
if runs scene; then
  measure scene "$bench" --seconds "$((secs + 3))" --fps 30 --quality 1080
  size="$(python3 -c 'import json,sys; w=json.loads(open(sys.argv[1]).read().splitlines()[-1])["status"]["windows"][0]["pixelSize"]; print("%dx%d" % (w["width"], w["height"]))' "$work/scene.out")"
  measure paced "$harness" --run "$((secs + 3))" --scene 0 --size "$size" --fps 30
fi

# The same scene through each route to the compositor, then what a read back
# costs by itself.
egl() {
  local quality
  for quality in $EGL_QUALITIES; do
    measure "readback-$quality" env NIVORA_RENDER_PATH=readback "$bench" --seconds "$((secs + 3))" --fps 30 \
      --quality "$quality"
    measure "gpu-$quality" env NIVORA_RENDER_PATH=gpu "$bench" --seconds "$((secs + 3))" --fps 30 --quality "$quality"
  done
  "$harness" --readback --frames 20 >"$work/readback.out" 2>"$work/readback.err" ||
    echo "== readback timing failed" >>"$work/failures"
}
if runs egl; then egl; fi

# A still image at the output's size, shown by the app and then by swaybg.
image="$work/still.png"
# grim checks afterwards that the output really showed the image (RMSE of the
# grab against it, 0..1), through the same path for both clients.
onscreen() {
  grim -o HEADLESS-1 "$work/$1.grab.png"
  compare -metric RMSE "$image" "$work/$1.grab.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' >"$work/$1.rmse" || true
}
# Same interval for both, the compositor measured alongside each.
measure_still() {
  local label="$1" pid="$2"
  "$procstat" "$swaypid" "$secs" >"$work/$label.sway.json" &
  local spid=$!
  "$procstat" "$pid" "$secs" --threads >"$work/$label.json" || echo "== $label: procstat failed" >>"$work/failures"
  wait "$spid" || true
  # Where the resident memory is: totals by kind, then the largest mappings.
  cat "/proc/$pid/smaps_rollup" >"$work/$label.rollup" 2>/dev/null || true
  python3 - "/proc/$pid/smaps" >"$work/$label.maps" 2>/dev/null <<'PY' || true
import collections, re, sys
rss, cur = collections.Counter(), None
for line in open(sys.argv[1]):
    if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
        f = line.split()
        cur = f[5] if len(f) > 5 else "[anon]"
        cur = re.sub(r"\.so[.0-9]*$", ".so", cur.split("/")[-1]) if "/" in cur else cur
    elif line.startswith("Rss:"):
        rss[cur] += int(line.split()[1])
for name, kb in rss.most_common(14):
    print("    %-40s %8.1f MiB" % (name, kb / 1024))
PY
  onscreen "$label"
}
still() {
ffmpeg -v error -f lavfi -i "mandelbrot=size=$still_size" -frames:v 1 "$image"
"$bench" --seconds "$((secs + 5))" --mode image --media "$image" >"$work/image.out" 2>"$work/image.out.err" &
imgpid=$!
for _ in $(seq 1 200); do grep -q ready "$work/image.out" && break; sleep 0.1; done
sleep 1
measure_still image "$imgpid"
wait "$imgpid" || echo "== image exited with status $?" >>"$work/failures"
swaybg -o '*' -m stretch -i "$image" >"$work/swaybg.log" 2>&1 &
bgpid=$!
sleep 1
measure_still swaybg "$bgpid"
kill "$bgpid"; wait "$bgpid" 2>/dev/null || true
}
if runs still; then still; fi

# A fullscreen terminal over the output: the compositor stops the surface's
# frame callbacks and the view pauses.
covered() {
foot --app-id=bench-cover >/dev/null 2>&1 &
for _ in $(seq 1 50); do swaymsg -t get_tree 2>/dev/null | grep -q bench-cover && break; sleep 0.1; done
swaymsg '[app_id=bench-cover] fullscreen enable' >/dev/null
measure covered "$bench" --seconds "$((secs + 3))" --fps 30 --quality 1080 --covered
}
if runs covered; then covered; fi

if [ -s "$work/failures" ]; then
  cat "$work/failures"
  exit 1
fi
python3 - "$work" "$size" <<'PY'
import json, os, sys
work, size = sys.argv[1], sys.argv[2]
def last(name): return json.loads(open(os.path.join(work, name)).read().strip().splitlines()[-1])
def stat(name): return json.load(open(os.path.join(work, name)))
parts = os.environ.get("PARTS", "scene still covered egl").split()
if "scene" in parts:
    app, run, sway = stat("scene.json"), last("scene.out"), stat("scene.sway.json")
    p, prun, psway = stat("paced.json"), last("paced.out"), stat("paced.sway.json")
    fps = run["delivered_fps"]
    app_ms = app["cpu_seconds"] * 1000 / (fps * app["seconds"])
    paced_ms = p["cpu_seconds"] * 1000 / (prun["frames"] / prun["seconds"] * p["seconds"])
    sway_ms = sway["cpu_seconds"] * 1000 / (fps * sway["seconds"])
    print("scene 0, drawable %s on a 1920x1080 output, target 30 fps" % size)
    print("  app: %.2f fps delivered, CPU %.1f %%, %.2f ms per frame, %.1f wake-ups/s" % (
        fps, app["cpu_percent"], app_ms, app["wakeups_per_s"]))
    print("  harness paced at 30 fps: %.2f ms per frame; ratio app/harness %.3f" % (paced_ms, app_ms / paced_ms))
    print("  sway while the app runs: CPU %.1f %% (%.2f ms per app frame); while the harness runs: %.1f %%" % (
        sway["cpu_percent"], sway_ms, psway["cpu_percent"]))
if "egl" in parts:
    print("scene 0 on the 1920x1080 output, target 30 fps, by route (CPU per delivered frame):")
    for quality in os.environ.get("EGL_QUALITIES", "1080 1920").split():
        per = {}
        for route in ("readback", "gpu"):
            label = "%s-%s" % (route, quality)
            app, run, sway = stat(label + ".json"), last(label + ".out"), stat(label + ".sway.json")
            fps = run["delivered_fps"]
            window = run["status"]["windows"][0]
            app_ms = app["cpu_seconds"] * 1000 / (fps * app["seconds"])
            sway_ms = sway["cpu_seconds"] * 1000 / (fps * sway["seconds"])
            per[route] = app_ms + sway_ms
            print("  quality %-5s path %-8s drawable %dx%d: %.2f fps; app %.2f ms (%.1f %%), sway %.2f ms"
                  " (%.1f %%); together %.2f ms" % (
                      quality, window.get("path"), window["pixelSize"]["width"], window["pixelSize"]["height"],
                      fps, app_ms, app["cpu_percent"], sway_ms, sway["cpu_percent"], app_ms + sway_ms))
        print("    EGL - read back = %.2f - %.2f = %+.2f ms a frame, app and sway together" % (
            per["gpu"], per["readback"], per["gpu"] - per["readback"]))
    print("  (on llvmpipe EGL's buffers are shared memory as well: Mesa copies each frame into them)")
    print(open(os.path.join(work, "readback.out")).read().rstrip())
if "covered" in parts:
    c, crun = stat("covered.json"), last("covered.out")
    print("covered by a fullscreen window: %.2f fps delivered, CPU %.2f %%, wake-ups %.1f/s (whole process)" % (
        crun["delivered_fps"], c["cpu_percent"], c["wakeups_per_s"]))
    for name, t in sorted(c.get("by_thread", {}).items()):
        if name.startswith("nv-") or t.get("wakeups_per_s", 0) > 0:
            print("  %-16s wake-ups %.1f/s" % (name, t["wakeups_per_s"]))
if "still" in parts:
    i, b = stat("image.json"), stat("swaybg.json")
    def rmse(name): return open(os.path.join(work, name + ".rmse")).read().strip() or "?"
    print("still image %s PNG on the 1920x1080 output, %.0f s each:" % (os.environ.get("STILL_SIZE", "1920x1080"), i["seconds"]))
    for label, name, s in (("app (image mode)", "image", i), ("swaybg", "swaybg", b)):
        print("  %-17s RSS %.1f MiB, CPU %.2f %%, %.1f wake-ups/s, %d threads; sway CPU %.2f %%; on screen vs image RMSE %s" % (
            label, s["rss_mb"], s["cpu_percent"], s["wakeups_per_s"], s["threads"],
            stat(name + ".sway.json")["cpu_percent"], rmse(name)))
    def rollup(name):
        out = {}
        try:
            for line in open(os.path.join(work, name + ".rollup")):
                f = line.split()
                if len(f) == 3 and f[2] == "kB":
                    out[f[0].rstrip(":")] = int(f[1]) / 1024
        except OSError:
            pass
        return out
    for label, name in (("app (image mode)", "image"), ("swaybg", "swaybg")):
        r = rollup(name)
        if r:
            print("  %s: Rss %.1f MiB (anonymous %.1f); Pss %.1f MiB = anonymous %.1f + files %.1f + shared memory %.1f;"
                  " Rss by mapping:" % (label, r.get("Rss", 0), r.get("Anonymous", 0), r.get("Pss", 0),
                                        r.get("Pss_Anon", 0), r.get("Pss_File", 0), r.get("Pss_Shmem", 0)))
            print(open(os.path.join(work, name + ".maps")).read().rstrip())
PY
