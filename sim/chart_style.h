// What every chart shares: drawn on black like the game's own screen, so that the levels'
// yellow and green stay readable, in a font with Japanese glyphs.
#pragma once

#include <array>
#include <cstdio>

#include "species.h"

constexpr const char* kFont = "IPAPGothic, IPAGothic, 'Noto Sans CJK JP', sans-serif";
constexpr const char* kBackground = "#000000";
constexpr const char* kForeground = "#ffffff";
constexpr const char* kGrid = "#3a3a3a";
constexpr const char* kMuted = "#b0b0b0";

// The food chain's levels as the game screen names and colours them, in SpeciesId order.
struct Level {
  const char* name;
  char colour[8];  // "#rrggbb"
};
inline const Level& chartLevel(int k) {
  static const std::array<Level, kSpeciesCount> levels = [] {
    std::array<Level, kSpeciesCount> all{};
    for (int i = 0; i < kSpeciesCount; ++i) {
      const SpeciesColour& c = kSpeciesColours[i];
      all[i].name = kSpeciesNames[i];
      std::snprintf(all[i].colour, sizeof all[i].colour, "#%02x%02x%02x", c.red, c.green, c.blue);
    }
    return all;
  }();
  return levels[k];
}
