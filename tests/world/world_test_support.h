// Helpers shared by the world's tests: worlds on the heap (one is about 800 KB) and ways to
// see which draws of the shared random source a step made.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world.h"

// A world with every field zero: all slots free, all populations 0. Its slots may be written
// until it is first stepped; later writes call lifeSlotsChanged.
std::unique_ptr<World> makeEmptyWorld();

// Sets life slots first .. last-1 of s to life.
void fillLife(Species& s, int first, int last, int32_t life);

int countAlive(const Species& s);

// The next n values of the shared random source from state, leaving the source as it was.
std::vector<int> drawsFrom(uint32_t state, int n);

// How many draws lead the random source from state from to state to, or -1 when more than
// limit would be needed. Leaves the source at to.
long drawsBetween(uint32_t from, uint32_t to, long limit);

// The first difference between two worlds (a field, a slot or a history entry), or "" when
// they are equal.
std::string firstDifference(const World& a, const World& b);
