#include "chart_data.h"

void addDay(PopulationSeries& series, const World& w) {
  std::array<int32_t, 4> populations;
  for (int k = 0; k < kSpeciesCount; ++k) {
    populations[k] = w.species[k].population;
  }
  series.days.push_back(populations);
}

PopulationSeries playRecordingPopulations(const GameSettings& settings) {
  PopulationSeries series{{}, 0, false};
  GameResult result = playGame(settings, [&series](const World& w, int32_t) { addDay(series, w); });
  series.record = result.days;
  series.stopped = !result.extinct;
  return series;
}

std::string sweepChart(const SweepPlan& plan, const std::vector<CombinationSummary>& summaries) {
  if (plan.varied.size() == 1) {
    std::vector<SweepPoint> points;
    for (const CombinationSummary& summary : summaries) {
      points.push_back({plan.varied[0].values[valueIndexes(plan, summary.combination)[0]],
                        summary.mean, summary.min, summary.max});
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
