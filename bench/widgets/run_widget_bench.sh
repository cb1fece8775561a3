#!/usr/bin/env bash
# Measures idle desktop widgets and, side by side in the same run, conky showing
# a clock: CPU, wake-ups per second (and per minute), resident memory.
#   scripts/with-display bench/widgets/run_widget_bench.sh BUILD_DIR [SECONDS]
# BUILD_DIR should be a release build with bench/widgets/widget_idle built.
# Every process runs at the same time, so all figures come from one interval.
set -euo pipefail

BUILD="${1:?usage: run_widget_bench.sh BUILD_DIR [SECONDS]}"
SECONDS_TO_MEASURE="${2:-60}"
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
PROCSTAT="${PROCSTAT:-$ROOT/../shared/tools/procstat}"
IDLE="$BUILD/bench/widgets/widget_idle"
OUT="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$OUT"' EXIT

[ -x "$IDLE" ] || { echo "missing $IDLE" >&2; exit 2; }
[ -x "$PROCSTAT" ] || { echo "missing $PROCSTAT" >&2; exit 2; }

declare -A PIDS
start() { # name args...
  local name="$1"; shift
  "$IDLE" "$@" >"$OUT/$name.log" 2>&1 &
  PIDS[$name]=$!
}

start baseline
start clock clock
start date date
start month month
start three clock date month
start stopwatch_running --running stopwatch
start all_twelve clock date ambiance year pomodoro weekend uptime week season newyear stopwatch month

if command -v conky >/dev/null; then
  cat >"$OUT/conky.conf" <<'CONF'
conky.config = {
  out_to_x = true, out_to_console = false, background = false,
  own_window = true, own_window_type = 'desktop', double_buffer = true,
  update_interval = 1.0, use_xft = true, font = 'Nunito:size=36',
  alignment = 'top_left', gap_x = 600, gap_y = 40,
}
conky.text = [[${time %H:%M}]]
CONF
  conky -c "$OUT/conky.conf" >"$OUT/conky.log" 2>&1 &
  PIDS[conky_clock_1s]=$!
  sed 's/update_interval = 1.0/update_interval = 60.0/; s/gap_y = 40/gap_y = 200/' "$OUT/conky.conf" >"$OUT/conky60.conf"
  conky -c "$OUT/conky60.conf" >"$OUT/conky60.log" 2>&1 &
  PIDS[conky_clock_60s]=$!
fi

# Let start-up work (fonts, first paints, window manager traffic) finish.
sleep 8

# procstat rounds wake-ups to 0.1/s; an idle widget wakes about once a minute,
# so the same counters (voluntary and involuntary context switches of every
# thread) are also read here at the start and the end of the interval.
count_switches() { # pid
  local total=0 f
  for f in /proc/"$1"/task/*/status; do
    total=$((total + $(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$f" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
for name in "${!PIDS[@]}"; do count_switches "${PIDS[$name]}" >"$OUT/$name.before"; done

STAT_PIDS=()
for name in "${!PIDS[@]}"; do
  "$PROCSTAT" "${PIDS[$name]}" "$SECONDS_TO_MEASURE" --threads >"$OUT/$name.json" &
  STAT_PIDS+=($!)
done
wait "${STAT_PIDS[@]}"
for name in "${!PIDS[@]}"; do count_switches "${PIDS[$name]}" >"$OUT/$name.after"; done

python3 - "$OUT" "$SECONDS_TO_MEASURE" <<'PY'
import json, os, sys
out, secs = sys.argv[1], float(sys.argv[2])
rows = {}
for f in sorted(os.listdir(out)):
    if f.endswith(".json"):
        try:
            rows[f[:-5]] = json.load(open(os.path.join(out, f)))
        except Exception as e:
            print(f"{f}: unreadable ({e})")
base = rows.get("baseline", {}).get("rss_mb", 0.0)
print(f"# {secs:.0f} s measured; wake-ups are context switches of all threads")
print(f"{'process':18} {'cpu %':>7} {'wakeups/s':>10} {'wakeups/min':>12} {'rss MB':>8} {'rss-baseline':>13}")
for name, r in sorted(rows.items()):
    w = r.get("wakeups_per_s", 0.0)
    try:
        before = int(open(os.path.join(out, name + ".before")).read())
        after = int(open(os.path.join(out, name + ".after")).read())
        w = (after - before) / secs
    except (OSError, ValueError):
        pass
    rss = r.get("rss_mb", 0.0)
    extra = f"{rss - base:13.1f}" if not name.startswith("conky") else f"{'':>13}"
    print(f"{name:18} {r.get('cpu_percent', 0.0):7.3f} {w:10.3f} {w * 60:12.1f} {rss:8.1f} {extra}")
print()
for name, r in sorted(rows.items()):
    threads = r.get("by_thread") or {}
    if threads:
        parts = [f"{t}: {v.get('wakeups_per_s', 0.0) * 60:.1f}/min" for t, v in sorted(threads.items())]
        print(f"{name:18} " + ", ".join(parts))
PY
