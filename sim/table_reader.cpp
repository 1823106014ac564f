#include "table_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "design_file.h"
#include "message.h"
#include "numbers.h"

namespace {

bool readWholeFile(const std::string& path, std::string& text, std::string& error) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    error = "cannot read " + quoted(path) + ": " + std::strerror(errno);
    return false;
  }
  char buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
    text.append(buffer, got);
  }
  bool ok = std::ferror(in) == 0;
  int readError = errno;
  std::fclose(in);
  if (!ok) {
    error = "cannot read " + quoted(path) + ": " + std::strerror(readError);
  }
  return ok;
}

}  // namespace

int openGameTable(OutputFile& file, const std::string& path, bool resume, const SweepPlan& plan,
                  const Settings& settings, ExistingRows& existing, std::string& error,
                  const BeforeWriting& beforeWriting) {
  const std::string start = settingsText(settings) + gameTableHeader();
  std::string contents;
  if (!resume ? !file.open(path, OutputFile::kRowByRow, error)
              : !file.openToContinue(path, error) || !readWholeFile(path, contents, error)) {
    return kExitFailure;
  }
  size_t kept = 0;
  // A file cut off before its first row holds nothing to keep.
  if (contents.size() > start.size() || start.compare(0, contents.size(), contents) != 0) {
    // Not a table of this command: running it again will not help.
    SettingsBlock block = readSettingsBlock(contents);
    std::string difference = settingsDifference(block.settings, "the table", settings, "this run");
    if (!difference.empty()) {
      error = "cannot resume " + quoted(path) + ": its settings differ: " + difference;
      return kExitBadUsage;
    }
    contents.erase(0, block.bytes);  // in place: a table of many games is large
    if (!readExistingRows(contents, plan, existing, error)) {
      error = "cannot resume " + quoted(path) + ": " + error;
      return kExitBadUsage;
    }
    kept = existing.bytes == 0 ? 0 : block.bytes + existing.bytes;
  }
  int status = beforeWriting(existing, error);
  if (status != kExitSuccess) {
    return status;
  }
  if (!file.keep(kept, error) || (kept == 0 && std::fputs(start.c_str(), file.stream()) < 0) ||
      !file.flush(error)) {
    return kExitFailure;
  }
  return kExitSuccess;
}

namespace {

// The cells of one row; false unless it is a game's row with its numbers in range.
bool readRow(const std::string& line, TableRow& row) {
  std::vector<std::vector<std::string>> rows;
  std::string ignored;
  int64_t combination = 0, repetition = 0, record = 0;
  if (!splitCsvRows(line, rows, ignored) || rows.size() != 1 || rows[0].size() < 20 ||
      !readScaledDecimal(rows[0][0], 0, combination) ||
      !readScaledDecimal(rows[0][1], 0, repetition) || !readScaledDecimal(rows[0][18], 0, record) ||
      combination < 1 || repetition < 1 || repetition > kMaxGameCount || record < 1 ||
      record > INT32_MAX || (rows[0][19] != "0" && rows[0][19] != "1")) {
    return false;
  }
  row = {combination, static_cast<int>(repetition), static_cast<int32_t>(record),
         rows[0][19] == "1", line};
  return true;
}

}  // namespace

std::vector<std::string> rowCells(const TableRow& row) {
  std::vector<std::vector<std::string>> rows;
  std::string ignored;
  splitCsvRows(row.line, rows, ignored);  // read once already when the table was
  return rows.at(0);
}

int readGameTable(const std::string& path, GameTable& table, std::string& error) {
  std::string text;
  if (!readWholeFile(path, text, error)) {
    return kExitFailure;
  }
  SettingsBlock block = readSettingsBlock(text);
  const std::string header = gameTableHeader();
  if (block.settings.empty() || text.compare(block.bytes, header.size(), header) != 0) {
    error = quoted(path) + " is not a game table with its settings";
    return kExitBadUsage;
  }
  table.settings = block.settings;
  size_t rowNumber = 0;
  for (size_t pos = block.bytes + header.size(), end; pos < text.size(); pos = end) {
    end = csvRowEnd(text, pos);
    if (end == std::string::npos) {
      break;  // cut off: the game is not done
    }
    TableRow row;
    ++rowNumber;
    if (!readRow(text.substr(pos, end - pos), row)) {
      error = quoted(path) + ": row " + std::to_string(rowNumber) + " is not a game's row";
      return kExitBadUsage;
    }
    table.rows.push_back(row);
  }
  return kExitSuccess;
}

