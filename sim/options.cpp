#include "options.h"

#include "message.h"
#include "option_table.h"
#include "parameters.h"

namespace {

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
  // "--name", "--name value" or "--name=value".
  void readOption(const std::string& arg) {
    size_t equals = arg.find('=');
    bool hasInlineValue = equals != std::string::npos;
    std::string name = hasInlineValue ? arg.substr(0, equals) : arg;
    std::string value = hasInlineValue ? arg.substr(equals + 1) : "";
    const OptionSpec* option = findOption(name);
    if (option == nullptr) {
      result_.error = "unknown option " + quoted(name) + " (try --help)";
      return;
    }
    if (!option->takesValue && hasInlineValue) {
      result_.error = "option " + quoted(name) + " takes no value";
      return;
    }
    if (option->takesValue && !hasInlineValue) {
      if (next_ == args_.size()) {
        result_.error = "option " + quoted(name) + " needs a value";
        return;
      }
      value = args_[next_++];
    }
    if (option->takesCount) {
      if (next_ == args_.size()) {
        result_.error = "option " + quoted(name) + " needs a value and a count";
        return;
      }
      value += " " + args_[next_++];
    }
    option->store(name, value, result_.options, result_.error);
    result_.options.sweep = result_.options.sweep || option->makesSweep;
  }

  void addField(const std::string& field) {
    if (result_.options.fields.size() == kParameterFieldCount) {
      result_.error = "too many fields: the dialog has " + std::to_string(kParameterFieldCount);
      return;
    }
    result_.options.fields.push_back(field);
  }

  const std::vector<std::string>& args_;
  size_t next_ = 0;
  ParsedArguments result_;
};

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& args) {
  return ArgumentReader(args).read();
}
