// The single pseudo-random source of the program: a linear congruential generator that starts
// at state 1 and is never reseeded, so a game's course depends only on its fields and on
// everything else that drew before it.
#pragma once

#include <cstdint>

// Next value in 0..32767.
int randomNext();

// For tests and tools that replay a sequence: the generator's whole state.
uint32_t randomState();
void setRandomState(uint32_t state);
