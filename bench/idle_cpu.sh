#!/usr/bin/env bash
# The CPU an idle `stowdesign edit` window uses: starts a virtual X server, opens a form with a
# bar (its heartbeat keeps ticking every 200 ms), lets it settle, then reads the program's user
# and system time from /proc/PID/stat over SECONDS seconds (default 10) and prints the share of
# one core. Usage: bench/idle_cpu.sh [STOWDESIGN] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/bin/stowdesign}
seconds=${2:-10}
work=$(mktemp -d)
trap 'kill $editor $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
display=
for n in $(seq 150 190); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
  if [ -e /tmp/.X11-unix/X$n ]; then display=:$n; break; fi
  kill $xvfb 2>/dev/null || true
done
[ -n "$display" ] || { echo "idle_cpu: no X server could start" >&2; exit 2; }
printf 'new form Form1 640 480\ndrop TTimer Timer1 at 16 16\ndrop TTable Table1 at 48 16\ndrop TStowbar Stowbar1\nwait 1\nsave form1.dfm\n' >"$work/make.stow"
"$bin" run "$work/make.stow" --out "$work" >/dev/null
DISPLAY=$display "$bin" edit "$work/form1.dfm" --out "$work" >"$work/edit.log" 2>&1 &
editor=$!
sleep 3 # the window opens, the bar collects and slides out of sight
ticks() { awk '{print $14 + $15}' "/proc/$editor/stat"; }
before=$(ticks)
sleep "$seconds"
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle CPU over %d s: %d ticks of 1/%d s = %.2f %% of one core\n", s, t, hz, 100 * t / hz / s }'
