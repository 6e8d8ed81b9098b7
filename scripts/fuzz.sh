#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build (make fuzz) for a set time each. New inputs
# that reach new code join the target's corpus in fuzz/corpus/<target>, which is then
# merged down to the inputs that still add coverage; an input that breaks a target is kept
# in <build>/crashes/<target>/ and the run fails.
#
#   bash scripts/fuzz.sh <fuzz build folder> <seconds per target>
set -uo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
targets=(textfile roundcard answerline settings journal version gamestate pack catalogue)

status=0
for target in "${targets[@]}"; do
  program="$build/fuzz/fuzz_$target"
  corpus="$root/fuzz/corpus/$target"
  found="$build/fuzz-found/$target"
  crashes="$build/crashes/$target"
  mkdir -p "$corpus" "$found" "$crashes"
  before=$(ls "$corpus" | wc -l)
  echo "# fuzz_$target: ${seconds}s"
  if ! "$program" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$crashes/" "$found" "$corpus" >"$build/fuzz-$target.log" 2>&1; then
    status=1
    echo "fuzz_$target: FAILED, see $build/fuzz-$target.log and $crashes"
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$build/fuzz-$target.log"
  merged="$build/fuzz-merged/$target"
  rm -rf "$merged" && mkdir -p "$merged"
  if "$program" -merge=1 "$merged" "$corpus" "$found" >"$build/fuzz-$target-merge.log" 2>&1; then
    rm -f "$corpus"/*
    cp "$merged"/* "$corpus"/ 2>/dev/null
  fi
  echo "fuzz_$target: corpus $before -> $(ls "$corpus" | wc -l) inputs"
done
exit $status
