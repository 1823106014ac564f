// What the charts are drawn from: a game's populations day by day, and a sweep's summaries.
#pragma once

#include <string>
#include <vector>

#include "game_loop.h"
#include "svg_chart.h"
#include "sweep_plan.h"
#include "sweep_table.h"

// Adds the populations after one day to a game's series.
void addDay(PopulationSeries& series, const World& w);

// Plays one game on the program's world from its current state, keeping every day.
PopulationSeries playRecordingPopulations(const GameSettings& settings);

// The mean record against one varied field, or a heat map over two.
std::string sweepChart(const SweepPlan& plan, const std::vector<CombinationSummary>& summaries);
