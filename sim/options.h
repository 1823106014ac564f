// The simulator's command line. Before a "--" argument, every argument that starts with "--"
// is an option and must be one of the known ones; everything else is a parameter field, so
// "-1", "-0.5", "-" and "abc" are fields. After "--" every argument is a field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// --games and --repeat take at most this many; a run of more than kGamesWithoutForce games
// in all needs --force.
constexpr int kMaxGameCount = 1000000000;
constexpr long long kGamesWithoutForce = 1000000;
constexpr int kMaxJobs = 1024;

struct SimOptions {
  int games = 1;
  bool gamesGiven = false;
  int dayLimit = 0;  // 0: games run until a level dies out
  bool screenDraws = true;
  std::string csvPath;  // empty: no CSV; "-": standard output
  bool help = false;
  std::vector<std::string> fields;  // the dialog's texts in edit order, at most sixteen

  // A sweep: set by any option whose row in the option table says it makes one.
  bool sweep = false;
  std::vector<std::string> varies;  // each --vary's "FIELD=VALUES"
  int repeat = 1;
  int jobs = 0;  // 0: the cores available
  std::string tablePath;
  std::string summaryPath;
  bool resume = false;
  int shardIndex = 1;  // plays combinations shardIndex, shardIndex + shardCount, ...
  int shardCount = 1;
  bool force = false;
  std::string plotPath;

  // A design in place of --vary's grid: rows from a file, or a sample over ranges.
  std::string designPath;  // "-": standard input
  std::string sampleMethod;
  int sampleCount = 0;
  std::vector<std::string> ranges;  // each --range's "FIELD=LO:HI"
  uint32_t seed = 1;
  bool seedGiven = false;
  bool printDesign = false;
  std::string daysTablePath;
  std::string survivalPath;       // with --plot, the chart draws these curves
  std::string sensitivityMethod;  // "morris" or "sobol": a design of sensitivity_sweep.h
  int sensitivityCount = 0;
  int morrisLevels = 0;  // 0: not given
  std::string indicesPath;
};

struct ParsedArguments {
  SimOptions options;
  std::string error;  // empty when the arguments are usable
};

// Reads the options and fields; args excludes the program name. Whether they go together is
// decided by decideCommand (command.h).
ParsedArguments parseArguments(const std::vector<std::string>& args);

extern const char* const kUsageText;
