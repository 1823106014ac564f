// The simulator's options, one row each: adding an option is adding a row here, a member to
// SimOptions and a line to the usage text.
#pragma once

#include <string>

#include "options.h"

// Stores an option's value (empty for an option without one) into the options; sets error to
// a one-line reason when the value cannot be used.
using OptionStore = void (*)(const std::string& name, const std::string& value, SimOptions& options,
                             std::string& error);

struct OptionSpec {
  const char* name;  // with its "--"
  bool takesValue;
  bool makesSweep;  // giving the option makes the run a sweep
  OptionStore store;
  bool takesCount = false;  // a second argument follows the value: it is stored as "VALUE N"
};

// The row of the option with this name, or nullptr.
const OptionSpec* findOption(const std::string& name);
