#!/usr/bin/env bash
# Start-up time of the release build (process start to the event loop running),
# and how many times the settings file is written for one burst of changes.
#   bench/startup/run.sh [RUNS]
# Runs on a private virtual display; needs a release build (scripts/run builds one).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BIN="${NIVORA_BIN:-$ROOT/build/release/src/nivora}"
RUNS="${1:-20}"
[ -x "$BIN" ] || { echo "build the release first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }

export BIN RUNS
exec "$ROOT/scripts/with-display" bash -c '
set -euo pipefail
WORK=$(mktemp -d); trap "rm -rf $WORK" EXIT
export XDG_CONFIG_HOME=$WORK/config
times=()
for i in $(seq 1 "$RUNS"); do
  t0=$(date +%s%6N)
  NIVORA_REPORT_READY=exit "$BIN" 2>"$WORK/err" || true
  ready=$(sed -n "s/^nivora: ready \([0-9]*\)$/\1/p" "$WORK/err")
  [ -n "$ready" ] || { cat "$WORK/err" >&2; exit 1; }
  times+=($(( ready - t0 )))
done
printf "%s\n" "${times[@]}" | sort -n > "$WORK/t"
n=$(wc -l < "$WORK/t")
median=$(sed -n "$(( (n + 1) / 2 ))p" "$WORK/t")
echo "startup_ms_median $(awk -v v=$median "BEGIN{printf \"%.1f\", v/1000}") (runs $n, min $(awk "NR==1{printf \"%.1f\", \$1/1000}" $WORK/t), max $(awk "END{printf \"%.1f\", \$1/1000}" $WORK/t))"

# One burst of changes: ten settings written back to back through ctl.
"$BIN" & APP=$!
for _ in $(seq 1 100); do "$BIN" ctl get fps >/dev/null 2>&1 && break; sleep 0.05; done
mkdir -p "$XDG_CONFIG_HOME/nivora"
inotifywait -q -m -e create,moved_to --format "%e %f" "$XDG_CONFIG_HOME/nivora" > "$WORK/events" &
WATCH=$!
sleep 0.3
start=$(date +%s%3N)
for v in 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1.0; do "$BIN" ctl set speed $v; done
end=$(date +%s%3N)
sleep 1.5
kill $WATCH 2>/dev/null || true
writes=$(grep -c " defaults.json$" "$WORK/events" || true)
echo "burst_ms $(( end - start )) settings_file_writes $writes"
"$BIN" ctl quit >/dev/null; wait $APP || true
'
