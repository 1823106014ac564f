#include "chart_data.h"

#include <algorithm>

#include "parameters.h"

void addDay(PopulationSeries& series, const World& w) {
  std::array<int32_t, 4> populations;
  for (int k = 0; k < kSpeciesCount; ++k) {
    populations[k] = w.species[k].population;
  }
  series.days.push_back(populations);
}

void endSeries(PopulationSeries& series, const GameResult& result) {
  series.record = result.days;
  series.stopped = !result.extinct;
}

namespace {

std::string firstGameChart(const SweepPlan& plan, uint32_t startState) {
  startAfresh(startState);
  PopulationSeries series{{}, 0, false};
  GameResult result =
      playGame(GameSettings{combinationTexts(plan, 1), plan.dayLimit, plan.screenDraws},
               [&series](const World& w, int32_t) { addDay(series, w); });
  endSeries(series, result);
  return populationChartSvg(series);
}

}  // namespace

std::string sweepChart(const SweepPlan& plan, const std::vector<CombinationSummary>& summaries,
                       uint32_t startState) {
  if (plan.varied.empty()) {
    return firstGameChart(plan, startState);
  }
  if (plan.varied.size() == 1) {
    std::vector<SweepPoint> points;
    const int field = plan.varied[0].field;
    for (const CombinationSummary& summary : summaries) {
      const std::string& value = plan.varied[0].values[valueIndexes(plan, summary.combination)[0]];
      points.push_back({value, summary.mean, summary.min, summary.max,
                        playedValue(field, dialogTexts({value})[0].c_str())});
    }
    return sweepChartSvg(kFieldNames[plan.varied[0].field], points);
  }
  HeatMap map;
  map.yField = kFieldNames[plan.varied[0].field];
  map.xField = kFieldNames[plan.varied[1].field];
  map.yValues = plan.varied[0].values;
  map.xValues = plan.varied[1].values;
  // Combinations run with the second field fastest, so they come in the map's own order.
  for (const CombinationSummary& summary : summaries) {
    map.mean.push_back(summary.mean);
  }
  return heatMapSvg(map);
}

namespace {

std::string joined(const std::vector<std::string>& texts) {
  std::string text;
  for (size_t i = 0; i < texts.size(); ++i) {
    text += (i == 0 ? "" : ", ") + texts[i];
  }
  return text;
}

}  // namespace

std::string survivalChart(const SweepPlan& plan, const std::vector<CombinationSummary>& summaries) {
  // The legend names the fields that change once, above entries of only their texts.
  std::vector<std::string> names;
  for (int field : changingFields(plan)) {
    names.push_back(kFieldNames[field]);
  }
  std::vector<SurvivalCurve> curves;
  int lastDay = plan.dayLimit;
  for (const CombinationSummary& summary : summaries) {
    std::string label =
        names.empty() ? "すべてのゲーム" : joined(changingTexts(plan, summary.combination));
    curves.push_back({label, summary.curve});
    lastDay = std::max(lastDay, summary.max);
  }
  return survivalChartSvg(joined(names), curves, lastDay);
}
