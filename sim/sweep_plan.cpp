#include "sweep_plan.h"

#include <algorithm>
#include <climits>

#include "message.h"
#include "numbers.h"
#include "sweep_design.h"

const char* const kFieldNames[kParameterFieldCount] = {
    "large.population", "large.life",        "large.birth",           "small.population",
    "small.life",       "small.birth",       "herbivores.population", "herbivores.life",
    "herbivores.birth", "plants.population", "plants.life",           "plants.birth",
    "virus.large",      "virus.small",       "virus.herbivores",      "drought",
};

namespace {

std::vector<std::string> splitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    parts.push_back(text.substr(start, at - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

bool findField(const std::string& name, int& field) {
  for (int i = 0; i < kParameterFieldCount; ++i) {
    if (name == kFieldNames[i] || name == std::to_string(i + 1)) {
      field = i;
      return true;
    }
  }
  return false;
}

bool decimalRange(const std::string& first, const std::string& step, const std::string& last,
                  std::vector<std::string>& values, std::string& error) {
  Decimal numbers[3];
  const std::string* texts[3] = {&first, &step, &last};
  size_t scale = 0;
  for (int i = 0; i < 3; ++i) {
    if (!readDecimal(*texts[i], numbers[i])) {
      error = "range needs decimal numbers FIRST:STEP:LAST, not " + quoted(*texts[i]);
      return false;
    }
    scale = std::max(scale, numbers[i].fraction.size());
  }
  int64_t from = 0, by = 0, to = 0;
  if (!scaledDecimal(numbers[0], scale, from) || !scaledDecimal(numbers[1], scale, by) ||
      !scaledDecimal(numbers[2], scale, to)) {
    error = "range numbers have too many digits";
    return false;
  }
  if (by == 0) {
    error = "range step is 0";
    return false;
  }
  if ((to > from && by < 0) || (to < from && by > 0)) {
    error = "range step " + quoted(step) + " moves away from " + quoted(last);
    return false;
  }
  // from and to have at most 18 digits, so their difference fits.
  int64_t count = (to - from) / by + 1;
  if (count > kMaxValuesPerField) {
    error = "range has more than " + std::to_string(kMaxValuesPerField) + " values";
    return false;
  }
  values.clear();
  for (int64_t i = 0; i < count; ++i) {
    values.push_back(decimalText(from + i * by, scale));
  }
  return true;
}

bool parseVary(const std::string& argument, VariedField& varied, std::string& error) {
  size_t equals = argument.find('=');
  if (equals == std::string::npos) {
    error = "--vary needs FIELD=VALUES, not " + quoted(argument);
    return false;
  }
  std::string name = argument.substr(0, equals);
  std::string values = argument.substr(equals + 1);
  if (!findField(name, varied.field)) {
    error = "unknown field " + quoted(name) + " (try --help)";
    return false;
  }
  if (values.empty()) {
    error = "--vary " + quoted(name) + " needs values";
    return false;
  }
  if (values.find(':') != std::string::npos) {
    std::vector<std::string> parts = splitAt(values, ':');
    if (parts.size() != 3) {
      error = "--vary " + quoted(name) + ": range needs FIRST:STEP:LAST, not " + quoted(values);
      return false;
    }
    if (!decimalRange(parts[0], parts[1], parts[2], varied.values, error)) {
      error = "--vary " + quoted(name) + ": " + error;
      return false;
    }
    return true;
  }
  varied.values = splitAt(values, ',');
  // An empty value would play the field as 0, most likely by a stray comma.
  if (std::find(varied.values.begin(), varied.values.end(), "") != varied.values.end()) {
    error = "--vary " + quoted(name) + " has an empty value in " + quoted(values);
    return false;
  }
  if (static_cast<int64_t>(varied.values.size()) > kMaxValuesPerField) {
    error = "--vary " + quoted(name) + " has more than " + std::to_string(kMaxValuesPerField) +
            " values";
    return false;
  }
  return true;
}

bool makeSweepPlan(const SimOptions& options, SweepPlan& plan, std::string& error) {
  plan.base = dialogTexts(options.fields);
  plan.repeat = options.repeat;
  plan.shardIndex = options.shardIndex;
  plan.shardCount = options.shardCount;
  plan.dayLimit = options.dayLimit;
  plan.screenDraws = options.screenDraws;
  plan.recordDays = !options.daysTablePath.empty();
  plan.varied.clear();
  plan.combinations = 1;
  for (const std::string& argument : options.varies) {
    VariedField varied;
    if (!parseVary(argument, varied, error)) {
      return false;
    }
    for (const VariedField& earlier : plan.varied) {
      if (earlier.field == varied.field) {
        error = "field " + quoted(kFieldNames[varied.field]) + " is varied twice";
        return false;
      }
    }
    for (std::string& value : varied.values) {
      value = dialogTexts({value})[0];  // as much as the dialog's edit reads
    }
    plan.varied.push_back(varied);
    plan.combinations *= static_cast<int64_t>(varied.values.size());
    if (plan.combinations > kMaxGameCount) {
      error = "a sweep plays at most " + std::to_string(kMaxGameCount) + " games";
      return false;
    }
  }
  if (!addDesign(options, plan, error)) {
    return false;
  }
  int64_t games = shardCombinationCount(plan) * plan.repeat;
  if (games > kMaxGameCount) {
    error = "a sweep plays at most " + std::to_string(kMaxGameCount) + " games";
    return false;
  }
  if (games > kGamesWithoutForce && !options.force && !options.printDesign) {
    error = "this sweep plays " + std::to_string(games) + " games; more than " +
            std::to_string(kGamesWithoutForce) + " need --force";
    return false;
  }
  return true;
}

int64_t shardCombinationCount(const SweepPlan& plan) {
  if (plan.combinations < plan.shardIndex) {
    return 0;
  }
  return (plan.combinations - plan.shardIndex) / plan.shardCount + 1;
}

std::vector<size_t> valueIndexes(const SweepPlan& plan, int64_t combination) {
  std::vector<size_t> indexes(plan.varied.size());
  int64_t rest = combination - 1;
  for (size_t v = plan.varied.size(); v-- > 0;) {
    int64_t count = static_cast<int64_t>(plan.varied[v].values.size());
    indexes[v] = static_cast<size_t>(rest % count);
    rest /= count;
  }
  return indexes;
}

DialogTexts combinationTexts(const SweepPlan& plan, int64_t combination) {
  DialogTexts texts = plan.base;
  if (!plan.design.rows.empty()) {
    const std::vector<std::string>& row = plan.design.rows[combination - 1];
    for (size_t c = 0; c < row.size(); ++c) {
      texts[plan.design.fields[c]] = row[c];
    }
    return texts;
  }
  std::vector<size_t> indexes = valueIndexes(plan, combination);
  for (size_t v = 0; v < plan.varied.size(); ++v) {
    texts[plan.varied[v].field] = plan.varied[v].values[indexes[v]];
  }
  return texts;
}

std::vector<int> changingFields(const SweepPlan& plan) {
  if (!plan.design.rows.empty()) {
    return plan.design.fields;
  }
  std::vector<int> fields;
  for (const VariedField& varied : plan.varied) {
    fields.push_back(varied.field);
  }
  return fields;
}

std::vector<std::string> changingTexts(const SweepPlan& plan, int64_t combination) {
  if (!plan.design.rows.empty()) {
    return plan.design.rows[combination - 1];
  }
  std::vector<std::string> texts;
  std::vector<size_t> indexes = valueIndexes(plan, combination);
  for (size_t v = 0; v < plan.varied.size(); ++v) {
    texts.push_back(plan.varied[v].values[indexes[v]]);
  }
  return texts;
}
