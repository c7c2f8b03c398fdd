#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs the whole suite in each, then runs each
# fuzzing harness for 30 seconds (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in default asan; do
  echo "== preset $preset"
  scripts/build.sh "$preset"
  ctest --preset "$preset" -j "$(nproc)"
done
echo "== fuzz"
scripts/fuzz.sh 30
