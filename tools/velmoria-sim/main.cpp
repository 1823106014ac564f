// velmoria-sim: plays games of the food chain without a window, exactly as the program would
// with the same dialog fields, and prints each game's record.
#include <cstdio>
#include <string>
#include <vector>

#include "csv_file.h"
#include "game_loop.h"
#include "options.h"
#include "result_line.h"

namespace {

constexpr int kUsageError = 2;

int fail(const std::string& message) {
  std::fprintf(stderr, "velmoria-sim: %s\n", message.c_str());
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  ParsedArguments parsed = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    return fail(parsed.error);
  }
  const SimOptions& options = parsed.options;
  if (options.help) {
    std::fputs(kUsageText, stdout);
    return 0;
  }

  CsvFile csv;
  std::string error;
  bool writeCsv = !options.csvPath.empty();
  if (writeCsv && !csv.open(options.csvPath, error)) {
    return fail(error);
  }
  FILE* results = writeCsv && csv.writesToStandardOutput() ? stderr : stdout;

  GameSettings settings{dialogTexts(options.fields), options.dayLimit, options.screenDraws};
  for (int game = 1; game <= options.games; ++game) {
    DayListener onDay;
    if (writeCsv) {
      onDay = [&csv, game](const World& w, int32_t day) { csv.writeRow(game, day, w); };
    }
    GameResult result = playGame(settings, onDay);
    std::fprintf(results, "%s\n", resultLine(result).c_str());
  }

  if (writeCsv && !csv.finish(error)) {
    return fail(error);
  }
  if (std::fflush(stdout) != 0) {
    return fail("cannot write standard output");
  }
  return 0;
}
