#include "sensitivity_output.h"

#include <cstdio>

#include "numbers.h"
#include "sensitivity_indices.h"
#include "sensitivity_sweep.h"
#include "svg_chart.h"
#include "sweep_plan.h"

namespace {

constexpr int kDecimals = 4;

std::string cells(const std::vector<double>& values) {
  std::string text;
  for (double v : values) {
    text += "," + fixedText(v == 0 ? 0.0 : v, kDecimals);  // never "-0.0000" for a zero
  }
  return text + "\n";
}

void answerMorris(const SensitivityStudy& study, const std::vector<SampleRange>& ranges,
                  const std::vector<std::string>& names, const std::vector<double>& means,
                  SensitivityAnswer& answer) {
  MorrisDesign design = playedMorrisDesign(study, ranges);
  std::vector<MorrisIndex> indices = morrisIndices(design, means);
  answer.indices += "field,mu,mu_star,sigma\n";
  for (size_t i = 0; i < indices.size(); ++i) {
    answer.indices += names[i] + cells({indices[i].mu, indices[i].muStar, indices[i].sigma});
  }
  answer.chart = morrisChartSvg(names, indices);
}

void answerSobol(const SensitivityStudy& study, const std::vector<std::string>& names,
                 const std::vector<double>& means, SensitivityAnswer& answer) {
  std::vector<SobolIndex> indices = sobolIndices(study.fields, means, kSobolResamples, study.seed);
  answer.indices += "field,S1,S1_low,S1_high,ST,ST_low,ST_high\n";
  for (size_t i = 0; i < indices.size(); ++i) {
    const SobolIndex& x = indices[i];
    answer.indices += names[i] + cells({x.s1, x.s1Low, x.s1High, x.st, x.stLow, x.stHigh});
  }
  answer.chart = sobolChartSvg(names, indices);
}

bool writeWhole(OutputFile& file, const std::string& text, std::string& error) {
  std::fputs(text.c_str(), file.stream());
  return file.finish(error);
}

}  // namespace

bool sensitivityAnswer(const Settings& settings, const Design& played,
                       const std::vector<CombinationSummary>& summaries, SensitivityAnswer& answer,
                       std::string& error) {
  const std::vector<int>& fields = played.fields;
  SensitivityStudy study;
  std::vector<SampleRange> ranges;
  if (!sensitivityFromSettings(settings, static_cast<int>(fields.size()), study) ||
      !sensitivityRangesFromSettings(settings, fields, ranges)) {
    error = "the indices need the table of a --sensitivity run";
    return false;
  }
  size_t points = static_cast<size_t>(sensitivityPoints(study));
  std::vector<double> means;
  for (const CombinationSummary& summary : summaries) {
    if (summary.combination != static_cast<int64_t>(means.size()) + 1) {
      break;
    }
    means.push_back(summary.mean);
  }
  if (means.size() != points || summaries.size() != points) {
    error = "the indices need every one of the run's " + std::to_string(points) + " points";
    return false;
  }
  // The indices come from the design made again from the settings, so it must be the one
  // played: an edited seed or range line would give other points and silently wrong indices.
  Design design = sensitivityDesign(study, ranges);
  if (settingValues(settings, "design.digest") != std::vector<std::string>{designDigest(design)}) {
    error = "its settings describe another design than the one its design.digest records";
    return false;
  }
  for (size_t p = 0; p < points; ++p) {
    if (p >= played.rows.size() || played.rows[p] != design.rows[p]) {
      error = "combination " + std::to_string(p + 1) +
              " was not played with the values of the design its settings describe";
      return false;
    }
  }
  std::vector<std::string> names;
  for (int field : fields) {
    names.push_back(kFieldNames[field]);
  }
  answer.indices = settingsText(settings);
  if (study.method == "morris") {
    answerMorris(study, ranges, names, means, answer);
  } else {
    answerSobol(study, names, means, answer);
  }
  return true;
}

bool SensitivityFiles::open(const SimOptions& options, std::string& error) {
  if (options.sensitivityMethod.empty()) {
    return true;
  }
  indices_ = !options.indicesPath.empty();
  plot_ = !options.plotPath.empty();
  return (!indices_ || indicesFile_.open(options.indicesPath, OutputFile::kWhole, error)) &&
         (!plot_ || plotFile_.open(options.plotPath, OutputFile::kWhole, error));
}

bool SensitivityFiles::write(const Settings& settings, const Design& played,
                             const std::vector<CombinationSummary>& summaries, std::string& error) {
  SensitivityAnswer answer;
  if (!indices_ && !plot_) {
    return true;
  }
  return sensitivityAnswer(settings, played, summaries, answer, error) &&
         (!indices_ || writeWhole(indicesFile_, answer.indices, error)) &&
         (!plot_ || writeWhole(plotFile_, answer.chart, error));
}
