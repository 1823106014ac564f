// The plain command: plays the games one after another on the program's world, printing each
// game's line, and writes the day-by-day table and the first game's chart when asked.
#pragma once

#include "options.h"

// Returns the exit status.
int playGames(const SimOptions& options);
