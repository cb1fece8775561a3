#!/usr/bin/env bash
# Runs the pattern benchmark pinned to one core.
#   bench/patterns/run.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: bench/patterns/run.sh BUILD_DIR (a Release build)}"
exec taskset -c 0 "$build/bench/patterns/bench_patterns"
