// The files one command reads and writes, checked together before any is opened: an output
// never lands on another output or on a file the command reads, whatever name each is given
// ("./t.csv", an absolute path, a link), and at most one output goes to standard output.
// Devices other than standard output (/dev/null, a terminal) may take several outputs.
#pragma once

#include <string>
#include <vector>

struct CommandFile {
  std::string role;  // for messages: "--table" for an output, "the --design file" for an input
  std::string path;  // "-": standard output, or standard input for an input
  bool written;
};

// The first clash among files, as a one-line reason; empty when there is none. Files with an
// empty path are not given and never clash.
std::string fileClash(const std::vector<CommandFile>& files);
