// velmoria-sim: plays games of the food chain without a window, exactly as the program would
// with the same dialog fields, and prints each game's record; or plays a sweep over ranges of
// fields on every core and writes its tables.
#include <cstdio>
#include <string>
#include <vector>

#include "chart_data.h"
#include "csv_file.h"
#include "game_loop.h"
#include "merge_command.h"
#include "message.h"
#include "options.h"
#include "output_file.h"
#include "result_line.h"
#include "summarise_command.h"
#include "sweep_run.h"

namespace {

int playGames(const SimOptions& options) {
  std::string error;
  CsvFile csv;
  bool writeCsv = !options.csvPath.empty();
  if (writeCsv && !csv.open(options.csvPath, error)) {
    return fail(error);
  }
  OutputFile plotFile;
  bool plot = !options.plotPath.empty();
  if (plot && !plotFile.open(options.plotPath, OutputFile::kWhole, error)) {
    return fail(error);
  }
  FILE* results = writeCsv && csv.writesToStandardOutput() ? stderr : stdout;

  GameSettings settings{dialogTexts(options.fields), options.dayLimit, options.screenDraws};
  PopulationSeries firstGame{{}, 0, false};
  for (int game = 1; game <= options.games; ++game) {
    DayListener onDay;
    if (writeCsv || (plot && game == 1)) {
      onDay = [&, game](const World& w, int32_t day) {
        if (writeCsv) {
          csv.writeRow(game, day, w);
        }
        if (plot && game == 1) {
          addDay(firstGame, w);
        }
      };
    }
    GameResult result = playGame(settings, onDay);
    if (game == 1) {
      firstGame.record = result.days;
      firstGame.stopped = !result.extinct;
    }
    std::fprintf(results, "%s\n", resultLine(result).c_str());
  }

  if (writeCsv && !csv.finish(error)) {
    return fail(error);
  }
  if (plot) {
    std::fputs(populationChartSvg(firstGame).c_str(), plotFile.stream());
    if (!plotFile.finish(error)) {
      return fail(error);
    }
  }
  if (std::fflush(results) != 0 || std::ferror(results)) {
    return fail(results == stderr ? "cannot write standard error" : "cannot write standard output");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Commands only as the first argument: after options or "--" these words are fields.
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "merge" || args[0] == "summarise")) {
    std::vector<std::string> rest(args.begin() + 1, args.end());
    return args[0] == "merge" ? runMerge(rest) : runSummarise(rest);
  }
  ParsedArguments parsed = parseArguments(args);
  if (!parsed.error.empty()) {
    return fail(parsed.error);
  }
  const SimOptions& options = parsed.options;
  if (options.help) {
    std::fputs(kUsageText, stdout);
    return 0;
  }
  int status = options.sweep ? runSweep(options) : playGames(options);
  if (status == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
    return fail("cannot write standard output");
  }
  return status;
}
