#!/usr/bin/env bash
# The dashboard window: opening and section-change times to the next complete
# paint, memory over 100 open/close cycles, and wake-ups per second while it is
# open on a still page and while it is closed.
#   scripts/with-display bench/dashboard/run.sh BUILD_DIR [SECONDS]
# BUILD_DIR should be a release build with bench/dashboard/dashboard_bench built.
set -euo pipefail

BUILD="${1:?usage: run.sh BUILD_DIR [SECONDS]}"
SECONDS_TO_MEASURE="${2:-20}"
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
PROCSTAT="${PROCSTAT:-$ROOT/../shared/tools/procstat}"
BENCH="$BUILD/bench/dashboard/dashboard_bench"
OUT="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$OUT"' EXIT

[ -x "$BENCH" ] || { echo "missing $BENCH" >&2; exit 2; }
[ -x "$PROCSTAT" ] || { echo "missing $PROCSTAT" >&2; exit 2; }

echo "timing and memory:"
"$BENCH"

"$BENCH" --idle >"$OUT/idle.log" 2>&1 &
IDLE=$!
"$BENCH" --hidden >"$OUT/hidden.log" 2>&1 &
HIDDEN=$!
# Let both settle (first paints, the closing of the hidden one).
sleep 3
"$PROCSTAT" "$IDLE" "$SECONDS_TO_MEASURE" --threads >"$OUT/idle.json" &
P1=$!
"$PROCSTAT" "$HIDDEN" "$SECONDS_TO_MEASURE" --threads >"$OUT/hidden.json" &
P2=$!
wait "$P1" "$P2"
echo "open on the About page: $(cat "$OUT/idle.json")"
echo "closed: $(cat "$OUT/hidden.json")"
