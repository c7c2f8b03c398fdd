#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays the stowdesign demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default
exec build/bin/stowdesign demo "$@"
