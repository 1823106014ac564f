// Worlds that make the daily step work hard: every level close to the birth cap, so that
// nearly every living individual attempts a birth.
#pragma once

#include <cstdint>
#include <memory>

#include "parameters.h"
#include "world.h"

// The parameter texts of a game that, from a fresh random source, keeps its four levels at
// around ten thousand each (two to three times the defaults' peak) for kHeavyGameDays days.
extern const char* const kHeavyGameTexts[kParameterFieldCount];
constexpr int kHeavyGameDays = 252;

// Every level holds 19999 individuals in its lowest slots: each birth that the literal step
// makes walks over all of them.
std::unique_ptr<World> packedWorld();

// Every level holds 19999 individuals spread over its first 32768 slots.
std::unique_ptr<World> scatteredWorld();

// The heavy game's world as it stands after its day-th day, with the random state it leaves.
std::unique_ptr<World> heavyGameWorld(int day, uint32_t& randomStateAfter);
