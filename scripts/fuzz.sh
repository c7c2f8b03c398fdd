#!/usr/bin/env bash
# Builds the libFuzzer harnesses (the "fuzz" preset: clang, ASan + UBSan) and runs each for
# SECONDS (default 30), from seeds taken from the real form files and the tests. New inputs are
# kept in build-fuzz/corpus/HARNESS between runs; a crash is written to build-fuzz/findings/ and
# makes the exit status 1. Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]
#   harnesses: TextReader BinaryReader RoundTrip OpenForm ScriptParser
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(TextReader BinaryReader RoundTrip OpenForm ScriptParser)

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/setup.sh installs it)"; exit 2; }
scripts/build.sh fuzz
build=build-fuzz
bin=$build/bin

# Seeds: the real form files (../shared/corpus when it is there), the forms of the tests and the
# converter's samples; binary seeds are the text ones converted; scripts are the scenarios.
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds/text" "$seeds/binary" "$seeds/script"
n=0
for f in ../shared/corpus/dfm/*.[dl]fm ../shared/tools/dfmconv/samples/* tests/scenarios/forms/*.[dl]fm \
         tests/golden/*.dfm; do
  [ -f "$f" ] || continue
  n=$((n + 1))
  if head -c 4 "$f" | grep -q 'TPF0' || head -c 3 "$f" | od -An -tx1 | grep -q 'ff 0a 00'; then
    cp "$f" "$seeds/binary/$n.dfm"
  else
    cp "$f" "$seeds/text/$n.dfm"
    "$bin/stowdesign" convert "$f" "$seeds/binary/$n-b.dfm" --binary >/dev/null 2>&1 || true
  fi
done
for f in tests/scenarios/*.stow docs/*.md; do
  [ -f "$f" ] && cp "$f" "$seeds/script/"
done

seedsOf() {
  case $1 in
    TextReader|RoundTrip) echo "$seeds/text" ;;
    BinaryReader) echo "$seeds/binary" ;;
    OpenForm) echo "$seeds/text $seeds/binary" ;;
    ScriptParser) echo "$seeds/script" ;;
  esac
}
dictOf() {
  case $1 in
    ScriptParser) echo fuzz/script.dict ;;
    *) echo fuzz/formfile.dict ;;
  esac
}

mkdir -p $build/findings
status=0
summary=()
for h in "${harnesses[@]}"; do
  corpus=$build/corpus/$h
  mkdir -p "$corpus"
  log=$build/fuzz-$h.log
  echo "== fuzz $h for $seconds s"
  # shellcheck disable=SC2046
  if ! "$bin/fuzz_$h" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 -max_len=65536 \
        -dict="$(dictOf "$h")" -artifact_prefix="$build/findings/$h-" -print_final_stats=1 \
        "$corpus" $(seedsOf "$h") >"$log" 2>&1; then
    status=1
    echo "fuzz: $h found a fault; the input is in $build/findings/, the log in $log"
    grep -E 'ERROR|SUMMARY|fuzz:' "$log" | head -5 || true
  fi
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo "?")
  summary+=("$h: $runs executions in $seconds s, corpus $(ls "$corpus" | wc -l) inputs")
done
echo "== fuzz summary"
printf '%s\n' "${summary[@]}"
exit $status
