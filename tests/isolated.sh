#!/usr/bin/env bash
# Runs one test on a desktop of its own: a private X display with openbox, a
# private session bus and private XDG directories. Tests that bring up windows,
# register on the bus or write settings can then run side by side without
# seeing each other's windows, services or files.
#   tests/isolated.sh COMMAND [ARGS...]
set -uo pipefail
home="$(mktemp -d /tmp/nivora-test.XXXXXX)"
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# A session of its own, so that whatever the test's bus started on demand
# (kglobalaccel for KWin, gvfs daemons…) goes with it: a survivor would hold
# the test's output open and ctest would wait for it until the time-out.
setsid "$(dirname "${BASH_SOURCE[0]}")/../scripts/with-display" "$@" &
leader=$!
finish() {
  kill -TERM -- "-$leader" 2>/dev/null
  sleep 0.2
  kill -KILL -- "-$leader" 2>/dev/null
  rm -rf "$home"
}
trap 'finish; exit 143' TERM INT
wait "$leader"
rc=$?
finish
exit "$rc"
