#!/usr/bin/env bash
# Measures one video on several screens with procstat, side by side in one run:
# the same 1080p clip on one 1920x1080 screen and on two (which share one
# player), and spanning the two screens against mpv playing the clip in one
# 3840x1080 window. The X server's CPU is read in the same intervals, since it
# crops and scales the frames for every screen. Screens are monitors made
# with xrandr --setmonitor on one 3840x1080 Xvfb screen.
# Give it a Release build directory; it runs inside scripts/with-display.
#   bench/desktop/run-screens.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="${1:?usage: bench/desktop/run-screens.sh BUILD_DIR [SECONDS]}"
secs="${2:-10}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display" --size 3840x1080 "$0" "$@"
fi
bench="$build/bench/desktop/bench_wallpaper"
procstat="$here/../../../shared/tools/procstat"
[ -x "$procstat" ] || procstat=/work/shared/tools/procstat
xserver="$(pgrep -f "Xvfb $DISPLAY( |\$)" | head -n 1 || true)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
. "$here/measure.sh"

monitors() {
  xrandr --delmonitor right >/dev/null 2>&1 || true
  xrandr --delmonitor left >/dev/null 2>&1 || true
  [ "$1" -ge 1 ] && xrandr --setmonitor left 1920/508x1080/286+0+0 screen
  [ "$1" -ge 2 ] && xrandr --setmonitor right 1920/508x1080/286+1920+0 none
  sleep 1
}

ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=5" -c:v libx264 -pix_fmt yuv420p \
  "$work/clip.mp4"
reps="${REPS:-3}"
run=("$bench" --seconds "$((secs + 8))" --mode video --media "$work/clip.mp4")
for rep in $(seq 1 "$reps"); do
  monitors 1
  measure "one.$rep" "${run[@]}"
  monitors 2
  measure "two.$rep" "${run[@]}"
  measure "span.$rep" "${run[@]}" --span
done

# mpv as a user would run it across both screens: one window the size of the
# whole desktop, with its default OpenGL output (here on the same software
# renderer) and with its software output, which converts on the processor
# and hands frames to the X server as Nivora does here.
monitors 0
measure_mpv_outputs "$work/clip.mp4" gpu x11

stop_on_failures

python3 - "$here" "$work" "$reps" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import figures
case, reps = figures.from_argv(sys.argv), int(sys.argv[3])
one, two, span = case("one"), case("two"), case("span")
print("1080p clip at 30 frames/s; medians of %d runs; CPU in %% of one core" % reps)
print("%-22s %7s %7s %7s %8s %7s %7s" % ("case", "app", "X", "total", "RSS MB", "fps", "players"))
for name, c in (("one screen", one), ("two screens", two), ("spanning two", span)):
    print("%-22s %7.1f %7.1f %7.1f %8.1f %7.1f %7d" % (name, c["cpu"], c["x"], c["total"], c["rss"], c["fps"], c["players"]))
print("two screens / one: total CPU %.3f (app alone %.3f), RSS %.3f" % (
    two["total"] / one["total"], two["cpu"] / one["cpu"], two["rss"] / one["rss"]))
# On a machine too busy to play the clip at its rate the CPU figures are
# capped by what the machine gives; per delivered frame they still compare.
if one["fps"] and two["fps"]:
    print("per delivered frame: one %.2f ms, two %.2f ms, two / one %.3f" % (
        one["total"] * 10 / one["fps"], two["total"] * 10 / two["fps"],
        (two["total"] / two["fps"]) / (one["total"] / one["fps"])))
for vo in ("gpu", "x11"):
    m = case("mpv-" + vo)
    if not m:
        continue
    print("mpv --vo=%s in one 3840x1080 window: %.1f %% + X %.1f %% = %.1f %%, RSS %.1f MB; spanning / mpv: total %.3f, app alone %.3f" % (
        vo, m["cpu"], m["x"], m["total"], m["rss"], span["total"] / m["total"], span["cpu"] / m["cpu"]))
PY
