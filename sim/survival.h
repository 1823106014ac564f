// Survival of games whose record is cut off by --days: the Kaplan-Meier estimate, its 95%
// band, its median and the restricted mean. A game either ended (a level died out on its
// last day) or was stopped (still alive when the day limit came); a stopped game counts as
// at risk on its last day and leaves the risk set after it.
#pragma once

#include <optional>
#include <vector>

struct GameSurvival {
  int days;      // the game's record: its last day
  bool stopped;  // true when the day limit ended it, not an extinction
};

struct SurvivalStep {
  int day;
  int atRisk;   // games that reached this day
  int ended;    // of them, games that died out on this day
  int stopped;  // of them, games cut off on this day
  double survival;
  double lower;  // 95% band, Greenwood's variance on the log(-log) scale
  double upper;
};

// One step per day on which some game ended or was stopped, in day order.
std::vector<SurvivalStep> kaplanMeier(std::vector<GameSurvival> games);

// The first day on which the curve is at or below one half; none when it never falls so far.
std::optional<int> kaplanMeierMedian(const std::vector<SurvivalStep>& curve);

// The area under the curve from day 0 to limit: the mean number of days survived when every
// game is cut off at limit.
double restrictedMeanSurvival(const std::vector<SurvivalStep>& curve, int limit);
