#include "sensitivity_sweep.h"

#include "message.h"
#include "numbers.h"
#include "sensitivity_design.h"

namespace {

constexpr int kMinCount = 2;  // Morris' sigma and Sobol' variance need two at least
constexpr int kMaxLevels = 1000;

bool readWhole(const std::string& text, int64_t low, int64_t high, int64_t& number) {
  return !text.empty() && text[0] != '-' && text[0] != '+' && readScaledDecimal(text, 0, number) &&
         number >= low && number <= high;
}

}  // namespace

void storeSensitivityOption(const std::string& name, const std::string& value, SimOptions& options,
                            std::string& error) {
  int64_t number = 0;
  if (name == "--levels") {
    if (!readWhole(value, 2, kMaxLevels, number) || number % 2 != 0) {
      error = "option '--levels' needs an even number from 2 to " + std::to_string(kMaxLevels) +
              ", not " + quoted(value);
    }
    options.morrisLevels = static_cast<int>(number);
    return;
  }
  size_t space = value.rfind(' ');
  std::string method = value.substr(0, space);
  std::string count = space == std::string::npos ? "" : value.substr(space + 1);
  if (method != "morris" && method != "sobol") {
    error = "option '--sensitivity' needs morris or sobol, not " + quoted(method);
  } else if (!readWhole(count, kMinCount, kMaxSampleCount, number)) {
    error = "option '--sensitivity' needs a count from " + std::to_string(kMinCount) + " to " +
            std::to_string(kMaxSampleCount) + ", not " + quoted(count);
  }
  options.sensitivityMethod = method;
  options.sensitivityCount = static_cast<int>(number);
}

std::string sensitivityOptionsProblem(const SimOptions& options) {
  bool sensitivity = !options.sensitivityMethod.empty();
  if (!sensitivity) {
    return !options.indicesPath.empty() ? "--indices belongs to --sensitivity"
           : options.morrisLevels != 0  ? "--levels belongs to --sensitivity morris"
                                        : "";
  }
  if (!options.varies.empty() || !options.designPath.empty() || !options.sampleMethod.empty()) {
    return "--sensitivity cannot be combined with --vary, --design or --sample";
  }
  if (options.ranges.empty()) {
    return "--sensitivity needs a --range FIELD=LO:HI for each field it studies";
  }
  int64_t points = sensitivityPoints(sensitivityStudy(options));
  if (points > kMaxSampleCount) {
    return "--sensitivity plays at most " + std::to_string(kMaxSampleCount) + " points, not " +
           std::to_string(points);
  }
  if (options.sensitivityMethod != "morris" && options.morrisLevels != 0) {
    return "--levels belongs to --sensitivity morris";
  }
  if (options.shardCount > 1 && !options.indicesPath.empty()) {
    return "--indices needs the whole run: merge the shards' tables and summarise them";
  }
  return "";
}

int64_t sensitivityPoints(const SensitivityStudy& study) {
  return int64_t{study.count} * (study.fields + (study.method == "morris" ? 1 : 2));
}

SensitivityStudy sensitivityStudy(const SimOptions& options) {
  int levels = options.morrisLevels != 0 ? options.morrisLevels : SensitivityStudy{}.levels;
  return SensitivityStudy{options.sensitivityMethod, options.sensitivityCount, levels, options.seed,
                          static_cast<int>(options.ranges.size())};
}

Design sensitivityDesign(const SensitivityStudy& study, const std::vector<SampleRange>& ranges) {
  std::vector<UnitPoint> points =
      study.method == "morris"
          ? morrisDesign(study.fields, study.count, study.levels, study.seed).points
          : saltelliDesign(study.fields, study.count);
  Design design;
  for (const SampleRange& range : ranges) {
    design.fields.push_back(range.field);
  }
  for (const UnitPoint& point : points) {
    std::vector<std::string> row;
    for (size_t d = 0; d < ranges.size(); ++d) {
      row.push_back(unitValueText(ranges[d], point[d]));
    }
    design.rows.push_back(row);
  }
  return design;
}

MorrisDesign playedMorrisDesign(const SensitivityStudy& study,
                                const std::vector<SampleRange>& ranges) {
  MorrisDesign design = morrisDesign(study.fields, study.count, study.levels, study.seed);
  for (size_t p = 0; p < design.points.size(); ++p) {
    int field = design.movedField[p];
    if (field < 0) {
      continue;
    }
    const SampleRange& range = ranges[field];
    int64_t change =
        unitValue(range, design.points[p][field]) - unitValue(range, design.points[p - 1][field]);
    design.movedBy[p] = range.high == range.low ? 0.0
                                                : static_cast<double>(change) /
                                                      static_cast<double>(range.high - range.low);
  }
  return design;
}

Settings sensitivitySettings(const SensitivityStudy& study) {
  Settings settings = {"design=sensitivity " + study.method + " " + std::to_string(study.count)};
  if (study.method == "morris") {
    settings.push_back("design.levels=" + std::to_string(study.levels));
  }
  return settings;
}

bool sensitivityFromSettings(const Settings& settings, int fields, SensitivityStudy& study) {
  std::vector<std::string> design = settingValues(settings, "design");
  std::vector<std::string> seed = settingValues(settings, "design.seed");
  std::vector<std::string> levels = settingValues(settings, "design.levels");
  const std::string prefix = "sensitivity ";
  if (design.size() != 1 || design[0].rfind(prefix, 0) != 0 || seed.size() != 1) {
    return false;
  }
  SimOptions options;
  std::string error;
  storeSensitivityOption("--sensitivity", design[0].substr(prefix.size()), options, error);
  int64_t seedNumber = 0;
  if (!error.empty() || !readWhole(seed[0], 0, 4294967295LL, seedNumber) ||
      levels.size() != (options.sensitivityMethod == "morris" ? 1u : 0u)) {
    return false;
  }
  if (!levels.empty()) {
    storeSensitivityOption("--levels", levels[0], options, error);
  }
  options.seed = static_cast<uint32_t>(seedNumber);
  study = sensitivityStudy(options);
  study.fields = fields;
  return error.empty() && fields > 0;
}

bool sensitivityRangesFromSettings(const Settings& settings, const std::vector<int>& fields,
                                   std::vector<SampleRange>& ranges) {
  std::vector<std::string> lines = settingValues(settings, "design.range");
  if (lines.size() != fields.size()) {
    return false;
  }
  ranges.clear();
  for (size_t i = 0; i < lines.size(); ++i) {
    SampleRange range{};
    std::string error;
    if (!parseSampleRange(lines[i], range, error) || range.field != fields[i]) {
      return false;
    }
    ranges.push_back(range);
  }
  return true;
}
