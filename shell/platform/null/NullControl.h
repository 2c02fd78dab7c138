// Test controls of the headless back end: the fake clock and what it recorded.
#pragma once
#include <cstdint>

// Sets the fake tick counter; sleeps and NullAdvanceClock move it on.
void NullSetClock(uint32_t ms);
void NullAdvanceClock(uint32_t ms);

// Total milliseconds slept through SleepMs since the program started.
uint64_t NullSleptMs();

// Window rectangles reported changed since the last reset, as one bounding box
// and a count; tests read exactly which strip a copy touched.
struct NullDamage {
  int count;
  int x0, y0, x1, y1;  // x1, y1 exclusive
};
NullDamage NullWindowDamage();
void NullResetRecords();

// Exit code of a headless main loop that found nothing left to wait for.
constexpr int NullIdleExit = -99;