namespace {

// The run's --days: "none" or a count.
bool readDayLimit(const Settings& settings, int& dayLimit) {
  std::vector<std::string> days = settingValues(settings, "days");
  int64_t limit = 0;
  if (days.size() == 1 && days[0] == "none") {
    dayLimit = 0;
    return true;
  }
  if (days.size() != 1 || !readScaledDecimal(days[0], 0, limit) || limit < 1 || limit > INT32_MAX) {
    return false;
  }
  dayLimit = static_cast<int>(limit);
  return true;
}

// The sixteen texts the run started from, and whether its games drew the screen's dots.
bool readPlayedSettings(const Settings& settings, SweepPlan& plan) {
  std::vector<std::string> fields = settingValues(settings, "fields");
  std::vector<std::string> screen = settingValues(settings, "screen");
  std::vector<std::vector<std::string>> cells;
  std::string ignored;
  if (fields.size() != 1 || screen.size() != 1 || (screen[0] != "on" && screen[0] != "off") ||
      !splitCsvRows(settingUnescaped(fields[0]), cells, ignored) || cells.size() != 1 ||
      cells[0].size() != plan.base.size()) {
    return false;
  }
  std::copy(cells[0].begin(), cells[0].end(), plan.base.begin());
  plan.screenDraws = screen[0] == "on";
  return true;
}

}  // namespace

bool planFromSettings(const Settings& settings, SweepPlan& plan, std::string& error) {
  std::vector<std::string> numbers[3] = {settingValues(settings, "combinations"),
                                         settingValues(settings, "repeat"),
                                         settingValues(settings, "shard")};
  int64_t combinations = 0, repeat = 0, index = 0, count = 0;
  size_t slash = numbers[2].empty() ? std::string::npos : numbers[2][0].find('/');
  if (numbers[0].size() != 1 || numbers[1].size() != 1 || slash == std::string::npos ||
      !readScaledDecimal(numbers[0][0], 0, combinations) ||
      !readScaledDecimal(numbers[1][0], 0, repeat) ||
      !readScaledDecimal(numbers[2][0].substr(0, slash), 0, index) ||
      !readScaledDecimal(numbers[2][0].substr(slash + 1), 0, count) || combinations < 1 ||
      combinations > kMaxGameCount || repeat < 1 || repeat > kMaxGameCount || index < 1 ||
      index > count || count > INT32_MAX || !readDayLimit(settings, plan.dayLimit)) {
    error = "its settings lack the combinations, repeat, shard or days";
    return false;
  }
  if (!readPlayedSettings(settings, plan)) {
    error = "its settings lack the fields or the screen";
    return false;
  }
  plan.combinations = combinations;
  plan.repeat = static_cast<int>(repeat);
  plan.shardIndex = static_cast<int>(index);
  plan.shardCount = static_cast<int>(count);
  std::vector<std::string> fields = settingValues(settings, "design.fields");
  std::vector<std::vector<std::string>> cells;
  for (const std::string& vary : settingValues(settings, "vary")) {
    VariedField varied;
    size_t equals = vary.find('=');
    cells.clear();
    if (equals == std::string::npos || !findField(vary.substr(0, equals), varied.field) ||
        !splitCsvRows(settingUnescaped(vary.substr(equals + 1)), cells, error) ||
        cells.size() != 1) {
      error = "its settings have a bad vary line";
      return false;
    }
    varied.values = cells[0];
    plan.varied.push_back(varied);
  }
  cells.clear();
  if (!fields.empty() && splitCsvRows(fields[0], cells, error) && cells.size() == 1) {
    for (const std::string& name : cells[0]) {
      int field = 0;
      if (!findField(name, field)) {
        error = "its settings name an unknown design field";
        return false;
      }
      plan.design.fields.push_back(field);
    }
  }
  return true;
}
