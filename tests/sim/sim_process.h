// Runs the built simulator as a user would and reads back what it printed and wrote.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <sys/types.h>

struct SimRun {
  int exitCode;  // -1 when it did not exit normally
  std::string out;
  std::string err;
  int signal = 0;          // the signal that ended it, if one did
  long peakKilobytes = 0;  // the most memory it held at once (resident)
};

// How to start the simulator beyond its arguments.
struct SimStart {
  std::vector<std::string> args;
  std::string stderrPath;        // empty: read back into SimRun::err
  std::string stdinPath;         // empty: the test's own standard input
  long long fileSizeLimit = -1;  // RLIMIT_FSIZE in bytes; -1: unchanged
  long openFilesLimit = -1;      // RLIMIT_NOFILE, soft and hard; -1: unchanged
  bool asOtherUser = false;      // when we are root, run as nobody (65534)
};

// A fresh directory, removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }
  std::vector<std::string> entries() const;

 private:
  std::filesystem::path path_;
};

SimRun runSim(const std::vector<std::string>& args);
SimRun runSim(const SimStart& start);

// A run in the background, for tests that stop it part way.
struct SimProcess {
  pid_t pid;
  std::string outPath;
  std::string errPath;
};
// Standard output and error go to files in dir.
SimProcess startSim(const SimStart& start, const std::filesystem::path& dir);
SimRun waitSim(const SimProcess& process);

// Reads fd (non-blocking) while the process runs, adding what arrives to received, until it
// has exited; returns its wait status.
int drainUntilExit(pid_t pid, int fd, std::string& received);

// The exit statuses: 1 for a failure while running, 2 for bad usage.
constexpr int kExitFailure = 1;
constexpr int kExitBadUsage = 2;

// A failed run: exitCode, and one line "velmoria-sim: ..." on standard error.
void expectErrorLine(const SimRun& run, int exitCode, const std::string& what);
// Runs args and expects them refused with exitCode: one error line, nothing on standard
// output, and dir's entries as before.
void expectRefused(const std::vector<std::string>& args, int exitCode, const ScratchDir& dir,
                   const std::vector<std::string>& entriesBefore);

std::vector<std::string> splitLines(const std::string& text);
// A sweep file's text after the "# " settings lines at its top.
std::string withoutSettings(const std::string& text);
// N of a line "記録：N日", or -1 for any other line.
int recordDays(const std::string& line);
std::string readFile(const std::filesystem::path& path);

// One CSV row: game, day and the four populations in level order.
struct CsvRow {
  int game;
  int day;
  int populations[4];
  bool operator==(const CsvRow& other) const;
};

std::ostream& operator<<(std::ostream& out, const CsvRow& row);

extern const char* const kCsvHeader;
// Parses the rows after the header; fails the current test on a malformed table.
std::vector<CsvRow> parseCsv(const std::string& text);
std::vector<CsvRow> rowsOfGame(const std::vector<CsvRow>& rows, int game);
