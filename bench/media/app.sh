# Sourced by the media benchmarks that drive the real app: finds the release
# binary (NIVORA_BIN names another), re-enters the script on a private virtual
# display, and gives it a scratch directory for settings and media that goes,
# with the app, when the script ends.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bin="${NIVORA_BIN:-$root/build/release/src/nivora}"
[ -x "$bin" ] || { echo "build the release first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" "$@"
fi
procstat="$root/../shared/tools/procstat"
[ -x "$procstat" ] || procstat=/work/shared/tools/procstat
work="$(mktemp -d)"
app=""
trap '[ -z "$app" ] || kill "$app" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
