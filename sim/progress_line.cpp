#include "progress_line.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::string timeText(double seconds) {
  long long s = static_cast<long long>(seconds + 0.5);
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
  }
  return text;
}

}  // namespace

ProgressLine::ProgressLine(int64_t totalGames)
    : shown_(isatty(STDERR_FILENO) == 1 && totalGames > 0),
      total_(totalGames),
      start_(Clock::now()),
      lastDrawn_(start_ - std::chrono::seconds(1)) {}  // the first update draws at once

void ProgressLine::update(int64_t gamesDone) {
  if (shown_ && Clock::now() - lastDrawn_ >= std::chrono::milliseconds(200)) {
    draw(gamesDone);
  }
}

void ProgressLine::draw(int64_t gamesDone) {
  lastDrawn_ = Clock::now();
  double seconds = std::chrono::duration<double>(lastDrawn_ - start_).count();
  double rate = seconds > 0 ? gamesDone / seconds : 0;
  std::string left = rate > 0 ? timeText((total_ - gamesDone) / rate) : "?";
  std::fprintf(stderr, "\r%lld/%lld games, %.0f games/s, %s left\x1b[K",
               static_cast<long long>(gamesDone), static_cast<long long>(total_), rate,
               left.c_str());
  std::fflush(stderr);
}

void ProgressLine::finish() {
  if (shown_) {
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
  }
}
