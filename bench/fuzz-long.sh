#!/usr/bin/env bash
# Runs every fuzz target of tests/fuzz/Targets.cmake for minutes rather than the tests' seconds,
# and prints each one's runs, coverage and speed. Fails when a target found a failing input.
# Usage: bench/fuzz-long.sh [BUILD_DIR [SECONDS_EACH]]   (defaults: build/fuzz, 300)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/fuzz} seconds=${2:-300}
mkdir -p "$build"
names=$(sed -n 's/^ploxen_fuzz(\([A-Za-z0-9_]*\) .*/\1/p' "$root/tests/fuzz/Targets.cmake")
failed=()
for name in $names; do
  log="$build/long_$name.log"
  if "$root/tests/fuzz/run.sh" "$name" "$build" "$seconds" >"$log" 2>&1; then
    echo "fuzz_$name, $seconds s: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n1)"
  else
    failed+=("$name")
    echo "fuzz_$name FAILED, log $log; failing inputs in $build/failures_$name/:"
    tail -n 30 "$log"
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "failed: ${failed[*]}"; exit 1; }
