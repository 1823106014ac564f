#include "game_outcome.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const kLevelNames[kSpeciesCount] = {"large", "small", "herbivores", "plants"};

std::string extinctLevels(const GameResult& result) {
  std::string names;
  for (int level = 0; result.extinct && level < kSpeciesCount; ++level) {
    if (result.levels[level].final <= 0) {
      names += (names.empty() ? "" : "+") + std::string(kLevelNames[level]);
    }
  }
  return names;
}

}  // namespace

void addDayToSpans(GameResult& result, const World& w, int32_t day) {
  for (int level = 0; level < kSpeciesCount; ++level) {
    int32_t population = w.species[level].population;
    LevelSpan& span = result.levels[level];
    if (day == 1) {
      span = {population, population, population};
    }
    span.min = std::min(span.min, population);
    span.max = std::max(span.max, population);
    span.final = population;
  }
}

void appendGameValues(const GameResult& result, std::vector<int32_t>& values) {
  values.push_back(result.days);
  values.push_back(result.extinct ? 1 : 0);
  for (const LevelSpan& span : result.levels) {
    values.insert(values.end(), {span.min, span.max, span.final});
  }
}

GameResult gameFromValues(const int32_t* values) {
  GameResult result{values[0], values[1] != 0, {}};
  for (int level = 0; level < kSpeciesCount; ++level) {
    const int32_t* span = values + 2 + 3 * level;
    result.levels[level] = {span[0], span[1], span[2]};
  }
  return result;
}

std::string outcomeColumnNames() {
  std::string names = ",extinct";
  for (const char* level : kLevelNames) {
    for (const char* measure : {".min", ".max", ".final"}) {
      names += std::string(",") + level + measure;
    }
  }
  return names;
}

std::string outcomeColumns(const GameResult& result) {
  std::string text = "," + extinctLevels(result);
  for (const LevelSpan& span : result.levels) {
    for (int32_t value : {span.min, span.max, span.final}) {
      text += "," + std::to_string(value);
    }
  }
  return text;
}

bool readOutcomeColumns(const std::string& text, GameResult& result) {
  size_t comma = text.find(',', 1);
  if (text.empty() || text[0] != ',' || comma == std::string::npos) {
    return false;
  }
  long long values[3 * kSpeciesCount];
  int used = 0;
  const char* rest = text.c_str() + comma;
  for (long long& value : values) {
    int consumed = 0;
    if (std::sscanf(rest + used, ",%lld%n", &value, &consumed) != 1 || value < INT32_MIN ||
        value > INT32_MAX) {
      return false;
    }
    used += consumed;
  }
  for (int level = 0; level < kSpeciesCount; ++level) {
    result.levels[level] = {static_cast<int32_t>(values[3 * level]),
                            static_cast<int32_t>(values[3 * level + 1]),
                            static_cast<int32_t>(values[3 * level + 2])};
  }
  // Written back, the columns must be the very text read: nothing more, nothing different.
  return outcomeColumns(result) == text;
}
