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

// Completes a game's series with how the game ended.
void endSeries(PopulationSeries& series, const GameResult& result);

// The chart of a sweep: the mean record against one varied field, a heat map over two, or,
// without a varied field, the populations of its first game, played again from startState.
std::string sweepChart(const SweepPlan& plan, const std::vector<CombinationSummary>& summaries,
                       uint32_t startState);

// The Kaplan-Meier curve of each combination, labelled by its texts of the fields that change
// between them, the legend headed by those fields' names.
std::string survivalChart(const SweepPlan& plan, const std::vector<CombinationSummary>& summaries);
