#include "summarise_command.h"

#include <cstdio>

#include "chart_data.h"
#include "file_clash.h"
#include "message.h"
#include "output_file.h"
#include "random_source.h"
#include "sensitivity_output.h"
#include "sensitivity_sweep.h"
#include "survival_table.h"
#include "table_reader.h"

namespace {

const char* const kSummariseUsage =
    "usage: velmoria-sim summarise TABLE [--summary FILE] [--survival FILE] [--plot FILE.svg] "
    "[--indices FILE]";

struct SummariseArguments {
  std::string tablePath;
  std::string summaryPath = "-";
  std::string plotPath;
  std::string survivalPath;  // with --plot, the chart draws these curves
  std::string indicesPath;
};

// The options that take a file.
std::string* fileOption(SummariseArguments& summarise, const std::string& arg) {
  return arg == "--summary"    ? &summarise.summaryPath
         : arg == "--plot"     ? &summarise.plotPath
         : arg == "--survival" ? &summarise.survivalPath
         : arg == "--indices"  ? &summarise.indicesPath
                               : nullptr;
}

bool readArguments(const std::vector<std::string>& args, SummariseArguments& summarise,
                   std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    const std::string& arg = args[i];
    std::string* file = optionsEnded ? nullptr : fileOption(summarise, arg);
    bool valued = file != nullptr;
    if (valued && i + 1 < args.size() && !args[i + 1].empty()) {
      *file = args[++i];
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (valued || (!optionsEnded && arg.rfind("--", 0) == 0 && arg.size() > 2) ||
               !summarise.tablePath.empty()) {
      error = "bad summarise argument " + quoted(arg) + " (" + kSummariseUsage + ")";
    } else {
      summarise.tablePath = arg;
    }
  }
  if (error.empty() && summarise.tablePath.empty()) {
    error = std::string("summarise needs a TABLE (") + kSummariseUsage + ")";
  }
  if (error.empty()) {
    error = fileClash({{"the TABLE", summarise.tablePath, false},
                       {"--summary", summarise.summaryPath, true},
                       {"--survival", summarise.survivalPath, true},
                       {"--plot", summarise.plotPath, true},
                       {"--indices", summarise.indicesPath, true}});
  }
  return error.empty();
}

// Each combination's games in the table's order; the design's texts come from the rows.
// Returns kExitSuccess, kExitFailure for a table that --resume can still finish, or
// kExitBadUsage for one that is not of its run.
int summarizeRows(const GameTable& table, SweepPlan& plan,
                  std::vector<CombinationSummary>& summaries, std::string& error) {
  bool design = !plan.design.fields.empty();
  // The design reaches as far as the rows do, not to the count in the settings, which may be
  // far more than the table holds; it has a row even when the table has none.
  plan.design.rows.assign(design ? 1 : 0, {});
  std::vector<GameResult> games;
  for (size_t i = 0; i < table.rows.size(); ++i) {
    const TableRow& row = table.rows[i];
    games.push_back(GameResult{row.record, !row.stopped, {}});
    if (row.combination > plan.combinations ||
        (row.combination - plan.shardIndex) % plan.shardCount != 0 ||
        row.repetition != static_cast<int>(games.size())) {
      error = "its row " + std::to_string(i + 1) + " is not the next game of this run";
      return kExitBadUsage;
    }
    // A run writes its combinations in order, so one that comes again is a table edited or
    // joined by hand, and would be summarised twice.
    if (i > 0 && row.combination < table.rows[i - 1].combination) {
      error = "its row " + std::to_string(i + 1) + " goes back to combination " +
              std::to_string(row.combination) + " after combination " +
              std::to_string(table.rows[i - 1].combination) + ": a run's table has them in order";
      return kExitBadUsage;
    }
    if (design && row.combination > static_cast<int64_t>(plan.design.rows.size())) {
      plan.design.rows.resize(row.combination);
    }
    if (design && plan.design.rows[row.combination - 1].empty()) {
      std::vector<std::string> cells = rowCells(row);
      for (int field : plan.design.fields) {
        plan.design.rows[row.combination - 1].push_back(cells[2 + field]);
      }
    }
    bool last = i + 1 == table.rows.size() || table.rows[i + 1].combination != row.combination;
    if (last && static_cast<int>(games.size()) != plan.repeat) {
      error = "combination " + std::to_string(row.combination) + " has " +
              std::to_string(games.size()) + " of its " + std::to_string(plan.repeat) +
              " games: finish the table with --resume first";
      return kExitFailure;
    }
    if (last) {
      summaries.push_back(summarize(row.combination, games, plan.dayLimit));
      games.clear();
    }
  }
  return kExitSuccess;
}

bool writeWhole(const std::string& path, const std::string& text, std::string& error) {
  OutputFile file;
  if (!file.open(path, OutputFile::kWhole, error)) {
    return false;
  }
  std::fputs(text.c_str(), file.stream());
  return file.finish(error);
}

}  // namespace

int runSummarise(const std::vector<std::string>& args) {
  const uint32_t startState = randomState();  // the sweep's first game started from it too
  SummariseArguments summarise;
  std::string error;
  if (!readArguments(args, summarise, error)) {
    return badUsage(error);
  }
  GameTable table;
  SweepPlan plan;
  std::vector<CombinationSummary> summaries;
  if (int status = readGameTable(summarise.tablePath, table, error)) {
    return report(error, status);
  }
  if (!planFromSettings(table.settings, plan, error)) {
    return badUsage("cannot summarise " + quoted(summarise.tablePath) + ": " + error);
  }
  if (int status = summarizeRows(table, plan, summaries, error)) {
    return report("cannot summarise " + quoted(summarise.tablePath) + ": " + error, status);
  }
  bool plot = !summarise.plotPath.empty();
  bool survival = !summarise.survivalPath.empty();
  bool indices = !summarise.indicesPath.empty();
  SensitivityAnswer answer;
  bool sensitivity = sensitivityAnswer(table.settings, plan.design, summaries, answer, error);
  // A sensitivity run's chart is its indices: one that cannot have them gets no other chart.
  SensitivityStudy study;
  bool sensitivityRun =
      sensitivityFromSettings(table.settings, static_cast<int>(plan.design.fields.size()), study);
  if ((indices || (plot && sensitivityRun && !survival)) && !sensitivity) {
    return badUsage(std::string(indices ? "--indices" : "--plot") + ": cannot use " +
                    quoted(summarise.tablePath) + ": " + error);
  }
  if (plot && !sensitivity && !survival &&
      (plan.varied.size() > 2 || plan.shardCount > 1 ||
       static_cast<int64_t>(summaries.size()) != plan.combinations)) {
    return badUsage(
        "--plot draws a whole run: a sweep over at most two fields or a design, the survival "
        "curves (--survival) or the indices of a sensitivity run");
  }
  std::string svg = !plot         ? ""
                    : sensitivity ? answer.chart
                    : survival    ? survivalChart(plan, summaries)
                                  : sweepChart(plan, summaries, startState);
  if (!writeWhole(summarise.summaryPath, summaryText(table.settings, plan, summaries), error) ||
      (survival &&
       !writeWhole(summarise.survivalPath, survivalText(table.settings, summaries), error)) ||
      (plot && !writeWhole(summarise.plotPath, svg, error)) ||
      (indices && !writeWhole(summarise.indicesPath, answer.indices, error))) {
    return failure(error);
  }
  return 0;
}
