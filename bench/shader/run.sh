#!/usr/bin/env bash
# Times every scene of the shader offscreen on the display's GL (llvmpipe under
# scripts/with-display). Give it a Release build directory.
#   bench/shader/run.sh BUILD_DIR [bench_shader options]
set -euo pipefail
build="${1:?usage: bench/shader/run.sh BUILD_DIR (a Release build) [--frames N] [--warmup N] [--size WxH]}"
shift
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../../scripts/with-display" "$build/bench/shader/bench_shader" "$@"
fi
exec "$build/bench/shader/bench_shader" "$@"
