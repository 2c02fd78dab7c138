#!/usr/bin/env bash
# Static analysis of the program's own code: cppcheck, then clang-tidy with the
# checks of .clang-tidy. Fails on any finding. Usage: scripts/static-analysis.sh [build-dir]
# A finding that is no fault is silenced where it stands, with the reason beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
folders='game|net|display|shell|resources'

# useStlAlgorithm is taste: a plain loop reads as well as the algorithm it would become.
cppcheck -q --error-exitcode=1 --inline-suppr --std=c++20 --language=c++ -I . \
  --enable=warning,style,performance,portability \
  --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
  --template='{file}:{line}: {severity} ({id}): {message}' \
  game net display shell resources
echo "cppcheck: clean"

# clang-tidy reads the compile commands, with the Qt and SDL include paths among them.
cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
run-clang-tidy -quiet -j "$(nproc)" -p "$build" -header-filter="^$PWD/($folders)/" \
  "^$PWD/($folders)/.*\.cpp\$" >"$build/clang-tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u >&2 || cat "$build/clang-tidy.log" >&2
  echo "clang-tidy: findings above (whole output in $build/clang-tidy.log)" >&2
  exit 1
}
echo "clang-tidy: clean"
