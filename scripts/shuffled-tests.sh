#!/usr/bin/env bash
# Runs each headless test program three times in a shuffled order, so a case that leans
# on what an earlier one left behind fails here. The programs that start other processes
# (test_net_processes) or real devices and windows (test_audio_sdl, test_qt*) are left out:
# they are slow and hold their own state.
set -euo pipefail
build=${1:-build}
for t in rules rules_alone window dialogs image net audio; do
  "$build/tests/test_$t" --gtest_shuffle --gtest_repeat=3 --gtest_brief=1 >/dev/null ||
    { echo "shuffled-tests: test_$t failed in a shuffled order" >&2; exit 1; }
done
echo "shuffled-tests: every headless test program passes in three shuffled orders"
