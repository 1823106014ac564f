// The per-day population table, written whole through OutputFile: a named file takes its
// name only once the table is complete, so a failed or interrupted run leaves no partial
// table behind.
#pragma once

#include <cstdint>
#include <string>

#include "output_file.h"
#include "world.h"

class CsvFile {
 public:
  // path "-" writes to standard output. On failure returns false with a one-line reason.
  bool open(const std::string& path, std::string& error);
  void writeRow(int game, int32_t day, const World& w);
  // Flushes and gives the file its name.
  bool finish(std::string& error) { return file_.finish(error); }

  bool writesToStandardOutput() const { return file_.isStandardOutput(); }

 private:
  OutputFile file_;
};
