#include "options.h"

#include <climits>

#include "parameters.h"

const char* const kUsageText =
    "usage: velmoria-sim [--games N] [--days N] [--no-screen] [--csv FILE] [--] [FIELD ...]\n"
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
    "  --            every later argument is a field, even one that starts with \"--\"\n";

namespace {

// Accepts decimal digits only, with a value of 1 or more that fits an int.
bool parsePositiveCount(const std::string& text, int& count) {
  if (text.empty()) {
    return false;
  }
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + (c - '0');
    if (value > INT_MAX) {
      return false;
    }
  }
  if (value < 1) {
    return false;
  }
  count = static_cast<int>(value);
  return true;
}

// Quotes an argument for a one-line message: control characters become '?'.
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
  }
  return out + "'";
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
    if (name == "--no-screen" || name == "--help") {
      if (hasInlineValue) {
        fail("option " + quoted(name) + " takes no value");
      } else if (name == "--help") {
        options.help = true;
      } else {
        options.screenDraws = false;
      }
      return;
    }
    if (name != "--games" && name != "--days" && name != "--csv") {
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
    if (name == "--csv") {
      if (value.empty()) {
        fail("option '--csv' needs a file name");
      }
      options.csvPath = value;
    } else if (!parsePositiveCount(value, name == "--games" ? options.games : options.dayLimit)) {
      fail("option " + quoted(name) + " needs a positive whole number, not " + quoted(value));
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
