// velmoria-sim: plays games of the food chain without a window, exactly as the program would
// with the same dialog fields, and prints each game's record; or plays a sweep over ranges of
// fields on every core and writes its tables.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "merge_command.h"
#include "message.h"
#include "pending_files.h"
#include "play_games.h"
#include "print_design.h"
#include "summarise_command.h"
#include "sweep_command.h"

namespace {

int runCommand(const SimCommand& command) {
  switch (command.kind) {
    case SimCommand::kHelp:
      std::fputs(kUsageText, stdout);
      return kExitSuccess;
    case SimCommand::kGames:
      return playGames(command.options);
    case SimCommand::kSweep:
      return runSweep(command);
    case SimCommand::kPrintDesign:
      return printDesign(command.plan);
  }
  return kExitBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  failOnInterrupt();
  // Commands only as the first argument: after options or "--" these words are fields.
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "merge" || args[0] == "summarise")) {
    std::vector<std::string> rest(args.begin() + 1, args.end());
    return args[0] == "merge" ? runMerge(rest) : runSummarise(rest);
  }
  SimCommand command;
  std::string error;
  if (!decideCommand(args, command, error)) {
    return badUsage(error);
  }
  int status = runCommand(command);
  if (status == kExitSuccess && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
    return failure("cannot write standard output");
  }
  return status;
}
