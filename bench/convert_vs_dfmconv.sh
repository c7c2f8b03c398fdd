#!/usr/bin/env bash
# Times `stowdesign convert` against the reference converter (dfmconv) on the large generated
# form (genform.py: 20,000 non-visual components and 4 bars), whole processes, both directions.
# Uses hyperfine when installed, else a loop of RUNS runs reporting the median wall time.
# Usage: bench/convert_vs_dfmconv.sh [STOWDESIGN [RUNS]]
#   STOWDESIGN defaults to build/bin/stowdesign; dfmconv is built into a temporary folder with
#   ../shared/tools/dfmconv/build.sh (needs fpc).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
stow=${1:-$repo/build/bin/stowdesign}
runs=${2:-15}
tools=$repo/../shared/tools/dfmconv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tools/build.sh" "$work" >/dev/null
conv=$work/dfmconv
python3 "$tools/genform.py" "$work/big.dfm" >/dev/null
"$conv" t2b "$work/big.dfm" "$work/big.bin"
echo "form: $(wc -c < "$work/big.dfm") bytes of text, $(wc -c < "$work/big.bin") bytes binary"

# median_ms CMD...: the median wall time of $runs runs, in ms (one run first to warm the cache)
median_ms() {
  "$@" >/dev/null
  for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    echo $(( (t1 - t0) / 1000 ))
  done | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'
}

if command -v hyperfine >/dev/null 2>&1; then
  hyperfine -N -w 3 -r "$runs" \
    -n "dfmconv t2b" "$conv t2b $work/big.dfm $work/out1.bin" \
    -n "stowdesign text->binary" "$stow convert $work/big.dfm $work/out2.bin" \
    -n "dfmconv b2t" "$conv b2t $work/big.bin $work/out1.txt" \
    -n "stowdesign binary->text" "$stow convert $work/big.bin $work/out2.txt"
else
  for dir in t2b b2t; do
    if [ $dir = t2b ]; then in=$work/big.dfm; out=out.bin; else in=$work/big.bin; out=out.txt; fi
    ref=$(median_ms "$conv" $dir "$in" "$work/ref-$out")
    own=$(median_ms "$stow" convert "$in" "$work/own-$out")
    echo "$dir: dfmconv $ref ms, stowdesign $own ms (ratio $(awk "BEGIN { printf \"%.2f\", $own / $ref }"))"
  done
fi
