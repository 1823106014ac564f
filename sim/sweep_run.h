// Plays a sweep's games on worker processes and keeps its books: the game table's rows in
// sweep order as they complete, and each combination's summary. Each worker plays a whole
// combination at a time as a freshly started program would: the random source back at its
// start state, the world as the program finds it, then the combination's games one after
// another. So every row equals what "velmoria-sim --games R" prints for those fields, and the
// tables do not depend on the number of workers or on the order in which they finish.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game_loop.h"
#include "output_file.h"
#include "sweep_plan.h"
#include "sweep_table.h"

struct SweepRun {
  const SweepPlan& plan;
  uint32_t startState;
  int jobs;
  OutputFile* table;      // nullptr: no game table
  OutputFile* daysTable;  // nullptr: no days-table
  // The shard's first games, kept from an earlier run's table: not played again.
  const std::vector<GameResult>& kept;
};

// Plays the rest of the shard. summaries gets one row per combination of the shard.
bool playSweep(const SweepRun& run, std::vector<CombinationSummary>& summaries, std::string& error);
