// The four levels as every screen shows them, in SpeciesId order: the name of each (legend,
// charts) and its colour (legend text, graph line, dots).
//
// The names are literals in this header, not in a source file, so that each build writes them
// in its own narrow character set: Shift-JIS where the Windows program is compiled with
// -fexec-charset=CP932, UTF-8 in the simulator and the web module. Namespace-scope constants
// have internal linkage, so translation units built with different character sets never share
// one definition.
#pragma once

#include "world.h"

constexpr const char* const kSpeciesNames[kSpeciesCount] = {
    "大型肉食動物",
    "小型肉食動物",
    "草食動物",
    "緑色植物",
};

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
