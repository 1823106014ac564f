#include "sweep_design.h"

#include "message.h"
#include "sample_design.h"

bool isDesignOption(const std::string& name) {
  return name == "--design" || name == "--sample" || name == "--range" || name == "--seed";
}

bool readDesignOption(const std::string& name, const std::string& value, const std::string& second,
                      SimOptions& options, std::string& error) {
  options.sweep = true;
  if (name == "--design") {
    if (value.empty()) {
      error = "option '--design' needs a file name";
    }
    options.designPath = value;
  } else if (name == "--range") {
    options.ranges.push_back(value);
  } else if (name == "--seed") {
    int64_t seed = 0;
    if (!scaledDecimal(value, 0, seed) || value[0] == '-' || value[0] == '+' ||
        seed > 4294967295LL) {
      error = "option '--seed' needs a whole number from 0 to 4294967295, not " + quoted(value);
    }
    options.seed = static_cast<uint32_t>(seed);
    options.seedGiven = true;
  } else {
    int64_t count = 0;
    if (!isSampleMethod(value)) {
      error = "option '--sample' needs random, lhs or sobol, not " + quoted(value);
    } else if (!scaledDecimal(second, 0, count) || second[0] == '-' || second[0] == '+' ||
               count < 1 || count > kMaxSampleCount) {
      error = "option '--sample' needs a count from 1 to " + std::to_string(kMaxSampleCount) +
              ", not " + quoted(second);
    }
    options.sampleMethod = value;
    options.sampleCount = static_cast<int>(count);
  }
  return error.empty();
}

std::string designOptionsProblem(const SimOptions& options) {
  bool file = !options.designPath.empty();
  bool sample = !options.sampleMethod.empty();
  if (file && sample) {
    return "--design and --sample cannot be combined: a design comes from one of them";
  }
  if ((file || sample) && !options.varies.empty()) {
    return "--vary cannot be combined with --design or --sample";
  }
  if (!sample && (!options.ranges.empty() || options.seedGiven)) {
    return "--range and --seed belong to --sample";
  }
  if (sample && options.ranges.empty()) {
    return "--sample needs a --range FIELD=LO:HI for each sampled field";
  }
  if ((file || sample) && !options.plotPath.empty()) {
    return "--plot draws a --vary sweep, not a design";
  }
  return "";
}

bool addDesign(const SimOptions& options, SweepPlan& plan, std::string& error) {
  if (!options.designPath.empty()) {
    if (!readDesignFile(options.designPath, plan.design, error)) {
      return false;
    }
  } else if (!options.sampleMethod.empty()) {
    std::vector<SampleRange> ranges;
    for (const std::string& argument : options.ranges) {
      SampleRange range{};
      if (!parseSampleRange(argument, range, error)) {
        return false;
      }
      for (const SampleRange& earlier : ranges) {
        if (earlier.field == range.field) {
          error = "field " + quoted(kFieldNames[range.field]) + " has two ranges";
          return false;
        }
      }
      ranges.push_back(range);
    }
    plan.design = sampleDesign(options.sampleMethod, options.sampleCount, ranges, options.seed);
  } else {
    return true;
  }
  plan.combinations = static_cast<int64_t>(plan.design.rows.size());
  return true;
}
