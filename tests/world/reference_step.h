// The daily step written the plain way: every birth scans the level's slots from 0 for the
// first free one. Slow on crowded days, but obviously right, so the game's step is checked
// and timed against it.
#pragma once

#include <cstdint>

#include "world.h"

void referenceStepWorld(World& w, int32_t day);
