#include "sweep_table.h"

#include <algorithm>
#include <climits>

#include "game_outcome.h"
#include "numbers.h"
#include "run_settings.h"
#include "sample_statistics.h"

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string out = "\"";
  for (char c : text) {
    out += c == '"' ? "\"\"" : std::string(1, c);
  }
  return out + "\"";
}

std::string fieldColumnNames() {
  std::string names;
  for (const char* name : kFieldNames) {
    names += std::string(",") + name;
  }
  return names;
}

std::string fieldColumnTexts(const SweepPlan& plan, int64_t combination) {
  std::string texts;
  for (const std::string& text : combinationTexts(plan, combination)) {
    texts += "," + csvField(text);
  }
  return texts;
}

std::string gameTableHeader() {
  return "combination,repetition" + fieldColumnNames() + ",record,stopped" + outcomeColumnNames() +
         "\n";
}

namespace {

// Everything of a game's row before its record.
std::string rowStart(const SweepPlan& plan, int64_t combination, int repetition) {
  return std::to_string(combination) + "," + std::to_string(repetition) +
         fieldColumnTexts(plan, combination) + ",";
}

// Reads "RECORD,STOPPED\n" at pos; false when the row is not complete or not of this form.
bool readRecord(const std::string& text, size_t& pos, GameResult& result, bool& complete) {
  size_t end = text.find('\n', pos);
  complete = end != std::string::npos;
  if (!complete) {
    return false;
  }
  std::string line = text.substr(pos, end - pos);
  size_t outcome = line.find(',', line.find(',') + 1);
  std::string rest = line.substr(0, outcome);
  size_t comma = rest.find(',');
  std::string stoppedText = comma == std::string::npos ? "" : rest.substr(comma + 1);
  int days = 0;
  int stopped = 0;  // "0", "00", ... stay 0; anything else must read as 1
  bool notStopped = !stoppedText.empty() && stoppedText.find_first_not_of('0') == std::string::npos;
  if (outcome == std::string::npos || comma == std::string::npos ||
      !readCount(rest.substr(0, comma), INT_MAX, days) ||
      !(notStopped || readCount(stoppedText, 1, stopped))) {
    return false;
  }
  result.days = static_cast<int32_t>(days);
  result.extinct = stopped == 0;
  if (!readOutcomeColumns(line.substr(outcome), result)) {
    return false;
  }
  pos = end + 1;
  return true;
}

}  // namespace

std::string gameTableRow(const SweepPlan& plan, int64_t combination, int repetition,
                         const GameResult& result) {
  return rowStart(plan, combination, repetition) + std::to_string(result.days) + "," +
         (result.extinct ? "0" : "1") + outcomeColumns(result) + "\n";
}

bool readExistingRows(const std::string& text, const SweepPlan& plan, ExistingRows& rows,
                      std::string& error) {
  rows = ExistingRows{};
  const std::string header = gameTableHeader();
  if (text.size() < header.size() && header.compare(0, text.size(), text) == 0) {
    return true;  // cut off within the header: nothing to keep
  }
  if (text.compare(0, header.size(), header) != 0) {
    error = "its header is not that of a game table";
    return false;
  }
  size_t pos = header.size();
  rows.bytes = pos;
  int64_t combinations = shardCombinationCount(plan);
  for (int64_t i = 0; i < combinations && pos < text.size(); ++i) {
    int64_t combination = shardCombination(plan, i);
    for (int repetition = 1; repetition <= plan.repeat && pos < text.size(); ++repetition) {
      std::string start = rowStart(plan, combination, repetition);
      GameResult result{};
      bool complete = false;
      if (text.compare(pos, start.size(), start) != 0) {
        complete = text.find('\n', pos) != std::string::npos;
      } else {
        size_t recordPos = pos + start.size();
        if (readRecord(text, recordPos, result, complete)) {
          rows.results.push_back(result);
          pos = rows.bytes = recordPos;
          continue;
        }
      }
      if (complete) {
        error = "its row " + std::to_string(rows.results.size() + 1) +
                " is not that game of this sweep";
        return false;
      }
      return true;  // the last row was cut off
    }
  }
  if (text.find('\n', pos) != std::string::npos) {
    error = "it has more rows than this sweep";
    return false;
  }
  return true;
}

std::string summaryHeader(const SweepPlan& plan) {
  std::string header;
  for (int field : changingFields(plan)) {
    header += std::string(kFieldNames[field]) + ",";
  }
  return header + "games,mean,min,median,max,stopped,sd,mean_low,mean_high,km_median,rmst\n";
}

namespace {

// The spread and the censoring-aware figures of a combination's records.
void addStatistics(CombinationSummary& summary, const std::vector<GameResult>& results,
                   int dayLimit) {
  std::vector<double> records;
  std::vector<GameSurvival> survival;
  for (const GameResult& result : results) {
    records.push_back(result.days);
    survival.push_back({result.days, !result.extinct});
  }
  MeanInterval interval = meanInterval(records);
  summary.sd = interval.sd;
  summary.meanLow = interval.low;
  summary.meanHigh = interval.high;
  summary.curve = kaplanMeier(survival);
  std::optional<int> median = kaplanMeierMedian(summary.curve);
  summary.kmMedian = median ? std::to_string(*median) : "";
  summary.rmst = restrictedMeanSurvival(summary.curve, dayLimit > 0 ? dayLimit : summary.max);
}

}  // namespace

CombinationSummary summarize(int64_t combination, const std::vector<GameResult>& results,
                             int dayLimit) {
  std::vector<int32_t> days;
  CombinationSummary summary;
  summary.combination = combination;
  summary.games = static_cast<int>(results.size());
  double sum = 0;
  for (const GameResult& result : results) {
    days.push_back(result.days);
    sum += result.days;
    summary.stopped += result.extinct ? 0 : 1;
  }
  std::sort(days.begin(), days.end());
  size_t n = days.size();
  summary.mean = sum / static_cast<double>(n);
  summary.min = days.front();
  summary.max = days.back();
  long long twiceMedian = n % 2 == 1 ? 2LL * days[n / 2] : 0LL + days[n / 2 - 1] + days[n / 2];
  summary.median = std::to_string(twiceMedian / 2) + (twiceMedian % 2 == 1 ? ".5" : "");
  addStatistics(summary, results, dayLimit);
  return summary;
}

std::string summaryRow(const SweepPlan& plan, const CombinationSummary& summary) {
  std::string row;
  for (const std::string& text : changingTexts(plan, summary.combination)) {
    row += csvField(text) + ",";
  }
  return row + std::to_string(summary.games) + "," + fixedText(summary.mean, 2) + "," +
         std::to_string(summary.min) + "," + summary.median + "," + std::to_string(summary.max) +
         "," + std::to_string(summary.stopped) + "," + fixedText(summary.sd, 2) + "," +
         fixedText(summary.meanLow, 2) + "," + fixedText(summary.meanHigh, 2) + "," +
         summary.kmMedian + "," + fixedText(summary.rmst, 2) + "\n";
}

std::string summaryText(const std::vector<std::string>& settings, const SweepPlan& plan,
                        const std::vector<CombinationSummary>& summaries) {
  std::string text = settingsText(settings) + summaryHeader(plan);
  for (const CombinationSummary& row : summaries) {
    text += summaryRow(plan, row);
  }
  return text;
}
