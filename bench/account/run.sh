#!/usr/bin/env bash
# The account store's cost: memory and threads it adds to a process before any
# request (expected: nothing), and what the first request adds.
#   bench/account/run.sh [BUILD_DIR]
# Measured from /proc with procstat, on a private virtual display.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${1:-$ROOT/build/release}"
BIN="$BUILD/bench/account/bench_account_store"
[ -x "$BIN" ] || { echo "build bench_account_store first (cmake --build --preset release --target bench_account_store)" >&2; exit 2; }
PROCSTAT=/work/shared/tools/procstat

export BIN PROCSTAT
exec "$ROOT/scripts/with-display" bash -c '
set -euo pipefail
WORK=$(mktemp -d); trap "rm -rf $WORK" EXIT
"$BIN" 4000 > "$WORK/phases" &
APP=$!
for phase in baseline store request; do
  for _ in $(seq 1 200); do grep -q "^phase $phase " "$WORK/phases" && break; sleep 0.05; done
  sleep 0.5
  printf "%-9s %s\n" "$phase" "$("$PROCSTAT" "$APP" 2 --threads | tr -d "\n")"
done
wait "$APP"
'
