#!/usr/bin/env bash
# What installing costs: the size of the Debian package and of the installed
# (stripped) binary, and the start-up time of the installed binary against the
# build tree's (process start to the event loop running, runs interleaved).
#   bench/install/run.sh [BUILD_DIR] [RUNS]
# Needs a configured and built tree (default build/release); runs on a private
# virtual display.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build/release}" && pwd)"
RUNS="${2:-15}"
[ -x "$BUILD/src/nivora" ] || { echo "build first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }

WORK=$(mktemp -d /tmp/nivora-install-bench.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
DESTDIR="$WORK/root" cmake --install "$BUILD" --prefix /usr --strip >/dev/null
deb=$("$ROOT/scripts/package" "$BUILD" "$WORK/package" | tail -n 1)

echo "deb_bytes $(stat -c %s "$deb") ($(basename "$deb"))"
echo "installed_binary_bytes $(stat -c %s "$WORK/root/usr/bin/nivora") (stripped)"
echo "build_tree_binary_bytes $(stat -c %s "$BUILD/src/nivora")"
echo "bundled_resource_bytes $(stat -c %s "$BUILD/src/assets/qrc_bundled_assets.cpp") (generated C++ source)"

export RUNS INSTALLED="$WORK/root/usr/bin/nivora" BUILT="$BUILD/src/nivora" WORK
"$ROOT/scripts/with-display" bash -c '
set -euo pipefail
export XDG_CONFIG_HOME=$WORK/config
start() { # start BINARY -> microseconds from exec to ready
  local t0 ready
  t0=$(date +%s%6N)
  NIVORA_REPORT_READY=exit "$1" 2>"$WORK/err" || true
  ready=$(sed -n "s/^nivora: ready \([0-9]*\)$/\1/p" "$WORK/err")
  [ -n "$ready" ] || { cat "$WORK/err" >&2; exit 1; }
  echo $(( ready - t0 ))
}
start "$INSTALLED" >/dev/null; start "$BUILT" >/dev/null   # warm the page cache
for _ in $(seq 1 "$RUNS"); do
  start "$INSTALLED" >>"$WORK/installed"
  start "$BUILT" >>"$WORK/built"
done
median() { sort -n "$1" | awk "{v[NR]=\$1} END{printf \"%.1f\", v[int((NR+1)/2)]/1000}"; }
mi=$(median "$WORK/installed"); mb=$(median "$WORK/built")
echo "startup_ms_median installed $mi build_tree $mb (runs $RUNS each) ratio $(awk -v a=$mi -v b=$mb "BEGIN{printf \"%.3f\", a/b}")"
'
