// The monotonic clock, and the sleep that first puts the drawn picture on the screen.
#include <time.h>

#include "shell/platform/Clock.h"
#include "shell/platform/qt/QtBackend.h"

uint32_t TickCount() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return uint32_t(uint64_t(t.tv_sec) * 1000u + uint64_t(t.tv_nsec) / 1000000u);
}

// The picture drawn before a pause is the one the pause shows.
void SleepMs(uint32_t ms) {
  ShowWindowNow();
  timespec t{time_t(ms / 1000), long(ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0) {
  }
}
