// The sweep's progress on standard error, redrawn in place, and only when standard error is
// a terminal: a file or a pipe gets nothing of it.
#pragma once

#include <chrono>
#include <cstdint>

class ProgressLine {
 public:
  explicit ProgressLine(int64_t totalGames);
  void update(int64_t gamesDone);  // redraws at most a few times a second
  void finish();                   // clears the line

 private:
  void draw(int64_t gamesDone);

  bool shown_;
  int64_t total_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
};
