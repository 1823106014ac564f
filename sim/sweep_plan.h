// What a sweep plays: the varied fields' values and their combinations (the last varied field
// changing fastest), or the rows of a design, and the share of them that this run's shard
// takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design_file.h"
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
  Design design;             // without rows: the combinations are those of varied
  int64_t combinations = 1;  // in the whole sweep
  int repeat = 1;
  int shardIndex = 1;
  int shardCount = 1;
  int dayLimit = 0;
  bool screenDraws = true;
  bool recordDays = false;  // the workers hand over every day's populations
};

// Finds a field by its name or its number 1..16.
bool findField(const std::string& name, int& field);

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

// The fields that change between combinations (the varied ones or the design's), and their
// texts in a combination.
std::vector<int> changingFields(const SweepPlan& plan);
std::vector<std::string> changingTexts(const SweepPlan& plan, int64_t combination);
