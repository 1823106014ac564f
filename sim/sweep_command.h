// The sweep command: opens every file before any game is played, plays the sweep and writes
// its summary and chart.
#pragma once

#include "command.h"

// Returns the exit status.
int runSweep(const SimCommand& command);
