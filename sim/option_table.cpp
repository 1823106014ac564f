#include "option_table.h"

#include <climits>

#include "message.h"
#include "numbers.h"
#include "sensitivity_sweep.h"
#include "sweep_design.h"

namespace {

template <bool SimOptions::*member, bool value>
void storeFlag(const std::string&, const std::string&, SimOptions& options, std::string&) {
  options.*member = value;
}

template <std::string SimOptions::*member>
void storePath(const std::string& name, const std::string& value, SimOptions& options,
               std::string& error) {
  if (value.empty()) {
    error = "option " + quoted(name) + " needs a file name";
  }
  options.*member = value;
}

void readCountInto(const std::string& name, const std::string& value, int limit, int& count,
                   std::string& error) {
  if (!readCount(value, INT_MAX, count)) {
    error = "option " + quoted(name) + " needs a positive whole number up to " +
            std::to_string(limit) + ", not " + quoted(value);
  } else if (count > limit) {
    error = "option " + quoted(name) + " takes at most " + std::to_string(limit) + ", not " +
            quoted(value);
  }
}

template <int SimOptions::*member, int limit>
void storeCount(const std::string& name, const std::string& value, SimOptions& options,
                std::string& error) {
  readCountInto(name, value, limit, options.*member, error);
}

void storeGames(const std::string& name, const std::string& value, SimOptions& options,
                std::string& error) {
  readCountInto(name, value, kMaxGameCount, options.games, error);
  options.gamesGiven = true;
}

void storeVary(const std::string&, const std::string& value, SimOptions& options, std::string&) {
  options.varies.push_back(value);
}

void storeShard(const std::string&, const std::string& value, SimOptions& options,
                std::string& error) {
  size_t slash = value.find('/');
  if (slash == std::string::npos ||
      !readCount(value.substr(0, slash), INT_MAX, options.shardIndex) ||
      !readCount(value.substr(slash + 1), INT_MAX, options.shardCount) ||
      options.shardIndex > options.shardCount) {
    error = "option '--shard' needs K/N with 1 <= K <= N, not " + quoted(value);
  }
}

constexpr bool kValue = true;
constexpr bool kFlag = false;
constexpr bool kSweep = true;
constexpr bool kAny = false;

const OptionSpec kOptions[] = {
    {"--help", kFlag, kAny, storeFlag<&SimOptions::help, true>},
    {"--games", kValue, kAny, storeGames},
    {"--days", kValue, kAny, storeCount<&SimOptions::dayLimit, INT_MAX>},
    {"--no-screen", kFlag, kAny, storeFlag<&SimOptions::screenDraws, false>},
    {"--csv", kValue, kAny, storePath<&SimOptions::csvPath>},
    {"--plot", kValue, kAny, storePath<&SimOptions::plotPath>},
    {"--force", kFlag, kAny, storeFlag<&SimOptions::force, true>},
    {"--vary", kValue, kSweep, storeVary},
    {"--repeat", kValue, kSweep, storeCount<&SimOptions::repeat, kMaxGameCount>},
    {"--jobs", kValue, kSweep, storeCount<&SimOptions::jobs, kMaxJobs>},
    {"--table", kValue, kSweep, storePath<&SimOptions::tablePath>},
    {"--summary", kValue, kSweep, storePath<&SimOptions::summaryPath>},
    {"--resume", kFlag, kSweep, storeFlag<&SimOptions::resume, true>},
    {"--shard", kValue, kSweep, storeShard},
    {"--days-table", kValue, kSweep, storePath<&SimOptions::daysTablePath>},
    {"--survival", kValue, kSweep, storePath<&SimOptions::survivalPath>},
    {"--design", kValue, kSweep, storePath<&SimOptions::designPath>},
    {"--sample", kValue, kSweep, storeDesignOption, true},
    {"--range", kValue, kSweep, storeDesignOption},
    {"--seed", kValue, kSweep, storeDesignOption},
    {"--print-design", kFlag, kSweep, storeFlag<&SimOptions::printDesign, true>},
    {"--sensitivity", kValue, kSweep, storeSensitivityOption, true},
    {"--levels", kValue, kSweep, storeSensitivityOption},
    {"--indices", kValue, kSweep, storePath<&SimOptions::indicesPath>},
};

}  // namespace

const OptionSpec* findOption(const std::string& name) {
  for (const OptionSpec& option : kOptions) {
    if (name == option.name) {
      return &option;
    }
  }
  return nullptr;
}
