#include "options.h"

#include <climits>

#include "message.h"
#include "parameters.h"
#include "sweep_design.h"

const char* const kUsageText =
    "usage: velmoria-sim [--games N] [--days N] [--no-screen] [--csv FILE] [--plot FILE.svg]\n"
    "                    [--force] [--] [FIELD ...]\n"
    "       velmoria-sim [--vary FIELD=VALUES]... [--repeat R] [--jobs N] [--table FILE]\n"
    "                    [--summary FILE] [--resume] [--shard K/N] [--days N] [--no-screen]\n"
    "                    [--plot FILE.svg] [--force] [--] [FIELD ...]\n"
    "       velmoria-sim (--design FILE | --sample random|lhs|sobol N --range FIELD=LO:HI...\n"
    "                    [--seed S]) [--print-design] [sweep options] [--] [FIELD ...]\n"
    "\n"
    "Plays N games (default 1) with the parameter dialog's sixteen fields, in the order of\n"
    "its edits: for each level (large carnivores, small carnivores, herbivores, plants) the\n"
    "population, the 繁殖度 value and the 寿命長 value, then the four disturbances. Missing\n"
    "fields take the dialog's defaults. Prints one line per game, as the game-over box shows it.\n"
    "\n"
    "  --games N     play N games one after another without reseeding the random source\n"
    "  --days N      stop a game that is still going after N days\n"
    "  --no-screen   leave out the random draws of the simulation screen's dots\n"
    "  --csv FILE    write each day's populations to FILE ('-': standard output, and the\n"
    "                result lines then go to standard error)\n"
    "  --plot FILE   draw an SVG chart: the first game's populations day by day; for a sweep\n"
    "                the mean record against the varied field, or a heat map over two\n"
    "  --force       allow more than 1000000 games\n"
    "  --            every later argument is a field, even one that starts with \"--\"\n"
    "\n"
    "A sweep plays every combination of the varied fields' values (the last --vary changing\n"
    "fastest), each R times as a freshly started program would, on every core:\n"
    "  --vary FIELD=FIRST:STEP:LAST   values from FIRST in steps of STEP up to LAST\n"
    "  --vary FIELD=V1,V2,...         the values given\n"
    "  --repeat R    games per combination (default 1)\n"
    "  --jobs N      worker processes (default: the cores available); the tables are the\n"
    "                same for every N\n"
    "  --table FILE  one row per game, written as games complete ('-': standard output)\n"
    "  --summary FILE  one row per combination (without --table or --summary: standard\n"
    "                output)\n"
    "  --days-table FILE  one row per day of every game: combination, repetition, day and\n"
    "                the four populations ('-': standard output)\n"
    "  --resume      keep the complete rows already in the --table FILE (and the days of\n"
    "                those games in the --days-table FILE), play the rest\n"
    "  --shard K/N   play combinations K, K+N, K+2N, ... only\n"
    "  --print-design  write the combinations the run would play to standard output, and\n"
    "                how many games on standard error; plays nothing\n"
    "\n"
    "A design plays given combinations instead of --vary's grid:\n"
    "  --design FILE   CSV ('-': standard input): a header of fields, then one row per\n"
    "                combination (row N+1 is combination N), each cell as typed in the dialog\n"
    "  --sample random|lhs|sobol N   N points over the --range of each sampled field:\n"
    "                random: uniform; lhs: a Latin hypercube, one point in each of N equal\n"
    "                strata of every range; sobol: GSL's Sobol' sequence from its origin,\n"
    "                shifted modulo 1 by a random vector from the seed (Cranley-Patterson)\n"
    "  --range FIELD=LO:HI  a sampled field's range (populations whole, rates up to four\n"
    "                decimals); values are written as the dialog reads them\n"
    "  --seed S      the sample's seed (default 1; the games' random source is untouched)\n"
    "\n"
    "FIELD in --vary is the field's number or its name (life: 繁殖度, birth: 寿命長):\n"
    "  large.population (1), large.life (2), large.birth (3)\n"
    "  small.population (4), small.life (5), small.birth (6)\n"
    "  herbivores.population (7), herbivores.life (8), herbivores.birth (9)\n"
    "  plants.population (10), plants.life (11), plants.birth (12)\n"
    "  virus.large (13), virus.small (14), virus.herbivores (15), drought (16)\n";

namespace {

// Accepts decimal digits only, with a value from 1 to limit.
bool parseCount(const std::string& text, int limit, int& count) {
  if (text.empty()) {
    return false;
  }
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + (c - '0');
    if (value > limit) {
      return false;
    }
  }
  if (value < 1) {
    return false;
  }
  count = static_cast<int>(value);
  return true;
}

