#!/usr/bin/env bash
# Configures and builds one preset (default: "default"). Usage: scripts/build.sh [PRESET]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
extra=()
# Warnings fail CI's gcc builds; the clang fuzzing build reports its own but does not stop on them.
if [ -n "${CI:-}" ] && [ "$preset" != fuzz ]; then extra+=(-DSTOW_WERROR=ON); fi
# A compiler cache, where one is installed, makes rebuilds of unchanged files free.
if command -v ccache >/dev/null 2>&1; then
  extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}"
fi
cmake --preset "$preset" "${extra[@]}" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
