#!/usr/bin/env bash
# Loop points of short clips: each clip (its first frame marked red) plays as
# the video wallpaper for many loops while every frame converted is timed
# (bench_loop). Reports, per clip, the longest gap between two frames at a loop
# point in frame periods (target <= 2) and any black frame there (target 0).
# Clips of 0.5 s, 4 s and 60 s, 1280x720 at 30 fps, H.264 and VP9.
#   bench/media/loop.sh BUILD_DIR [LOOPS_0.5s] [LOOPS_4s] [LOOPS_60s]
# Defaults: 1000, 60 and 3 loops (about 30 minutes in all). Needs a release
# build of bench_loop; runs on a private virtual display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:?usage: bench/media/loop.sh BUILD_DIR [LOOPS_0.5s] [LOOPS_4s] [LOOPS_60s]}"
bench="$build/bench/media/bench_loop"
[ -x "$bench" ] || { echo "build bench_loop first: cmake --build $build --target bench_loop" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" "$@"
fi
loops=("${2:-1000}" "${3:-60}" "${4:-3}")
durations=(0.5 4 60)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for codec in h264 vp9; do
  for i in 0 1 2; do
    d="${durations[$i]}"
    clip="$work/loop-$d.$codec.mkv"
    if [ "$codec" = h264 ]; then enc=(-c:v libx264 -preset veryfast -pix_fmt yuv420p)
    else enc=(-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -b:v 2M -pix_fmt yuv420p); fi
    ffmpeg -loglevel error -y -f lavfi -i "testsrc2=s=1280x720:r=30:d=$d" \
      -vf "drawbox=x=0:y=0:w=iw:h=ih:color=red:t=fill:enable='eq(n,0)'" "${enc[@]}" "$clip"
    printf '%-6s %5ss  ' "$codec" "$d"
    "$bench" --media "$clip" --fps 30 --loops "${loops[$i]}" || echo "(incomplete)"
  done
done
