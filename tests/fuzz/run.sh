#!/usr/bin/env bash
# Builds one fuzz target with clang (libFuzzer, ASan, UBSan) and runs it on a copy of its seed corpus.
# Usage: run.sh NAME BUILD_DIR [SECONDS]. Fails on a crash, a sanitizer report or an input slower than 5 s.
set -euo pipefail
name=$1 build=$2 seconds=${3:-20}
here=$(cd "$(dirname "$0")" && pwd)
command -v clang++ >/dev/null || { echo "clang++ is missing: run scripts/setup.sh" >&2; exit 1; }
mkdir -p "$build"
# Several fuzz tests may start at once; they share one build, made by one at a time.
(
  flock 9
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build" --target "fuzz_$name"
) 9>"$build/.lock"
# The fuzzer adds the inputs it finds to its corpus: a copy, never the source tree.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp -r "$here/corpus_$name/." "$corpus"
# A failing input is kept beside the build for replaying: fuzz_NAME FILE.
mkdir -p "$build/failures_$name"
export UBSAN_OPTIONS=print_stacktrace=1
"$build/fuzz_$name" -max_total_time="$seconds" -timeout=5 \
  -artifact_prefix="$build/failures_$name/" "$corpus"
