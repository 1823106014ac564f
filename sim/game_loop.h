// Games as the program plays them, tick by tick, on the one world and the one random source.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "parameters.h"
#include "world.h"

using DialogTexts = std::array<std::string, kParameterFieldCount>;

// The sixteen texts the dialog would hold: the typed ones in edit order, the defaults for the
// rest, each cut to what the dialog reads out of its edit.
DialogTexts dialogTexts(const std::vector<std::string>& typed);

struct GameSettings {
  DialogTexts texts;
  int dayLimit = 0;  // 0: no limit
  bool screenDraws = true;
};

// A level's population over a game's days, day 1 to the last.
struct LevelSpan {
  int32_t min;
  int32_t max;
  int32_t final;
};

struct GameResult {
  int32_t days;  // the record when extinct, otherwise the days run before the limit stopped it
  bool extinct;
  LevelSpan levels[kSpeciesCount];  // in SpeciesId order
};

// Puts the program back in its state when it starts: the random source at startState (what
// randomState() returns before anything has drawn), the world all zero.
void startAfresh(uint32_t startState);

// Called after every day with the day's number, counted from 1.
using DayListener = std::function<void(const World& w, int32_t day)>;

// Confirms the dialog with the settings' texts and runs ticks until a level dies out or the
// day limit is reached. Uses the global world and dayCount, and leaves dayCount at 0 as the
// game-over box does, so that the next call is the player's next game.
GameResult playGame(const GameSettings& settings, const DayListener& onDay);
