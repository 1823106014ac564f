// What every chart shares: drawn on black like the game's own screen, so that the levels'
// yellow and green stay readable, in a font with Japanese glyphs.
#pragma once

constexpr const char* kFont = "IPAPGothic, IPAGothic, 'Noto Sans CJK JP', sans-serif";
constexpr const char* kBackground = "#000000";
constexpr const char* kForeground = "#ffffff";
constexpr const char* kGrid = "#3a3a3a";
constexpr const char* kMuted = "#b0b0b0";

// The food chain's levels as the game screen names and colours them, in SpeciesId order.
struct Level {
  const char* name;
  const char* colour;
};
constexpr Level kLevels[4] = {
    {"大型肉食動物", "#ff0000"},
    {"小型肉食動物", "#ff00ff"},
    {"草食動物", "#ffff00"},
    {"緑色植物", "#00ff00"},
};
