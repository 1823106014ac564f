#include "sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

const char* const kCsvHeader = "game,day,large_carnivores,small_carnivores,herbivores,plants";

SimProcess startSim(const SimStart& start, const fs::path& dir) {
  SimProcess process{-1, (dir / "out").string(), (dir / "err").string()};
  const std::string& errPath = start.stderrPath.empty() ? process.errPath : start.stderrPath;
  std::string program = VELMORIA_SIM_PATH;
  bool otherUser = start.asOtherUser && geteuid() == 0;
  if (otherUser) {
    // The build may lie in a folder that only root may enter: the other user runs a copy.
    const fs::perms readAndRun = fs::perms::owner_all | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec;
    fs::path copy = dir / "velmoria-sim";
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, readAndRun);
    fs::permissions(dir, readAndRun);
    program = copy.string();
  }
  std::vector<std::string> copies(start.args);
  copies.insert(copies.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : copies) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);

  process.pid = fork();
  if (process.pid == 0) {
    int out = open(process.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
      _exit(127);
    }
    int in = start.stdinPath.empty() ? 0 : open(start.stdinPath.c_str(), O_RDONLY);
    if (in < 0 || dup2(in, 0) < 0) {
      _exit(127);
    }
    if (start.fileSizeLimit >= 0) {
      rlimit limit{static_cast<rlim_t>(start.fileSizeLimit),
                   static_cast<rlim_t>(start.fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (start.openFilesLimit >= 0) {
      rlimit limit{static_cast<rlim_t>(start.openFilesLimit),
                   static_cast<rlim_t>(start.openFilesLimit)};
      setrlimit(RLIMIT_NOFILE, &limit);
    }
    if (otherUser && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(127);
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  if (process.pid < 0) {
    ADD_FAILURE() << "cannot start " << program;
  }
  return process;
}

SimRun waitSim(const SimProcess& process) {
  int status = 0;
  rusage usage{};
  if (process.pid < 0 || wait4(process.pid, &status, 0, &usage) < 0) {
    return {-1, "", ""};
  }
  SimRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(process.outPath),
             readFile(process.errPath)};
  run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  run.peakKilobytes = usage.ru_maxrss;
  return run;
}

SimRun runSim(const SimStart& start) {
  ScratchDir scratch;
  return waitSim(startSim(start, scratch.path()));
}

SimRun runSim(const std::vector<std::string>& args) {
  SimStart start;
  start.args = args;
  return runSim(start);
}

int drainUntilExit(pid_t pid, int fd, std::string& received) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  int status = 0;
  for (bool exited = false; !exited;) {
    exited = waitpid(pid, &status, WNOHANG) == pid;
    pollfd readable{fd, POLLIN, 0};
    poll(&readable, 1, 50);
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
      received.append(buffer, static_cast<size_t>(got));
    }
  }
  return status;
}

void expectErrorLine(const SimRun& run, int exitCode, const std::string& what) {
  EXPECT_EQ(run.exitCode, exitCode) << what;
  std::vector<std::string> lines = splitLines(run.err);
  ASSERT_EQ(lines.size(), 1u) << what << "\n" << run.err;
  EXPECT_EQ(run.err.back(), '\n') << what;
  EXPECT_EQ(lines[0].rfind("velmoria-sim: ", 0), 0u) << what << ": " << lines[0];
}

void expectRefused(const std::vector<std::string>& args, int exitCode, const ScratchDir& dir,
                   const std::vector<std::string>& entriesBefore) {
  SimRun run = runSim(args);
  std::string shown;
  for (const std::string& arg : args) {
    shown += " '" + arg + "'";
  }
  expectErrorLine(run, exitCode, shown);
  EXPECT_EQ(run.out, "") << shown;
  EXPECT_EQ(dir.entries(), entriesBefore) << shown;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::string withoutSettings(const std::string& text) {
  size_t start = 0;
  while (text.compare(start, 2, "# ") == 0 && text.find('\n', start) != std::string::npos) {
    start = text.find('\n', start) + 1;
  }
  return text.substr(start);
}

int recordDays(const std::string& line) {
  const std::string prefix = "記録：";
  const std::string suffix = "日";
  if (line.size() <= prefix.size() + suffix.size() || line.compare(0, prefix.size(), prefix) != 0 ||
      line.compare(line.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return -1;
  }
  std::string digits = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
  if (digits.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  return std::stoi(digits);
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool CsvRow::operator==(const CsvRow& other) const {
  return game == other.game && day == other.day &&
         std::equal(populations, populations + 4, other.populations);
}

std::ostream& operator<<(std::ostream& out, const CsvRow& row) {
  out << row.game << ',' << row.day;
  for (int population : row.populations) {
    out << ',' << population;
  }
  return out;
}

std::vector<CsvRow> parseCsv(const std::string& text) {
  std::vector<std::string> lines = splitLines(text);
  std::vector<CsvRow> rows;
  if (lines.empty() || lines[0] != kCsvHeader) {
    ADD_FAILURE() << "CSV does not start with its header:\n" << text.substr(0, 200);
    return rows;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    CsvRow row{};
    char end = '\0';
    int fields = std::sscanf(lines[i].c_str(), "%d,%d,%d,%d,%d,%d%c", &row.game, &row.day,
                             &row.populations[0], &row.populations[1], &row.populations[2],
                             &row.populations[3], &end);
    if (fields != 6) {
      ADD_FAILURE() << "malformed CSV row " << i << ": " << lines[i];
      return rows;
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<CsvRow> rowsOfGame(const std::vector<CsvRow>& rows, int game) {
  std::vector<CsvRow> selected;
  std::copy_if(rows.begin(), rows.end(), std::back_inserter(selected),
               [game](const CsvRow& row) { return row.game == game; });
  return selected;
}

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "velmoria-sim-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot make a scratch directory";
  }
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<std::string> ScratchDir::entries() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
