#!/usr/bin/env bash
# What media people actually have costs, side by side in one run on one
# 1920x1080 screen (procstat, medians of REPS runs, CPU in % of one core, the
# X server's share counted since it scales and shows the frames):
#  - stills: a 48-megapixel phone JPEG (8000x6000), a 4K AVIF and an animated
#    WebP, against a PNG the size of the screen;
#  - a 4K 60 frames/s H.264 clip, against mpv playing it full screen with its
#    software output (--vo=x11, which converts on the processor and hands
#    frames to the X server as Nivora does on a software renderer) and with
#    its OpenGL output (--vo=gpu, on the same software renderer).
#   bench/media/formats.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="${1:?usage: bench/media/formats.sh BUILD_DIR [SECONDS]}"
secs="${2:-10}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display" --size 1920x1080 "$0" "$@"
fi
bench="$build/bench/desktop/bench_wallpaper"
[ -x "$bench" ] || { echo "build bench_wallpaper first: cmake --build $build --target bench_wallpaper" >&2; exit 2; }
procstat="$here/../../../shared/tools/procstat"
[ -x "$procstat" ] || procstat=/work/shared/tools/procstat
xserver="$(pgrep -f "Xvfb $DISPLAY( |\$)" | head -n 1 || true)"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
. "$here/../desktop/measure.sh"

ff() { ffmpeg -loglevel error -y "$@"; }
ff -f lavfi -i "gradients=s=1920x1080:seed=3" -frames:v 1 "$work/screen.png"
ff -f lavfi -i "testsrc2=s=8000x6000" -frames:v 1 -q:v 3 "$work/phone48mp.jpg"
ff -f lavfi -i "gradients=s=3840x2160:seed=5" -frames:v 1 "$work/uhd.png"
heif-enc --avif -q 60 -o "$work/uhd.avif" "$work/uhd.png" >/dev/null
ff -f lavfi -i "testsrc2=s=1280x720:r=15:d=2" -c:v libwebp_anim -loop 0 -q:v 70 "$work/anim.webp"
ff -f lavfi -i "testsrc2=s=3840x2160:r=60:d=5" -c:v libx264 -preset veryfast -pix_fmt yuv420p "$work/uhd60.mp4"

reps="${REPS:-3}"
for rep in $(seq 1 "$reps"); do
  for still in screen.png phone48mp.jpg uhd.avif anim.webp; do
    measure "${still%%.*}.$rep" "$bench" --seconds "$((secs + 4))" --mode image --media "$work/$still"
  done
  measure "video.$rep" "$bench" --seconds "$((secs + 4))" --mode video --media "$work/uhd60.mp4"
done
measure_mpv_outputs "$work/uhd60.mp4" x11 gpu

stop_on_failures

python3 - "$here/../desktop" "$work" "$reps" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import figures
case, reps = figures.from_argv(sys.argv), int(sys.argv[3])
print("one 1920x1080 screen; medians of %d runs; CPU in %% of one core" % reps)
print("%-34s %7s %7s %7s %8s %7s" % ("case", "app", "X", "total", "RSS MB", "fps"))
base = case("screen")
for label, name in (("screen", "PNG 1920x1080 (reference)"), ("phone48mp", "JPEG 8000x6000 (48 MP)"),
                    ("uhd", "AVIF 3840x2160"), ("anim", "animated WebP 1280x720 15/s"),
                    ("video", "H.264 3840x2160 60/s"), ("mpv-x11", "mpv --vo=x11, same clip"),
                    ("mpv-gpu", "mpv --vo=gpu, same clip")):
    c = case(label)
    if not c:
        print("%-34s (no figures)" % name)
        continue
    extra = ""
    if base and label in ("phone48mp", "uhd", "anim"):
        extra = "  RSS %+.1f MB against the PNG" % (c["rss"] - base["rss"])
    print("%-34s %7.1f %7.1f %7.1f %8.1f %7.1f%s" % (name, c["cpu"], c["x"], c["total"], c["rss"], c["fps"], extra))
v = case("video")
for vo in ("x11", "gpu"):
    m = case("mpv-" + vo)
    if v and m:
        print("4K60 clip, Nivora / mpv --vo=%s: total CPU %.3f, app alone %.3f" % (vo, v["total"] / m["total"], v["cpu"] / m["cpu"]))
PY
