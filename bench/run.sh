#!/usr/bin/env bash
# Builds the benchmarks (default preset) and prints the scale table of docs/performance.md: the
# time of opening, passes, a quiet tick, paste bursts, deleting a bar and saving for forms of
# 1,000, 5,000 and 20,000 components, their growth ratios and the memory per component; then the
# conversion against the reference converter when it can be built (bench/convert_vs_dfmconv.sh).
# Usage: bench/run.sh [n...]     (sizes; default 1000 5000 20000)
#        STOW_BENCH_ALL=1 bench/run.sh  also runs the Google Benchmark programs (bench_*).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target bench_scale_table stowdesign >/dev/null
echo "## Scale ($(nproc) cores, $(date -u +%Y-%m-%d))"
echo
build/bin/bench_scale_table "$@"
if [ -n "${STOW_BENCH_ALL:-}" ]; then
  cmake --build --preset default -j "$(nproc)" >/dev/null
  for b in build/bin/bench_*; do
    [ "$(basename "$b")" = bench_scale_table ] && continue
    echo
    echo "## $(basename "$b")"
    "$b" --benchmark_min_time=0.2s
  done
fi
if command -v fpc >/dev/null 2>&1; then
  echo
  echo "## Conversion of the generated 20,000-component form, whole processes"
  bench/convert_vs_dfmconv.sh build/bin/stowdesign 5
fi
