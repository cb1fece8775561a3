#!/usr/bin/env bash
# Memory of a folder playlist against its size: the same 1080p still, linked
# 10 and 10,000 times into two folders, each folder shown as the media after a
# fresh start, then stepped 20 times with `nivora ctl next`. The list holds
# names only: the two resident sizes should not differ beyond noise.
#   bench/media/playlist.sh [BIG_COUNT]
# Needs a release build (NIVORA_BIN names another binary); runs on a private
# virtual display.
set -euo pipefail
big="${1:-10000}"
. "$(dirname "${BASH_SOURCE[0]}")/app.sh"

ffmpeg -loglevel error -y -f lavfi -i "gradients=s=1920x1080:seed=7" -frames:v 1 "$work/still.png"
for count in 10 "$big"; do
  mkdir -p "$work/folder$count"
  for i in $(seq -w 1 "$count"); do ln "$work/still.png" "$work/folder$count/IMG_$i.png"; done
done

rss() { "$procstat" "$app" 2 | python3 -c 'import json,sys; print(json.load(sys.stdin)["rss_mb"])'; }

for count in 10 "$big"; do
  rm -rf "$XDG_CONFIG_HOME"
  mkdir -p "$XDG_CONFIG_HOME/nivora"
  printf '{"isRunning": true, "speed": 0.5, "wallpaperMode": "image", "mediaPath": "%s"}\n' \
    "$work/folder$count" >"$XDG_CONFIG_HOME/nivora/defaults.json"
  "$bin" --autostart 2>"$work/app.err" &
  app=$!
  for _ in $(seq 1 200); do "$bin" ctl get fps >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 8
  first="$(rss)"
  for _ in $(seq 1 20); do "$bin" ctl next >/dev/null; sleep 0.5; done
  sleep 3
  echo "files $count: rss_mb_shown $first, after 20 next $(rss)"
  "$bin" ctl quit >/dev/null 2>&1 || kill "$app"
  wait "$app" 2>/dev/null || true
  app=""
done
