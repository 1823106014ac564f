#include "survival.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZ975 = 1.959963984540054;

// The band around s with Greenwood's sum g = sum d / (n (n - d)), on the log(-log s) scale,
// which keeps it inside [0, 1].
void setBand(SurvivalStep& step, double greenwood) {
  double s = step.survival;
  if (s <= 0.0 || s >= 1.0) {
    step.lower = step.upper = s;
    return;
  }
  double logS = std::log(s);
  double spread = kZ975 * std::sqrt(greenwood) / std::fabs(logS);
  step.lower = std::pow(s, std::exp(spread));
  step.upper = std::pow(s, std::exp(-spread));
}

}  // namespace

std::vector<SurvivalStep> kaplanMeier(std::vector<GameSurvival> games) {
  std::sort(games.begin(), games.end(),
            [](const GameSurvival& a, const GameSurvival& b) { return a.days < b.days; });
  std::vector<SurvivalStep> curve;
  double greenwood = 0.0;
  int atRisk = static_cast<int>(games.size());
  // Between days that cut games off, the factors (n - d) / n of the product telescope: the
  // curve is its value at the last such day times the share of the games then at risk that
  // have not ended since. One division instead of a product of many keeps it exact where it
  // can be, so that a curve that falls to one half is at one half, not a rounding above it.
  double atLastCutOff = 1.0;
  int atRiskAfterCutOff = atRisk;
  int endedSinceCutOff = 0;
  for (size_t i = 0; i < games.size();) {
    SurvivalStep step{games[i].days, atRisk, 0, 0, 0.0, 0.0, 0.0};
    for (; i < games.size() && games[i].days == step.day; ++i) {
      ++(games[i].stopped ? step.stopped : step.ended);
    }
    if (step.ended > 0 && atRisk > step.ended) {
      greenwood += static_cast<double>(step.ended) / (atRisk * double(atRisk - step.ended));
    }
    endedSinceCutOff += step.ended;
    step.survival = atLastCutOff * (atRiskAfterCutOff - endedSinceCutOff) / atRiskAfterCutOff;
    setBand(step, greenwood);
    curve.push_back(step);
    atRisk -= step.ended + step.stopped;
    if (step.stopped > 0) {
      atLastCutOff = step.survival;
      atRiskAfterCutOff = atRisk;
      endedSinceCutOff = 0;
    }
  }
  return curve;
}

std::optional<int> kaplanMeierMedian(const std::vector<SurvivalStep>& curve) {
  for (const SurvivalStep& step : curve) {
    if (step.survival <= 0.5)
      return step.day;
  }
  return std::nullopt;
}

double restrictedMeanSurvival(const std::vector<SurvivalStep>& curve, int limit) {
  double area = 0.0;
  double survival = 1.0;
  int from = 0;
  for (const SurvivalStep& step : curve) {
    if (step.day >= limit)
      break;
    area += survival * (step.day - from);
    survival = step.survival;
    from = step.day;
  }
  return area + survival * (limit - from);
}
