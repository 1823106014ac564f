// The colour of each level: its legend text, its graph line and its dots.
#pragma once

#include "world.h"

struct SpeciesColour {
  int red;
  int green;
  int blue;
};

constexpr SpeciesColour kSpeciesColours[kSpeciesCount] = {
    {255, 0, 0},    // large carnivores
    {255, 0, 255},  // small carnivores
    {255, 255, 0},  // herbivores
    {0, 255, 0},    // plants
};
