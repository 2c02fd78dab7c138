#!/usr/bin/env bash
# The program, its window and dialog tests and one end-to-end Solo run, built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer: a use after free or undefined behaviour in
# the window layer fails the run. Takes a build directory (default build-sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" "${launcher[@]}" >/dev/null
# Qt and the font libraries keep what they allocate until exit: leaks are not this run's concern.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
cmake --build "$build" --target ploxen shot-check ploxen-gif ploxen-sounds test_window \
  test_dialogs test_qt test_qt_dialogs
ctest --test-dir "$build" --output-on-failure -L 'window|dialogs'
ctest --test-dir "$build" --output-on-failure -R '^e2e\.solo$'
