#include "sweep_command.h"

#include "chart_data.h"
#include "days_table.h"
#include "message.h"
#include "output_file.h"
#include "random_source.h"
#include "run_settings.h"
#include "sensitivity_output.h"
#include "survival_table.h"
#include "sweep_run.h"
#include "table_reader.h"
#include "worker_pool.h"

namespace {

struct SweepFiles {
  bool summary = false;
  OutputFile summaryFile;
  bool plot = false;
  OutputFile plotFile;
  bool survival = false;
  OutputFile survivalFile;
  bool table = false;
  OutputFile tableFile;
  ExistingRows existing;  // of a resumed table
  OutputFile daysFile;
  SensitivityFiles sensitivity;  // its --indices and --plot
};

// Every file is opened before any game is played; the tables written in place last, the
// days-table (checked against the rows the game table keeps) just before the game table.
// Returns the exit status.
int openFiles(const SimCommand& command, const Settings& settings, SweepFiles& files,
              std::string& error) {
  const SimOptions& options = command.options;
  files.summary = !options.summaryPath.empty() || options.tablePath.empty();
  if (files.summary &&
      !files.summaryFile.open(options.summaryPath.empty() ? "-" : options.summaryPath,
                              OutputFile::kWhole, error)) {
    return failure(error);
  }
  files.plot = !options.plotPath.empty() && options.sensitivityMethod.empty();
  if ((files.plot && !files.plotFile.open(options.plotPath, OutputFile::kWhole, error)) ||
      !files.sensitivity.open(options, error)) {
    return failure(error);
  }
  files.survival = !options.survivalPath.empty();
  if (files.survival && !files.survivalFile.open(options.survivalPath, OutputFile::kWhole, error)) {
    return failure(error);
  }
  files.table = !options.tablePath.empty();
  auto openDays = [&](const ExistingRows& kept, std::string& reason) {
    return !command.plan.recordDays
               ? kExitSuccess
               : openDaysTable(files.daysFile, options.daysTablePath, options.resume, command.plan,
                               settings, kept.results, reason);
  };
  int status = files.table ? openGameTable(files.tableFile, options.tablePath, options.resume,
                                           command.plan, settings, files.existing, error, openDays)
                           : openDays(files.existing, error);
  if (status != kExitSuccess) {
    return status == kExitBadUsage ? badUsage(error) : failure(error);
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
  const Settings settings = runSettings(command.options, plan);
  int status = openFiles(command, settings, files, error);
  if (status != kExitSuccess) {
    return status;
  }
  int jobs = command.options.jobs > 0 ? command.options.jobs : coresAvailable();
  std::vector<CombinationSummary> summaries;
  OutputFile* daysTable = plan.recordDays ? &files.daysFile : nullptr;
  SweepRun run{plan,      startState,
               jobs,      files.table ? &files.tableFile : nullptr,
               daysTable, files.existing.results};
  if (!playSweep(run, summaries, error) || (files.table && !files.tableFile.finish(error)) ||
      (daysTable != nullptr && !daysTable->finish(error))) {
    return failure(error);
  }
  if (files.summary) {
    if (!writeWhole(files.summaryFile, summaryText(settings, plan, summaries), error)) {
      return failure(error);
    }
  }
  if (files.survival && !writeWhole(files.survivalFile, survivalText(settings, summaries), error)) {
    return failure(error);
  }
  if ((files.plot && !writeWhole(files.plotFile,
                                 files.survival ? survivalChart(plan, summaries)
                                                : sweepChart(plan, summaries, startState),
                                 error)) ||
      !files.sensitivity.write(settings, plan.design, summaries, error)) {
    return failure(error);
  }
  return kExitSuccess;
}
