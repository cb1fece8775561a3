#!/usr/bin/env bash
# Measures the desktop wallpaper with procstat: delivered frame rate and CPU at
# 30 and 60 fps, wake-ups while paused, memory after 500 rebuilds, and video.
# Give it a Release build directory; it runs inside scripts/with-display.
#   bench/desktop/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="${1:?usage: bench/desktop/run.sh BUILD_DIR [SECONDS]}"
secs="${2:-10}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display" "$0" "$@"
fi
bench="$build/bench/desktop/bench_wallpaper"
procstat="$here/../../../shared/tools/procstat"
[ -x "$procstat" ] || procstat=/work/shared/tools/procstat

# Runs the bench in the background, measures it for $secs seconds once it is
# warm, and prints both results.
measure() {
  local label="$1"; shift
  local out; out="$(mktemp)"
  "$bench" --seconds "$((secs + 3))" "$@" >"$out" 2>/dev/null &
  local pid=$!
  for _ in $(seq 1 100); do grep -q ready "$out" && break; sleep 0.1; done
  sleep 1
  echo "== $label"
  "$procstat" "$pid" "$secs" --threads
  wait "$pid"
  tail -n 1 "$out"
  rm -f "$out"
}

measure "scene 30 fps, quality 1080" --fps 30 --quality 1080
measure "scene 60 fps, quality 1080" --fps 60 --quality 1080
measure "scene 30 fps, quality 480" --fps 30 --quality 480
measure "scene paused" --fps 60 --paused

media="$(mktemp -d)"
ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=1280x720:rate=30:duration=5 -c:v libx264 -pix_fmt yuv420p \
  "$media/clip.mp4"
measure "video 1280x720 30 fps" --mode video --media "$media/clip.mp4"
if command -v mpv >/dev/null; then
  mpv --no-config --really-quiet --vo=gpu --gpu-sw=yes --hwdec=no --aid=no --ao=null --loop-file=inf --panscan=1.0 \
    --fs "$media/clip.mp4" &
  mpvpid=$!
  sleep 2
  echo "== mpv player, same clip, fullscreen"
  "$procstat" "$mpvpid" "$secs"
  kill "$mpvpid"; wait "$mpvpid" 2>/dev/null || true
fi
rm -rf "$media"

echo "== 500 rebuilds"
"$bench" --rebuilds 500 --quality 480 --fps 30 2>/dev/null | tail -n 1
