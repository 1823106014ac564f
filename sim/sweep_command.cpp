#include "sweep_command.h"

#include "chart_data.h"
#include "message.h"
#include "output_file.h"
#include "random_source.h"
#include "sweep_run.h"
#include "worker_pool.h"

namespace {

struct SweepFiles {
  bool summary = false;
  OutputFile summaryFile;
  bool plot = false;
  OutputFile plotFile;
  bool table = false;
  OutputFile tableFile;
  ExistingRows existing;  // of a resumed table
};

// Opens the table to continue it; returns the exit status.
int resumeTable(const SimCommand& command, SweepFiles& files, std::string& error) {
  const std::string& path = command.options.tablePath;
  std::string contents;
  if (!files.tableFile.openToContinue(path, contents, error)) {
    return failure(error);
  }
  // Not the table the command describes: running it again will not help.
  if (!readExistingRows(contents, command.plan, files.existing, error)) {
    return badUsage("cannot resume " + quoted(path) + ": " + error);
  }
  if (!files.tableFile.keep(files.existing.bytes, error)) {
    return failure(error);
  }
  if (files.existing.bytes == 0) {
    std::fputs(gameTableHeader().c_str(), files.tableFile.stream());
  }
  return kExitSuccess;
}

// Every file is opened before any game is played; the game table last, since it is the one
// written in place. Returns the exit status.
int openFiles(const SimCommand& command, SweepFiles& files, std::string& error) {
  const SimOptions& options = command.options;
  files.summary = !options.summaryPath.empty() || options.tablePath.empty();
  if (files.summary &&
      !files.summaryFile.open(options.summaryPath.empty() ? "-" : options.summaryPath,
                              OutputFile::kWhole, error)) {
    return failure(error);
  }
  files.plot = !options.plotPath.empty();
  if (files.plot && !files.plotFile.open(options.plotPath, OutputFile::kWhole, error)) {
    return failure(error);
  }
  files.table = !options.tablePath.empty();
  if (files.table && options.resume) {
    int status = resumeTable(command, files, error);
    if (status != kExitSuccess) {
      return status;
    }
  } else if (files.table) {
    if (!files.tableFile.open(options.tablePath, OutputFile::kRowByRow, error)) {
      return failure(error);
    }
    std::fputs(gameTableHeader().c_str(), files.tableFile.stream());
  }
  if (files.table && !files.tableFile.flush(error)) {
    return failure(error);
  }
  return kExitSuccess;
}

bool writeWhole(OutputFile& file, const std::string& text, std::string& error) {
  std::fputs(text.c_str(), file.stream());
  return file.finish(error);
}

}  // namespace

int runSweep(const SimCommand& command) {
  const uint32_t startState = randomState();  // nothing has drawn yet
  const SweepPlan& plan = command.plan;
  std::string error;
  SweepFiles files;
  int status = openFiles(command, files, error);
  if (status != kExitSuccess) {
    return status;
  }
  int jobs = command.options.jobs > 0 ? command.options.jobs : coresAvailable();
  std::vector<CombinationSummary> summaries;
  SweepRun run{plan, startState, jobs, files.table ? &files.tableFile : nullptr,
               files.existing.results};
  if (!playSweep(run, summaries, error) || (files.table && !files.tableFile.finish(error))) {
    return failure(error);
  }
  if (files.summary) {
    std::string text = summaryHeader(plan);
    for (const CombinationSummary& row : summaries) {
      text += summaryRow(plan, row);
    }
    if (!writeWhole(files.summaryFile, text, error)) {
      return failure(error);
    }
  }
  if (files.plot && !writeWhole(files.plotFile, sweepChart(plan, summaries, startState), error)) {
    return failure(error);
  }
  return kExitSuccess;
}
