// What the command line asks for, decided whole before any file is opened or any game played:
// every check of the options, the fields and the sweep's ranges is made here, so that a
// command that cannot run makes nothing.
#pragma once

#include <string>
#include <vector>

#include "options.h"
#include "sweep_plan.h"

struct SimCommand {
  enum Kind { kHelp, kGames, kSweep, kPrintDesign } kind = kGames;
  SimOptions options;
  SweepPlan plan;  // for kSweep and kPrintDesign
};

// args excludes the program name. False with a one-line reason when the command cannot run.
bool decideCommand(const std::vector<std::string>& args, SimCommand& command, std::string& error);
