#include "play_games.h"

#include <cstdio>
#include <string>

#include "chart_data.h"
#include "csv_file.h"
#include "game_loop.h"
#include "message.h"
#include "output_file.h"
#include "result_line.h"

int playGames(const SimOptions& options) {
  std::string error;
  CsvFile csv;
  bool writeCsv = !options.csvPath.empty();
  if (writeCsv && !csv.open(options.csvPath, error)) {
    return failure(error);
  }
  OutputFile plotFile;
  bool plot = !options.plotPath.empty();
  if (plot && !plotFile.open(options.plotPath, OutputFile::kWhole, error)) {
    return failure(error);
  }
  // Whichever file takes standard output, the result lines give way to it.
  bool fileToOutput = (writeCsv && csv.writesToStandardOutput()) || plotFile.isStandardOutput();
  FILE* results = fileToOutput ? stderr : stdout;

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
      endSeries(firstGame, result);
    }
    std::fprintf(results, "%s\n", resultLine(result).c_str());
  }

  if (writeCsv && !csv.finish(error)) {
    return failure(error);
  }
  if (plot) {
    std::fputs(populationChartSvg(firstGame).c_str(), plotFile.stream());
    if (!plotFile.finish(error)) {
      return failure(error);
    }
  }
  if (std::fflush(results) != 0 || std::ferror(results)) {
    return failure(results == stderr ? "cannot write standard error"
                                     : "cannot write standard output");
  }
  return kExitSuccess;
}
