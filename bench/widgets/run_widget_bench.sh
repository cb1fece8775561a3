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
# The same two with Qt's default MIT-SHM hand-over of repaints, for comparison
# (see WidgetWindow::configureApplication).
start clock_qt_shm --qt-shm clock
start stopwatch_running_qt_shm --qt-shm --running stopwatch
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
# so the same counters (voluntary and involuntary context switches) are also
# read here for every thread at the start and the end of the interval: one line
# per thread with its name and both counts.
count_switches() { # pid
  local t
  for t in /proc/"$1"/task/*; do
    awk -v name="$(cat "$t/comm" 2>/dev/null)" \
      '/^voluntary_ctxt/ {v = $2} /^nonvoluntary_ctxt/ {n = $2} END {gsub(/ /, "_", name); print name, v + 0, n + 0}' \
      "$t/status" 2>/dev/null || true
  done
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
def switches(path):
    """Thread name -> [voluntary, involuntary], threads named alike summed."""
    counts = {}
    for line in open(path):
        parts = line.split()
        if len(parts) == 3:
            c = counts.setdefault(parts[0], [0, 0])
            c[0] += int(parts[1])
            c[1] += int(parts[2])
    return counts

def switch_delta(name):
    try:
        before = switches(os.path.join(out, name + ".before"))
        after = switches(os.path.join(out, name + ".after"))
    except OSError:
        return None
    return {t: [a[0] - before.get(t, [0, 0])[0], a[1] - before.get(t, [0, 0])[1]] for t, a in after.items()}

rows = {}
for f in sorted(os.listdir(out)):
    if f.endswith(".json"):
        try:
            rows[f[:-5]] = json.load(open(os.path.join(out, f)))
        except Exception as e:
            print(f"{f}: unreadable ({e})")
base = rows.get("baseline", {}).get("rss_mb", 0.0)
print(f"# {secs:.0f} s measured; wake-ups are context switches of all threads")
print(f"{'process':26} {'cpu %':>7} {'wakeups/s':>10} {'wakeups/min':>12} {'rss MB':>8} {'rss-baseline':>13}")
for name, r in sorted(rows.items()):
    w = r.get("wakeups_per_s", 0.0)
    delta = switch_delta(name)
    if delta:
        w = sum(v + n for v, n in delta.values()) / secs
    rss = r.get("rss_mb", 0.0)
    extra = f"{rss - base:13.1f}" if not name.startswith("conky") else f"{'':>13}"
    print(f"{name:26} {r.get('cpu_percent', 0.0):7.3f} {w:10.3f} {w * 60:12.1f} {rss:8.1f} {extra}")
if "all_twelve" in rows and "clock" in rows:
    twelve = rows["all_twelve"].get("rss_mb", 0.0)
    one = rows["clock"].get("rss_mb", 0.0)
    print(f"# resident memory per widget window: {(twelve - base) / 12:.2f} MB on average over twelve, "
          f"{(twelve - one) / 11:.2f} MB for each window after the first")
print()
print("# per thread: wake-ups per minute, voluntary + involuntary")
for name in sorted(rows):
    delta = switch_delta(name)
    if delta:
        parts = [f"{t}: {(v + n) * 60 / secs:.1f} ({v}+{n})" for t, (v, n) in sorted(delta.items())]
        print(f"{name:26} " + ", ".join(parts))
PY
