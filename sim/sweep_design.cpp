#include "sweep_design.h"

#include <algorithm>

#include "message.h"
#include "numbers.h"
#include "sample_design.h"
#include "sensitivity_sweep.h"

void storeDesignOption(const std::string& name, const std::string& value, SimOptions& options,
                       std::string& error) {
  if (name == "--range") {
    options.ranges.push_back(value);
  } else if (name == "--seed") {
    int64_t seed = 0;
    if (!readScaledDecimal(value, 0, seed) || value[0] == '-' || value[0] == '+' ||
        seed > 4294967295LL) {
      error = "option '--seed' needs a whole number from 0 to 4294967295, not " + quoted(value);
    }
    options.seed = static_cast<uint32_t>(seed);
    options.seedGiven = true;
  } else {
    size_t space = value.rfind(' ');
    std::string method = value.substr(0, space);
    std::string count = space == std::string::npos ? "" : value.substr(space + 1);
    int64_t number = 0;
    if (!isSampleMethod(method)) {
      error = "option '--sample' needs random, lhs or sobol, not " + quoted(method);
    } else if (!readScaledDecimal(count, 0, number) || count[0] == '-' || count[0] == '+' ||
               number < 1 || number > kMaxSampleCount) {
      error = "option '--sample' needs a count from 1 to " + std::to_string(kMaxSampleCount) +
              ", not " + quoted(count);
    }
    options.sampleMethod = method;
    options.sampleCount = static_cast<int>(number);
  }
}

std::string designOptionsProblem(const SimOptions& options) {
  std::string sensitivity = sensitivityOptionsProblem(options);
  if (!sensitivity.empty() || !options.sensitivityMethod.empty()) {
    return sensitivity;
  }
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
  return "";
}

namespace {

// The most combinations a design file may have: without --force, those whose games in this
// shard stay within kGamesWithoutForce, as makeSweepPlan checks once the design is read.
int64_t mostDesignCombinations(const SimOptions& options) {
  if (options.force || options.printDesign) {
    return kMaxGameCount;
  }
  int64_t inShard = kGamesWithoutForce / options.repeat;
  return std::min<int64_t>(kMaxGameCount, options.shardIndex - 1 + inShard * options.shardCount);
}

}  // namespace

bool addDesign(const SimOptions& options, SweepPlan& plan, std::string& error) {
  if (!options.designPath.empty()) {
    // Reading stops at the first combination too many rather than hold all of a file too big
    // to play.
    const int64_t most = mostDesignCombinations(options);
    if (!readDesignFile(options.designPath, most + 1, plan.design, error)) {
      return false;
    }
    if (static_cast<int64_t>(plan.design.rows.size()) > most) {
      error = "design file " + quoted(options.designPath) + ": ";
      error += most == kMaxGameCount
                   ? "it has more than " + std::to_string(kMaxGameCount) + " combinations"
                   : "row " + std::to_string(most + 2) + " makes this sweep more than " +
                         std::to_string(kGamesWithoutForce) + " games, which need --force";
      return false;
    }
  } else if (!options.sampleMethod.empty() || !options.sensitivityMethod.empty()) {
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
    plan.design =
        options.sampleMethod.empty()
            ? sensitivityDesign(sensitivityStudy(options), ranges)
            : sampleDesign(options.sampleMethod, options.sampleCount, ranges, options.seed);
  } else {
    return true;
  }
  plan.combinations = static_cast<int64_t>(plan.design.rows.size());
  return true;
}
