// What a sweep plays: the varied fields' values, their combinations (the last varied field
// changing fastest) and the share of them that this run's shard takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game_loop.h"
#include "options.h"

// The fields' readable names, in the dialog's order.
extern const char* const kFieldNames[kParameterFieldCount];

constexpr int64_t kMaxValuesPerField = 1000000;

struct VariedField {
  int field;  // 0..15
  std::vector<std::string> values;
};

struct SweepPlan {
  DialogTexts base;  // the fields as given, defaults for the rest
  std::vector<VariedField> varied;
  int64_t combinations = 1;  // in the whole sweep
  int repeat = 1;
  int shardIndex = 1;
  int shardCount = 1;
  int dayLimit = 0;
  bool screenDraws = true;
};

// Reads one --vary's "FIELD=FIRST:STEP:LAST" or "FIELD=V1,V2,...".
bool parseVary(const std::string& argument, VariedField& varied, std::string& error);

// Ranges are counted in decimal: "0.1:0.05:0.3" gives 0.1, 0.15, 0.2, 0.25 and 0.3.
bool decimalRange(const std::string& first, const std::string& step, const std::string& last,
                  std::vector<std::string>& values, std::string& error);

bool makeSweepPlan(const SimOptions& options, SweepPlan& plan, std::string& error);

// The combinations this shard plays, and the number (from 1 in the whole sweep) of the i-th.
int64_t shardCombinationCount(const SweepPlan& plan);
inline int64_t shardCombination(const SweepPlan& plan, int64_t i) {
  return plan.shardIndex + i * plan.shardCount;
}

// The index into each varied field's values for a combination numbered from 1.
std::vector<size_t> valueIndexes(const SweepPlan& plan, int64_t combination);
DialogTexts combinationTexts(const SweepPlan& plan, int64_t combination);
