// What a game's row tells beyond its record: which levels died out, and each level's lowest,
// highest and last population over the game's days.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game_loop.h"

// Widens the result's level spans by the populations after day (counted from 1).
void addDayToSpans(GameResult& result, const World& w, int32_t day);

// A result as whole numbers, as a worker hands it over: days, extinct, then each level's min,
// max and final.
constexpr size_t kGameValues = 2 + 3 * kSpeciesCount;
void appendGameValues(const GameResult& result, std::vector<int32_t>& values);
GameResult gameFromValues(const int32_t* values);

// ",extinct,large.min,large.max,large.final,...,plants.final"
std::string outcomeColumnNames();
// ",EXTINCT,MIN,MAX,FINAL,..." where EXTINCT names the levels at 0 or less on the last day
// ("large", "small", "herbivores", "plants", joined by "+"), empty for a stopped game.
std::string outcomeColumns(const GameResult& result);
// Reads outcomeColumns' text for a result whose days and extinct are known; false when the
// text is not what outcomeColumns would write for it.
bool readOutcomeColumns(const std::string& text, GameResult& result);
