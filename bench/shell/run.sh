#!/usr/bin/env bash
# The shell's costs on a private virtual display, release build:
#  - start to wallpaper window mapped, to its first frame drawn, to splash shown,
#    to dashboard shown (RUNS starts);
#  - popover opening (warm) to its first complete paint, as the app times it;
#  - idle cost with popover and dashboard closed: one instance that never opened
#    the popover next to one that opened and closed it 100 times, measured in the
#    same interval; resident memory after the first close and after the 100th.
#   bench/shell/run.sh [RUNS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BIN="${NIVORA_BIN:-$ROOT/build/release/src/nivora}"
RUNS="${1:-5}"
PROCSTAT="${PROCSTAT:-$ROOT/../shared/tools/procstat}"
[ -x "$BIN" ] || { echo "build the release first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }
[ -x "$PROCSTAT" ] || { echo "missing $PROCSTAT" >&2; exit 2; }

export BIN RUNS PROCSTAT
exec "$ROOT/scripts/with-display" bash -c '
set -euo pipefail
WORK=$(mktemp -d)
trap "kill \$(jobs -p) 2>/dev/null || true; rm -rf $WORK" EXIT
now_us() { date +%s%6N; }
first_visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
rss_kb() { awk "/^VmRSS/{print \$2}" /proc/$1/status; }
median() { sort -n | awk "{a[NR]=\$1} END{print a[int((NR+1)/2)]}"; }

: >"$WORK/wall"; : >"$WORK/frame"; : >"$WORK/splash"; : >"$WORK/dash"
for i in $(seq 1 "$RUNS"); do
  export XDG_CONFIG_HOME=$WORK/config-$i
  t0=$(now_us)
  NIVORA_REPORT_READY=1 "$BIN" 2>"$WORK/err-$i" & APP=$!
  wall=""; dash=""
  while [ -z "$dash" ] && [ $(( $(now_us) - t0 )) -lt 15000000 ]; do
    [ -z "$wall" ] && [ -n "$(first_visible "^Nivora wallpaper$")" ] && wall=$(now_us)
    for id in $(xdotool search --onlyvisible --name "^Nivora$" 2>/dev/null); do
      xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q NORMAL && dash=$(now_us)
    done
    sleep 0.01
  done
  splash=$(sed -n "s/^nivora: splash shown \([0-9]*\)$/\1/p" "$WORK/err-$i")
  frame=$(sed -n "s/^nivora: wallpaper frame \([0-9]*\)$/\1/p" "$WORK/err-$i")
  [ -n "$frame" ] && echo $(( (frame - t0) / 1000 )) >>"$WORK/frame"
  [ -n "$wall" ] && echo $(( (wall - t0) / 1000 )) >>"$WORK/wall"
  [ -n "$splash" ] && echo $(( (splash - t0) / 1000 )) >>"$WORK/splash"
  [ -n "$dash" ] && echo $(( (dash - t0) / 1000 )) >>"$WORK/dash"
  "$BIN" ctl quit >/dev/null 2>&1 || true; wait $APP || true
done
echo "start_to_wallpaper_mapped_ms_median $(median <"$WORK/wall") (runs $(wc -l <"$WORK/wall"))"
echo "start_to_first_wallpaper_frame_ms_median $(median <"$WORK/frame") (runs $(wc -l <"$WORK/frame"))"
echo "start_to_splash_shown_ms_median $(median <"$WORK/splash") (runs $(wc -l <"$WORK/splash"))"
echo "start_to_dashboard_shown_ms_median $(median <"$WORK/dash") (runs $(wc -l <"$WORK/dash"))"

# Two instances side by side, each on a bus of its own (one instance per bus).
start_instance() { # name
  mkdir -p "$WORK/$1"
  dbus-run-session -- bash -c "echo \$DBUS_SESSION_BUS_ADDRESS >$WORK/$1/bus; XDG_CONFIG_HOME=$WORK/$1/config NIVORA_REPORT_READY=1 exec \"$BIN\" 2>$WORK/$1/err" &
  for _ in $(seq 1 200); do [ -s "$WORK/$1/bus" ] && break; sleep 0.05; done
  for _ in $(seq 1 200); do
    DBUS_SESSION_BUS_ADDRESS=$(cat "$WORK/$1/bus") "$BIN" ctl get fps >/dev/null 2>&1 && break; sleep 0.05
  done
}
ctl_in() { local n=$1; shift; DBUS_SESSION_BUS_ADDRESS=$(cat "$WORK/$n/bus") "$BIN" ctl "$@"; }

start_instance quiet
QUIET=$(pgrep -f "^$BIN$" | head -1)
start_instance popover
POP=$(pgrep -f "^$BIN$" | grep -v "^$QUIET$" | head -1)
sleep 3.5
# Close every dashboard after the splash.
for id in $(xdotool search --onlyvisible --name "^Nivora$" 2>/dev/null); do wmctrl -i -c "$id" || true; done
sleep 1

ctl_in popover popover; sleep 0.6; ctl_in popover popover; sleep 0.5
first_close=$(rss_kb $POP)
for i in $(seq 1 100); do ctl_in popover popover; sleep 0.15; ctl_in popover popover; sleep 0.05; done
sleep 2
after_100=$(rss_kb $POP)
grep "popover painted ms" "$WORK/popover/err" | awk "{print \$5}" | tail -n +2 | median >"$WORK/paint"
echo "popover_open_to_first_paint_ms_median_warm $(cat "$WORK/paint") (of $(grep -c "popover painted" "$WORK/popover/err") openings)"
echo "popover_rss_kb_after_first_close $first_close after_100_cycles $after_100 growth_kb $(( after_100 - first_close ))"

sleep 3
"$PROCSTAT" "$QUIET" 20 --threads >"$WORK/quiet.json" & PS=$!
"$PROCSTAT" "$POP" 20 --threads >"$WORK/pop.json"
# Only the measurement: the instances run in the background too.
wait $PS
echo "idle_never_opened $(cat "$WORK/quiet.json" | tr -d "\n" | cut -c1-400)"
echo "idle_after_100_popovers $(cat "$WORK/pop.json" | tr -d "\n" | cut -c1-400)"
ctl_in quiet quit >/dev/null 2>&1 || true
ctl_in popover quit >/dev/null 2>&1 || true
'
