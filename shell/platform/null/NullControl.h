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
void NullResetRecords();  // also forgets the messages below

// What the MessageLog drew, read back from the log's font: index 0 is the newest
// of the last 64 messages since the last reset, whole however it wrapped;
// nullptr and 0 past the last.
const char* MessageLine(int index);
uint32_t MessageColour(int index);
void NullForgetMessages();

// Exit code of a headless main loop that found nothing left to wait for.
constexpr int NullIdleExit = -99;
