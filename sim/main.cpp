// velmoria-sim: plays games of the food chain without a window, exactly as the program would
// with the same dialog fields, and prints each game's record; or plays a sweep over ranges of
// fields on every core and writes its tables.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "message.h"
#include "pending_files.h"
#include "play_games.h"
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
  }
  return kExitBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  failOnInterrupt();
  SimCommand command;
  std::string error;
  if (!decideCommand(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
    return badUsage(error);
  }
  int status = runCommand(command);
  if (status == kExitSuccess && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
    return failure("cannot write standard output");
  }
  return status;
}
