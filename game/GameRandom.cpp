// Our own 32-bit linear congruential generator, so that peers draw the same pieces.
#include "game/GameRandom.h"

static uint32_t g_state = 1;

void SeedRandom(uint32_t seed) { g_state = seed; }

int NextRandom() {
  g_state = g_state * 214013u + 2531011u;
  return int((g_state >> 16) & 0x7FFF);
}
