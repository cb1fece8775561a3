#!/usr/bin/env bash
# Memory after video switches. Four 1080p clips made here by ffmpeg are
# switched every 2.5 s through `nivora ctl set mediaPath`; the resident size is
# read after 10 and after 200 switches, then after switching to a 1080p still
# image, next to a fresh start on that same still. Targets: after 200 switches
# within 10 % of after 10; the still after the videos within 20 MB of the
# fresh start.
#   bench/media/run.sh [SWITCHES] [INTERVAL_SECONDS]
# Needs a release build (NIVORA_BIN names another binary); runs on a private
# virtual display, with the app started as at login (no splash, no dashboard).
set -euo pipefail
switches="${1:-200}"
interval="${2:-2.5}"
. "$(dirname "${BASH_SOURCE[0]}")/app.sh"

# Four clips that look and decode differently: 1920x1080, 30 fps, 4 s, H.264.
sources=("testsrc2=s=1920x1080:r=30:d=4" "smptehdbars=s=1920x1080:r=30:d=4,noise=alls=30:allf=t"
         "rgbtestsrc=s=1920x1080:r=30:d=4,hue=H=t" "cellauto=s=1920x1080:r=30:rule=110,trim=duration=4")
for i in 0 1 2 3; do
  ffmpeg -loglevel error -y -f lavfi -i "${sources[$i]}" -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    "$work/clip$i.mp4"
done
ffmpeg -loglevel error -y -f lavfi -i "gradients=s=1920x1080:seed=7" -frames:v 1 "$work/still.png"

rss() { "$procstat" "$app" 2 | python3 -c 'import json,sys; print(json.load(sys.stdin)["rss_mb"])'; }
# The resident size split into private memory and pages of mapped files
# (libraries: the GL driver stays mapped once a GL context was made).
split() { awk '/^RssAnon|^RssFile|^RssShmem/ {printf "%s %.1f MB  ", $1, $2 / 1024} END {print ""}' "/proc/$app/status"; }

start() {
  mkdir -p "$XDG_CONFIG_HOME/nivora"
  printf '{"isRunning": true, "speed": 0.5, "wallpaperMode": "%s", "mediaPath": "%s"}\n' "$1" "$2" \
    >"$XDG_CONFIG_HOME/nivora/defaults.json"
  "$bin" --autostart 2>"$work/app.err" &
  app=$!
  for _ in $(seq 1 200); do "$bin" ctl get fps >/dev/null 2>&1 && return; sleep 0.1; done
  echo "nivora did not answer" >&2; cat "$work/app.err" >&2; exit 1
}

stop() {
  "$bin" ctl quit >/dev/null 2>&1 || kill "$app"
  wait "$app" 2>/dev/null || true
  app=""
}

start video "$work/clip0.mp4"
sleep 3
echo "rss_mb_first_video $(rss)"
for n in $(seq 1 "$switches"); do
  "$bin" ctl set mediaPath "\"$work/clip$((n % 4)).mp4\""
  sleep "$interval"
  [ "$n" -ne 10 ] || after10="$(rss)"
done
after="$(rss)"
echo "rss_mb_after_10_switches $after10"
echo "rss_mb_after_${switches}_switches $after"
"$bin" ctl set mediaPath "\"$work/still.png\""
"$bin" ctl set wallpaperMode '"image"'
sleep 5
still_after="$(rss)"
echo "rss_mb_still_after_videos $still_after ($(split))"
stop

start image "$work/still.png"
sleep 5
still_fresh="$(rss)"
echo "rss_mb_still_fresh_start $still_fresh ($(split))"
stop

python3 - "$after10" "$after" "$still_after" "$still_fresh" <<'PY'
import sys
a10, a, sa, sf = map(float, sys.argv[1:])
growth = (a - a10) / a10 * 100
print("growth_after_10_to_end_percent %.1f (target <= 10) %s" % (growth, "ok" if growth <= 10 else "OVER"))
print("still_after_videos_minus_fresh_mb %.1f (target <= 20) %s" % (sa - sf, "ok" if sa - sf <= 20 else "OVER"))
PY
