#include "command.h"

#include "sweep_design.h"

namespace {

// A file besides the table and the summary (NAME FILE) against the others.
std::string ownFileProblem(const char* name, const std::string& path, const SimOptions& options,
                           const std::string& other) {
  const std::string option = name;
  if (path.empty()) {
    return "";
  }
  if (path == options.tablePath || path == options.summaryPath || path == other) {
    return option + " needs a file of its own";
  }
  if (path == "-" && options.tablePath.empty() && options.summaryPath.empty()) {
    return option + " and the summary cannot both go to standard output";
  }
  return "";
}

// Options that do not go together, whatever their values.
bool checkCombination(const SimOptions& options, std::string& error) {
  error = designOptionsProblem(options);
  if (error.empty()) {
    error = ownFileProblem("--days-table", options.daysTablePath, options, options.survivalPath);
  }
  if (error.empty() && options.daysTablePath == "-" && options.resume) {
    error = "--resume needs the --days-table FILE to continue";
  }
  if (error.empty()) {
    error = ownFileProblem("--survival", options.survivalPath, options, options.daysTablePath);
  }
  if (!error.empty()) {
    return false;
  }
  if (!options.sweep) {
    if (!options.force && options.games > kGamesWithoutForce) {
      error = "more than " + std::to_string(kGamesWithoutForce) + " games need --force";
    }
  } else if (options.gamesGiven) {
    error = "a sweep repeats each combination with --repeat, not --games";
  } else if (!options.csvPath.empty()) {
    error = "--csv writes the days of plain games, not of a sweep";
  } else if (options.resume && (options.tablePath.empty() || options.tablePath == "-")) {
    error = "--resume needs the --table FILE to continue";
  } else if (options.tablePath == "-" && options.summaryPath == "-") {
    error = "--table and --summary cannot both go to standard output";
  } else if (!options.tablePath.empty() && options.tablePath == options.summaryPath) {
    error = "--table and --summary need two files";
  }
  return error.empty();
}

// What the sweep's chart can show.
bool checkSweepPlot(const SimOptions& options, const SweepPlan& plan, std::string& error) {
  if (options.plotPath.empty()) {
    return true;
  }
  if (plan.varied.size() > 2 && options.survivalPath.empty()) {
    error =
        "--plot draws a sweep over one or two fields, not " + std::to_string(plan.varied.size());
  } else if (plan.shardCount > 1) {
    error = "--plot draws a whole sweep, not a shard of one";
  }
  return error.empty();
}

}  // namespace

bool decideCommand(const std::vector<std::string>& args, SimCommand& command, std::string& error) {
  ParsedArguments parsed = parseArguments(args);
  error = parsed.error;
  command.options = parsed.options;
  const SimOptions& options = command.options;
  if (!error.empty() || !checkCombination(options, error)) {
    return false;
  }
  if (options.help) {
    command.kind = SimCommand::kHelp;
    return true;
  }
  if (!options.sweep) {
    command.kind = SimCommand::kGames;
    return true;
  }
  command.kind = options.printDesign ? SimCommand::kPrintDesign : SimCommand::kSweep;
  return makeSweepPlan(options, command.plan, error) &&
         checkSweepPlot(options, command.plan, error);
}
