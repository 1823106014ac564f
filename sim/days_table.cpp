#include "days_table.h"

#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "message.h"

std::string daysTableHeader() {
  return "combination,repetition,day,large_carnivores,small_carnivores,herbivores,plants\n";
}

void appendDayRows(std::string& text, int64_t combination, int repetition,
                   const int32_t* populations, int32_t days) {
  char row[160];
  for (int32_t day = 0; day < days; ++day) {
    const int32_t* p = populations + 4 * day;
    std::snprintf(row, sizeof row, "%lld,%d,%d,%d,%d,%d,%d\n", static_cast<long long>(combination),
                  repetition, static_cast<int>(day + 1), static_cast<int>(p[0]),
                  static_cast<int>(p[1]), static_cast<int>(p[2]), static_cast<int>(p[3]));
    text += row;
  }
}

namespace {

// A days-table file read line by line; closes itself.
class DaysFile {
 public:
  explicit DaysFile(const std::string& path) : in_(std::fopen(path.c_str(), "rb")) {}
  ~DaysFile() {
    std::free(line_);
    if (in_ != nullptr) {
      std::fclose(in_);
    }
  }
  DaysFile(const DaysFile&) = delete;
  DaysFile& operator=(const DaysFile&) = delete;

  bool opened() const { return in_ != nullptr; }
  bool seek(long long offset) { return fseeko(in_, static_cast<off_t>(offset), SEEK_SET) == 0; }
  long long tell() const { return static_cast<long long>(ftello(in_)); }
  // The next line with its line end; false at the end or on a line cut off.
  bool next(std::string& line) {
    ssize_t got = getline(&line_, &capacity_, in_);
    if (got <= 0 || line_[got - 1] != '\n') {
      return false;
    }
    line.assign(line_, static_cast<size_t>(got));
    return true;
  }
  size_t read(char* buffer, size_t size) { return std::fread(buffer, 1, size, in_); }
  bool failed() const { return std::ferror(in_) != 0; }

 private:
  FILE* in_;
  char* line_ = nullptr;
  size_t capacity_ = 0;
};

std::string cannotRead(const std::string& path, int errorNumber) {
  return "cannot read " + quoted(path) + ": " + std::strerror(errorNumber);
}

// Reads the rows of games' days one after another and writes to out those of the games to be
// copied; false when a row is missing or belongs to another game or day.
bool passGameDays(DaysFile& file, const std::vector<GameDays>& games, FILE* out,
                  std::string& missing) {
  std::string line;
  for (const GameDays& game : games) {
    std::string prefix = std::to_string(game.combination) + "," + std::to_string(game.repetition);
    for (int32_t day = 1; day <= game.days; ++day) {
      std::string start = prefix + "," + std::to_string(day) + ",";
      if (!file.next(line) || line.compare(0, start.size(), start) != 0) {
        missing = "day " + std::to_string(day) + " of combination " +
                  std::to_string(game.combination) + ", repetition " +
                  std::to_string(game.repetition);
        return false;
      }
      if (game.copy) {
        std::fwrite(line.data(), 1, line.size(), out);  // finishing the output reports a failure
      }
    }
  }
  return true;
}

// For a resumed run, how many bytes of the days-table at path to keep: its settings, header
// and the days of the kept games, or none of a file that holds only the start of one, cut off
// before its rows. Read line by line: a days-table can be far larger than a run should hold
// in memory.
int bytesToKeep(const std::string& path, const std::string& start, const SweepPlan& plan,
                const Settings& settings, const std::vector<GameResult>& kept, long long& bytes,
                std::string& error) {
  DaysFile file(path);
  std::string beginning(start.size() + 1, '\0');
  if (file.opened()) {
    beginning.resize(file.read(&beginning[0], beginning.size()));
  }
  if (!file.opened() || file.failed() || !file.seek(0)) {
    error = cannotRead(path, errno);
    return kExitFailure;
  }
  bytes = 0;
  bool fresh =
      beginning.size() <= start.size() && start.compare(0, beginning.size(), beginning) == 0;
  if (fresh && kept.empty()) {
    return kExitSuccess;
  }
  std::string head, line;
  while (file.next(line) && line[0] == '#') {
    head += line;
  }
  Settings tableSettings = readSettingsBlock(head).settings;
  std::string difference =
      settingsDifference(tableSettings, "the days-table", settings, "this run");
  if (!tableSettings.empty() && !difference.empty()) {
    error = "cannot resume " + quoted(path) + ": its settings differ: " + difference;
    return kExitBadUsage;
  }
  std::vector<GameDays> games;
  for (size_t game = 0; game < kept.size(); ++game) {
    games.push_back({shardCombination(plan, static_cast<int64_t>(game) / plan.repeat),
                     static_cast<int>(game % plan.repeat) + 1, kept[game].days, false});
  }
  std::string missing;
  bool complete = line == daysTableHeader() && passGameDays(file, games, nullptr, missing);
  if (file.failed()) {
    error = cannotRead(path, errno);
    return kExitFailure;
  }
  if (!complete) {
    error = "cannot resume " + quoted(path) + ": it lacks days of games the --table holds";
    return kExitBadUsage;
  }
  bytes = file.tell();
  return kExitSuccess;
}

}  // namespace

int openDaysTable(OutputFile& file, const std::string& path, bool resume, const SweepPlan& plan,
                  const Settings& settings, const std::vector<GameResult>& kept,
                  std::string& error) {
  const std::string start = settingsText(settings) + daysTableHeader();
  long long bytes = 0;
  int status = kExitSuccess;
  if (resume ? !file.openToContinue(path, error) : !file.open(path, OutputFile::kRowByRow, error)) {
    return kExitFailure;
  }
  if (resume &&
      (status = bytesToKeep(path, start, plan, settings, kept, bytes, error)) != kExitSuccess) {
    return status;
  }
  if (!file.keep(static_cast<size_t>(bytes), error) ||
      (bytes == 0 && std::fputs(start.c_str(), file.stream()) < 0) || !file.flush(error)) {
    return kExitFailure;
  }
  return kExitSuccess;
}

bool readDaysTableHead(const std::string& path, bool& isDaysTable, Settings& settings,
                       long long& rowsStart, std::string& error) {
  DaysFile file(path);
  if (!file.opened()) {
    error = cannotRead(path, errno);
    return false;
  }
  std::string head, line;
  while (file.next(line) && line[0] == '#') {
    head += line;
  }
  if (file.failed()) {
    error = cannotRead(path, errno);
    return false;
  }
  settings = readSettingsBlock(head).settings;
  isDaysTable = !settings.empty() && line == daysTableHeader();
  rowsStart = file.tell();
  return true;
}

bool copyGameDays(const std::string& path, long long& offset, const std::vector<GameDays>& games,
                  FILE* out, std::string& error) {
  DaysFile file(path);
  if (!file.opened() || !file.seek(offset)) {
    error = cannotRead(path, errno);
    return false;
  }
  std::string missing;
  if (!passGameDays(file, games, out, missing)) {
    error = file.failed() ? cannotRead(path, errno) : quoted(path) + " lacks " + missing;
    return false;
  }
  offset = file.tell();
  return true;
}
