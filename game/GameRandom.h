// GameRandom: the one pseudo-random source of the whole program.
#pragma once
#include <cstdint>

// Sets the generator's state; equal seeds give equal sequences on every machine.
void SeedRandom(uint32_t seed);

// Advances the state and returns its bits 16..30: 0..32767.
int NextRandom();
