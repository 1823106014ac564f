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

// The bytes of the kept games' days after the header, or false when the text lacks some.
bool keptDays(const std::string& text, size_t pos, const SweepPlan& plan,
              const std::vector<GameResult>& kept, size_t& bytes) {
  for (size_t game = 0; game < kept.size(); ++game) {
    int64_t combination = shardCombination(plan, static_cast<int64_t>(game) / plan.repeat);
    int repetition = static_cast<int>(game % plan.repeat) + 1;
    std::string prefix = std::to_string(combination) + "," + std::to_string(repetition) + ",";
    for (int32_t day = 1; day <= kept[game].days; ++day) {
      std::string start = prefix + std::to_string(day) + ",";
      size_t end = text.find('\n', pos);
      if (end == std::string::npos || text.compare(pos, start.size(), start) != 0) {
        return false;
      }
      pos = end + 1;
    }
  }
  bytes = pos;
  return true;
}

}  // namespace

int openDaysTable(OutputFile& file, const std::string& path, bool resume, const SweepPlan& plan,
                  const Settings& settings, const std::vector<GameResult>& kept,
                  std::string& error) {
  const std::string start = settingsText(settings) + daysTableHeader();
  std::string contents;
  if (!(resume ? file.openToContinue(path, contents, error)
               : file.open(path, OutputFile::kRowByRow, error))) {
    return kExitFailure;
  }
  size_t bytes = 0;
  bool fresh = contents.size() <= start.size() && start.compare(0, contents.size(), contents) == 0;
  if (!fresh || !kept.empty()) {
    SettingsBlock block = readSettingsBlock(contents);
    std::string difference =
        settingsDifference(block.settings, "the days-table", settings, "this run");
    if (!block.settings.empty() && !difference.empty()) {
      error = "cannot resume " + quoted(path) + ": its settings differ: " + difference;
      return kExitBadUsage;
    }
    if (contents.compare(block.bytes, daysTableHeader().size(), daysTableHeader()) != 0 ||
        !keptDays(contents, block.bytes + daysTableHeader().size(), plan, kept, bytes)) {
      error = "cannot resume " + quoted(path) + ": it lacks days of games the --table holds";
      return kExitBadUsage;
    }
  }
  if ((resume && !file.keep(bytes, error)) ||
      (bytes == 0 && std::fputs(start.c_str(), file.stream()) < 0) || !file.flush(error)) {
    return kExitFailure;
  }
  return kExitSuccess;
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
  bool failed() const { return std::ferror(in_) != 0; }

 private:
  FILE* in_;
  char* line_ = nullptr;
  size_t capacity_ = 0;
};

std::string cannotRead(const std::string& path, int errorNumber) {
  return "cannot read " + quoted(path) + ": " + std::strerror(errorNumber);
}

}  // namespace

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
  std::string line;
  for (const GameDays& game : games) {
    std::string prefix = std::to_string(game.combination) + "," + std::to_string(game.repetition);
    for (int32_t day = 1; day <= game.days; ++day) {
      std::string start = prefix + "," + std::to_string(day) + ",";
      if (!file.next(line) || line.compare(0, start.size(), start) != 0) {
        error = file.failed() ? cannotRead(path, errno)
                              : quoted(path) + " lacks day " + std::to_string(day) +
                                    " of combination " + std::to_string(game.combination) +
                                    ", repetition " + std::to_string(game.repetition);
        return false;
      }
      if (game.copy) {
        std::fwrite(line.data(), 1, line.size(), out);  // finishing the output reports a failure
      }
    }
  }
  offset = file.tell();
  return true;
}
