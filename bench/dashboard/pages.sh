#!/usr/bin/env bash
# Measures the dashboard pages: each page's first show to the end of its first
# paint, and each page open and idle for SECONDS with procstat (CPU and
# wake-ups). The two pages with a live preview are set against the offscreen
# harness drawing the same scene at the preview's pixel size and 30 frames per
# second. Give it a Release build directory; it runs inside scripts/with-display.
#   bench/dashboard/pages.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="${1:?usage: bench/dashboard/pages.sh BUILD_DIR [SECONDS]}"
secs="${2:-10}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display" "$0" "$@"
fi
bench="$build/bench/dashboard/bench_pages"
harness="$build/bench/shader/bench_shader"
procstat="$here/../../../shared/tools/procstat"
[ -x "$procstat" ] || procstat=/work/shared/tools/procstat
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

echo "== first show to the end of the first paint (median of 5, ms)"
"$bench" --first-paint --repeat 5

# Starts "$@", waits for "ready", settles 1 s, measures for $secs seconds.
measure() {
  local label="$1"; shift
  "$@" >"$work/$label.out" 2>"$work/$label.err" &
  local pid=$!
  for _ in $(seq 1 300); do grep -q ready "$work/$label.out" && break; sleep 0.1; done
  sleep 1
  "$procstat" "$pid" "$secs" --threads >"$work/$label.json" 2>/dev/null || true
  wait "$pid" || echo "$label exited with status $?" >&2
}

summary() {
  python3 - "$1" "$2" <<'PY'
import json, sys
label, path = sys.argv[1], sys.argv[2]
try:
    d = json.load(open(path))
except Exception as e:
    print(f"{label}: no measurement ({e})"); sys.exit()
main = d.get("by_thread", {}).get("bench_pages", {})
print(f"{label}: cpu% {d.get('cpu_percent')}  wake-ups/s {d.get('wakeups_per_s')}  "
      f"(main thread wake-ups/s {main.get('wakeups_per_s', '?')})  rss {d.get('rss_mb')} MB")
PY
}

echo "== idle, ${secs} s each"
for page in performance media widgets displays scenes colors; do
  measure "$page" "$bench" --idle "$((secs + 3))" --page "$page"
  summary "$page" "$work/$page.json"
  tail -n 1 "$work/$page.out"
  case "$page" in
    scenes|colors)
      size="$(python3 -c 'import json,sys; print(json.loads(open(sys.argv[1]).read().splitlines()[-1])["previewSize"])' "$work/$page.out")"
      measure "$page.harness" "$harness" --run "$((secs + 3))" --scene 0 --size "$size" --fps 30
      summary "$page harness $size @30" "$work/$page.harness.json"
      ;;
  esac
done
