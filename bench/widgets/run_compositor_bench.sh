#!/usr/bin/env bash
# Measures idle clock widgets without a compositing manager (the windows are
# cut to their card's frame), then, the same processes, with xcompmgr running
# (the windows are blended), then without it again (cut again): CPU and
# wake-ups per minute of each process in each phase, so the cost of the cut
# can be read against the blended case. A third process is started once
# xcompmgr runs, for a window that was never cut before.
#   scripts/with-display bench/widgets/run_compositor_bench.sh BUILD_DIR [SECONDS]
# BUILD_DIR should be a release build with bench/widgets/widget_idle built.
set -euo pipefail

BUILD="${1:?usage: run_compositor_bench.sh BUILD_DIR [SECONDS]}"
SECONDS_TO_MEASURE="${2:-120}"
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
PROCSTAT="${PROCSTAT:-$ROOT/../shared/tools/procstat}"
IDLE="$BUILD/bench/widgets/widget_idle"
OUT="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$OUT"' EXIT

[ -x "$IDLE" ] || { echo "missing $IDLE" >&2; exit 2; }
[ -x "$PROCSTAT" ] || { echo "missing $PROCSTAT" >&2; exit 2; }
command -v xcompmgr >/dev/null || { echo "missing xcompmgr (scripts/setup)" >&2; exit 2; }

declare -A PIDS
start() { # name args...
  local name="$1"; shift
  "$IDLE" "$@" >"$OUT/$name.log" 2>&1 &
  PIDS[$name]=$!
}

# Voluntary + involuntary context switches of every thread of a process.
switches() { # pid
  local total=0 t v n
  for t in /proc/"$1"/task/*; do
    v=$(awk '/^voluntary_ctxt/ {print $2}' "$t/status" 2>/dev/null || echo 0)
    n=$(awk '/^nonvoluntary_ctxt/ {print $2}' "$t/status" 2>/dev/null || echo 0)
    total=$((total + ${v:-0} + ${n:-0}))
  done
  echo "$total"
}

measure() { # phase
  local phase="$1" name
  declare -A before
  for name in "${!PIDS[@]}"; do before[$name]=$(switches "${PIDS[$name]}"); done
  local stat_pids=()
  for name in "${!PIDS[@]}"; do
    "$PROCSTAT" "${PIDS[$name]}" "$SECONDS_TO_MEASURE" >"$OUT/$phase.$name.json" &
    stat_pids+=($!)
  done
  wait "${stat_pids[@]}"
  for name in "${!PIDS[@]}"; do
    echo "$name $(( $(switches "${PIDS[$name]}") - ${before[$name]} ))" >>"$OUT/$phase.switches"
  done
}

start clock_card clock
start clock_circle --shape circle clock
sleep 8 # start-up work done
measure "no-compositor"

xcompmgr >"$OUT/xcompmgr.log" 2>&1 &
PIDS[xcompmgr]=$!
start clock_circle_started_composited --shape circle clock
sleep 8
measure "xcompmgr"

kill "${PIDS[xcompmgr]}"
wait "${PIDS[xcompmgr]}" 2>/dev/null || true
unset 'PIDS[xcompmgr]'
sleep 8
measure "no-compositor-again"

python3 - "$OUT" "$SECONDS_TO_MEASURE" <<'PY'
import json, os, sys
out, secs = sys.argv[1], float(sys.argv[2])
print(f"# {secs:.0f} s per phase; wake-ups are context switches of all threads")
print(f"{'phase':20} {'process':32} {'cpu %':>7} {'wakeups/min':>12} {'rss MB':>7}")
for phase in ("no-compositor", "xcompmgr", "no-compositor-again"):
    sw = {}
    path = os.path.join(out, phase + ".switches")
    if os.path.exists(path):
        for line in open(path):
            name, count = line.split()
            sw[name] = int(count)
    for f in sorted(os.listdir(out)):
        if f.startswith(phase + ".") and f.endswith(".json"):
            name = f[len(phase) + 1:-5]
            r = json.load(open(os.path.join(out, f)))
            w = sw.get(name, 0) * 60 / secs
            print(f"{phase:20} {name:32} {r.get('cpu_percent', 0.0):7.3f} {w:12.1f} {r.get('rss_mb', 0.0):7.1f}")
PY
