// The simulator's command line. Before a "--" argument, every argument that starts with "--"
// is an option and must be one of the known ones; everything else is a parameter field, so
// "-1", "-0.5", "-" and "abc" are fields. After "--" every argument is a field.
#pragma once

#include <string>
#include <vector>

struct SimOptions {
  int games = 1;
  int dayLimit = 0;  // 0: games run until a level dies out
  bool screenDraws = true;
  std::string csvPath;  // empty: no CSV; "-": standard output
  bool help = false;
  std::vector<std::string> fields;  // the dialog's texts in edit order, at most sixteen
};

struct ParsedArguments {
  SimOptions options;
  std::string error;  // empty when the arguments are usable
};

// args excludes the program name.
ParsedArguments parseArguments(const std::vector<std::string>& args);

extern const char* const kUsageText;
