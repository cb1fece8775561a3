#!/usr/bin/env bash
# Runs the folder-icon benchmark on a private virtual display (with its own
# session bus and gvfs), pinned to one core.
#   bench/folder-icons/run.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: bench/folder-icons/run.sh BUILD_DIR (a Release build)}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache"
exec "$root/scripts/with-display" taskset -c 0 "$build/bench/folder-icons/bench_folder_icons"
