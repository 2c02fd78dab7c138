// Headless clock: time moves only when the program sleeps or a test says so.
#include "shell/platform/Clock.h"
#include "shell/platform/null/NullControl.h"

static uint32_t g_now = 0;
static uint64_t g_slept = 0;

uint32_t TickCount() { return g_now; }

void SleepMs(uint32_t ms) {
  g_now += ms;
  g_slept += ms;
}

void NullSetClock(uint32_t ms) { g_now = ms; }
void NullAdvanceClock(uint32_t ms) { g_now += ms; }
uint64_t NullSleptMs() { return g_slept; }
