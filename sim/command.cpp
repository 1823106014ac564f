#include "command.h"

#include "file_clash.h"
#include "sweep_design.h"

namespace {

// Every file the command names; a sweep without --table or --summary writes its summary to
// standard output.
std::vector<CommandFile> commandFiles(const SimOptions& options) {
  bool implicitSummary = options.sweep && options.tablePath.empty() && options.summaryPath.empty();
  return {
      {"the --design file", options.designPath, false},
      {"--table", options.tablePath, true},
      {implicitSummary ? "the summary" : "--summary", implicitSummary ? "-" : options.summaryPath,
       true},
      {"--days-table", options.daysTablePath, true},
      {"--survival", options.survivalPath, true},
      {"--indices", options.indicesPath, true},
      {"--plot", options.plotPath, true},
      {"--csv", options.csvPath, true},
  };
}

// Options that do not go together, whatever their values.
bool checkCombination(const SimOptions& options, std::string& error) {
  error = designOptionsProblem(options);
  if (error.empty()) {
    error = fileClash(commandFiles(options));
  }
  if (error.empty() && options.daysTablePath == "-" && options.resume) {
    error = "--resume needs the --days-table FILE to continue";
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
