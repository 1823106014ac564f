// The sweep's two tables as text: one row per game, and one row per combination.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game_loop.h"
#include "survival.h"
#include "sweep_plan.h"

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text);

// ",large.population,...,drought", and a combination's sixteen texts as ",TEXT,...".
std::string fieldColumnNames();
std::string fieldColumnTexts(const SweepPlan& plan, int64_t combination);

// "combination,repetition,large.population,...,drought,record,stopped,extinct,large.min,...\n"
std::string gameTableHeader();
// One game's row; combination counts from 1 in the whole sweep, repetition from 1.
std::string gameTableRow(const SweepPlan& plan, int64_t combination, int repetition,
                         const GameResult& result);

// The complete rows at the start of an earlier run's table of this same sweep and shard.
struct ExistingRows {
  size_t bytes = 0;                 // what to keep of the file: the header and complete rows
  std::vector<GameResult> results;  // the shard's games in order, as far as the table goes
};
// Fails when the text is not a table of this sweep.
bool readExistingRows(const std::string& text, const SweepPlan& plan, ExistingRows& rows,
                      std::string& error);

// The varied fields, then "games,mean,min,median,max,stopped,sd,mean_low,mean_high,km_median,
// rmst": mean_low and mean_high a 95% interval of the mean; km_median and rmst treat a game
// stopped by the day limit as cut off (the Kaplan-Meier median, empty when the survival curve
// never falls to one half, and the mean survival restricted to the day limit or, without one,
// to the longest game).
std::string summaryHeader(const SweepPlan& plan);

struct CombinationSummary {
  int64_t combination = 0;
  int games = 0;
  double mean = 0;
  int32_t min = 0;
  int32_t max = 0;
  std::string median;  // a whole number or one ending in ".5"
  int stopped = 0;     // games that the day limit ended
  double sd = 0;
  double meanLow = 0;
  double meanHigh = 0;
  std::string kmMedian;
  double rmst = 0;
  std::vector<SurvivalStep> curve;  // the Kaplan-Meier curve of its games
};
// dayLimit: the sweep's --days, 0 for none.
CombinationSummary summarize(int64_t combination, const std::vector<GameResult>& results,
                             int dayLimit);
std::string summaryRow(const SweepPlan& plan, const CombinationSummary& summary);

// The whole summary: the settings' comment lines, the header and a row per combination.
std::string summaryText(const std::vector<std::string>& settings, const SweepPlan& plan,
                        const std::vector<CombinationSummary>& summaries);
