// --print-design: the combinations a run would play, as the game table would show their fields.
#pragma once

#include "sweep_plan.h"

// Writes "combination" and the sixteen field texts for each of the shard's combinations to
// standard output, and the number of games on standard error. Returns the exit status.
int printDesign(const SweepPlan& plan);
