// "velmoria-sim summarise TABLE [--summary FILE] [--plot FILE.svg]": the summary and the chart
// of a finished or merged table, the very bytes the sweep itself writes, without playing.
#pragma once

#include <string>
#include <vector>

// args: the arguments after "summarise". Returns the exit status.
int runSummarise(const std::vector<std::string>& args);