bool isOption(const std::string& arg) {
  return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

  ParsedArguments read() {
    bool optionsEnded = false;
    for (next_ = 0; next_ < args_.size() && result_.error.empty();) {
      const std::string& arg = args_[next_++];
      if (!optionsEnded && arg == "--") {
        optionsEnded = true;
      } else if (!optionsEnded && isOption(arg)) {
        readOption(arg);
      } else {
        addField(arg);
      }
    }
    if (result_.error.empty()) {
      checkCombination();
    }
    return result_;
  }

 private:
  void readOption(const std::string& arg) {
    std::string name = arg;
    std::string value;
    bool hasInlineValue = false;
    size_t equals = arg.find('=');
    if (equals != std::string::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
      hasInlineValue = true;
    }
    SimOptions& options = result_.options;
    bool* flag = name == "--no-screen"      ? nullptr
                 : name == "--help"         ? &options.help
                 : name == "--resume"       ? &options.resume
                 : name == "--force"        ? &options.force
                 : name == "--print-design" ? &options.printDesign
                                            : nullptr;
    if (flag != nullptr || name == "--no-screen") {
      if (hasInlineValue) {
        fail("option " + quoted(name) + " takes no value");
      } else if (flag != nullptr) {
        *flag = true;
      } else {
        options.screenDraws = false;
      }
      options.sweep = options.sweep || name == "--resume" || name == "--print-design";
      return;
    }
    static const char* const kValued[] = {"--games",  "--days", "--csv",       "--vary",
                                          "--repeat", "--jobs", "--table",     "--summary",
                                          "--shard",  "--plot", "--days-table"};
    bool known = isDesignOption(name);
    for (const char* option : kValued) {
      known = known || name == option;
    }
    if (!known) {
      fail("unknown option " + quoted(name) + " (try --help)");
      return;
    }
    if (!hasInlineValue) {
      if (next_ == args_.size()) {
        fail("option " + quoted(name) + " needs a value");
        return;
      }
      value = args_[next_++];
    }
    if (isDesignOption(name)) {
      readDesignArguments(name, value);
    } else if (name == "--days-table") {
      options.daysTablePath = value;
      options.sweep = true;
      if (value.empty()) {
        fail("option '--days-table' needs a file name");
      }
    } else if (name == "--csv" || name == "--table" || name == "--summary" || name == "--plot") {
      if (value.empty()) {
        fail("option " + quoted(name) + " needs a file name");
      }
      std::string& path = name == "--csv"     ? options.csvPath
                          : name == "--table" ? options.tablePath
                          : name == "--plot"  ? options.plotPath
                                              : options.summaryPath;
      path = value;
      options.sweep = options.sweep || name == "--table" || name == "--summary";
    } else if (name == "--vary") {
      options.varies.push_back(value);
      options.sweep = true;
    } else if (name == "--shard") {
      readShard(value);
    } else if (name == "--games") {
      readCount(name, value, kMaxGameCount, options.games);
      options.gamesGiven = true;
    } else if (name == "--repeat") {
      readCount(name, value, kMaxGameCount, options.repeat);
      options.sweep = true;
    } else if (name == "--jobs") {
      readCount(name, value, kMaxJobs, options.jobs);
      options.sweep = true;
    } else {
      readCount(name, value, INT_MAX, options.dayLimit);
    }
  }

  void readCount(const std::string& name, const std::string& value, int limit, int& count) {
    if (!parseCount(value, INT_MAX, count)) {
      fail("option " + quoted(name) + " needs a positive whole number up to " +
           std::to_string(limit) + ", not " + quoted(value));
    } else if (count > limit) {
      fail("option " + quoted(name) + " takes at most " + std::to_string(limit) + ", not " +
           quoted(value));
    }
  }

  void readDesignArguments(const std::string& name, const std::string& value) {
    std::string second, error;
    if (name == "--sample" && next_ == args_.size()) {
      fail("option '--sample' needs a method and a count");
      return;
    }
    if (name == "--sample") {
      second = args_[next_++];
    }
    if (!readDesignOption(name, value, second, result_.options, error)) {
      fail(error);
    }
  }

  void readShard(const std::string& value) {
    SimOptions& options = result_.options;
    options.sweep = true;
    size_t slash = value.find('/');
    if (slash == std::string::npos ||
        !parseCount(value.substr(0, slash), INT_MAX, options.shardIndex) ||
        !parseCount(value.substr(slash + 1), INT_MAX, options.shardCount) ||
        options.shardIndex > options.shardCount) {
      fail("option '--shard' needs K/N with 1 <= K <= N, not " + quoted(value));
    }
  }

  void checkCombination() {
    const SimOptions& options = result_.options;
    if (!options.sweep) {
      if (!options.force && options.games > kGamesWithoutForce) {
        fail("more than " + std::to_string(kGamesWithoutForce) + " games need --force");
      }
      return;
    }
    std::string designProblem = designOptionsProblem(options);
    if (!designProblem.empty()) {
      fail(designProblem);
    } else if (options.gamesGiven) {
      fail("a sweep repeats each combination with --repeat, not --games");
    } else if (!options.csvPath.empty()) {
      fail("--csv writes the days of plain games, not of a sweep");
    } else if (options.resume && (options.tablePath.empty() || options.tablePath == "-")) {
      fail("--resume needs the --table FILE to continue");
    } else if (options.tablePath == "-" && options.summaryPath == "-") {
      fail("--table and --summary cannot both go to standard output");
    } else if (!options.tablePath.empty() && options.tablePath == options.summaryPath) {
      fail("--table and --summary need two files");
    } else if (!options.daysTablePath.empty() && (options.daysTablePath == options.tablePath ||
                                                  options.daysTablePath == options.summaryPath)) {
      fail("--days-table needs a file of its own");
    } else if (options.daysTablePath == "-" &&
               (options.resume || (options.tablePath.empty() && options.summaryPath.empty()))) {
      fail(options.resume ? "--resume needs the --days-table FILE to continue"
                          : "--days-table and the summary cannot both go to standard output");
    }
  }

  void addField(const std::string& field) {
    if (result_.options.fields.size() == kParameterFieldCount) {
      fail("too many fields: the dialog has " + std::to_string(kParameterFieldCount));
      return;
    }
    result_.options.fields.push_back(field);
  }

  void fail(const std::string& message) {
    if (result_.error.empty()) {
      result_.error = message;
    }
  }

  const std::vector<std::string>& args_;
  size_t next_ = 0;
  ParsedArguments result_;
};

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& args) {
  return ArgumentReader(args).read();
}
