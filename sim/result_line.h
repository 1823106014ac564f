// What the simulator prints for each game.
#pragma once

#include <string>

#include "game_loop.h"

// "記録：N日" as the game-over box shows it, or a line saying that the day limit stopped a
// game in which every level was still alive.
std::string resultLine(const GameResult& result);
