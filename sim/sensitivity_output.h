// What a sensitivity run answers: its indices file and its chart, computed from each point's
// mean record. The sweep and "summarise TABLE" compute them the same way from the same
// settings and summaries, so their files are the same.
#pragma once

#include <string>
#include <vector>

#include "options.h"
#include "output_file.h"
#include "run_settings.h"
#include "sweep_table.h"

// Bootstrap resamples of the Sobol' intervals.
constexpr int kSobolResamples = 1000;

struct SensitivityAnswer {
  std::string indices;  // the settings' comment lines, the header and one row per field
  std::string chart;    // SVG
};

// played: the design the summaries are of. False with a reason when the settings are not of a
// sensitivity run, the summaries are not one per point of the whole run, in order, or the
// design the settings describe is not the one their design.digest records or the one played
// (a table whose settings lines were edited).
bool sensitivityAnswer(const Settings& settings, const Design& played,
                       const std::vector<CombinationSummary>& summaries, SensitivityAnswer& answer,
                       std::string& error);

// A sensitivity sweep's --indices and --plot files, opened before any game is played.
class SensitivityFiles {
 public:
  bool open(const SimOptions& options, std::string& error);
  bool write(const Settings& settings, const Design& played,
             const std::vector<CombinationSummary>& summaries, std::string& error);

 private:
  bool indices_ = false;
  bool plot_ = false;
  OutputFile indicesFile_;
  OutputFile plotFile_;
};
