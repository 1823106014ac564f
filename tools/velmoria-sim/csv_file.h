// The per-day population table. A named file is written under a temporary name beside it
// and takes its own name only once the table is complete, so a failed or interrupted run
// leaves no partial table behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "world.h"

class CsvFile {
 public:
  CsvFile() = default;
  CsvFile(const CsvFile&) = delete;
  CsvFile& operator=(const CsvFile&) = delete;
  ~CsvFile();  // removes the temporary file of a table that was never finished

  // path "-" writes to standard output. On failure returns false with a one-line reason.
  bool open(const std::string& path, std::string& error);
  void writeRow(int game, int32_t day, const World& w);
  // Flushes and gives the file its name.
  bool finish(std::string& error);

  bool writesToStandardOutput() const { return out_ == stdout; }

 private:
  bool openTemporary(std::string& error);
  void discard();

  FILE* out_ = nullptr;
  std::string target_;
  std::string temporary_;
};
