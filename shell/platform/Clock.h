// Platform clock: the program's only source of time.
#pragma once
#include <cstdint>

// Milliseconds since an arbitrary origin; wraps at 2^32 like any tick counter.
uint32_t TickCount();

// Blocks the program's one thread for ms milliseconds; the tick count moves on by as much.
void SleepMs(uint32_t ms);
