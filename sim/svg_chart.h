// Charts of velmoria-sim runs as self-contained SVG documents (UTF-8). Every number written
// into a document is finite, and every text from the user is escaped and reduced to characters
// XML allows.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "sensitivity_indices.h"
#include "survival.h"

// One game's populations, day by day (days[i] = populations after day i+1, in SpeciesId order).
struct PopulationSeries {
  std::vector<std::array<int32_t, 4>> days;
  int32_t record;  // days the game ran
  bool stopped;    // true when --days ended it
};
std::string populationChartSvg(const PopulationSeries& series);

// A sweep over one field: one point per value, in sweep order.
struct SweepPoint {
  std::string value;  // the field text as given
  double mean;
  int32_t min;
  int32_t max;
  double played = NAN;  // the number the game plays value as; NaN: the number value reads as
};
std::string sweepChartSvg(const std::string& fieldName, const std::vector<SweepPoint>& points);

// A sweep over two fields: mean record per cell. mean[y * xValues.size() + x].
struct HeatMap {
  std::string xField, yField;  // x: the second (fastest) varied field, y: the first
  std::vector<std::string> xValues, yValues;
  std::vector<double> mean;
};
std::string heatMapSvg(const HeatMap& map);

// Kaplan-Meier curves of a sweep's combinations, drawn as steps up to lastDay, with a legend
// headed by legendTitle (none when empty).
struct SurvivalCurve {
  std::string label;
  std::vector<SurvivalStep> steps;
};
std::string survivalChartSvg(const std::string& legendTitle,
                             const std::vector<SurvivalCurve>& curves, int lastDay);
// A sensitivity run's indices, one per field (named in fields, in the same order).
std::string sobolChartSvg(const std::vector<std::string>& fields,
                          const std::vector<SobolIndex>& indices);
std::string morrisChartSvg(const std::vector<std::string>& fields,
                           const std::vector<MorrisIndex>& indices);
