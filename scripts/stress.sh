#!/usr/bin/env bash
# Plays a long random design session (default build) with every check after every step.
# Usage: scripts/stress.sh [STEPS] [SEED]   (defaults: 1000000 steps, seed 1)
# A failure leaves the commands played in build/stress-session.stow, a script that
# `stowdesign run` replays.
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-1000000}
seed=${2:-1}
scripts/build.sh default >/dev/null
exec build/bin/stress_session --ops "$steps" --seed "$seed" --keep build/stress-session.stow
