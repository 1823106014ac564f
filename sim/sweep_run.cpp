#include "sweep_run.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <map>
#include <vector>

#include "message.h"
#include "output_file.h"
#include "print_design.h"
#include "progress_line.h"
#include "random_source.h"
#include "chart_data.h"
#include "days_table.h"
#include "sweep_plan.h"
#include "sweep_table.h"
#include "table_reader.h"
#include "world.h"

namespace {

// A worker's report: games first .. first + count - 1 (from 0) of one combination, followed
// by their count GameResults and, when the plan records days, their populations day by day.
struct ChunkHeader {
  int64_t position;  // the combination's place in the shard, from 0
  int32_t first;
  int32_t count;
};

constexpr int kChunkGames = 32;
const char* const kWorkerStopped = "a worker process stopped before its games were done";
constexpr auto kChunkTime = std::chrono::milliseconds(50);

bool writeFully(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool readFully(int fd, void* data, size_t size) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    ssize_t got = read(fd, bytes, size);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return false;
    }
    bytes += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

// The program's state when it starts: the random source untouched, the world all zero.
void startAfresh(uint32_t startState) {
  setRandomState(startState);
  std::memset(&world, 0, sizeof world);
  dayCount = 0;
}

[[noreturn]] void workerMain(const SweepPlan& plan, uint32_t startState, int commands,
                             int results) {
  forgetTemporaryFiles();
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  for (int64_t position; readFully(commands, &position, sizeof position);) {
    int64_t combination = shardCombination(plan, position);
    GameSettings settings{combinationTexts(plan, combination), plan.dayLimit, plan.screenDraws};
    startAfresh(startState);
    std::vector<GameResult> chunk;
    std::vector<int32_t> days;  // the chunk's games' populations, day by day
    DayListener onDay;
    if (plan.recordDays) {
      onDay = [&days](const World& w, int32_t) {
        for (const Species& level : w.species) {
          days.push_back(level.population);
        }
      };
    }
    int32_t first = 0;
    auto lastSent = std::chrono::steady_clock::now();
    for (int32_t game = 0; game < plan.repeat; ++game) {
      chunk.push_back(playGame(settings, onDay));
      int32_t count = static_cast<int32_t>(chunk.size());
      auto now = std::chrono::steady_clock::now();
      if (count == kChunkGames || game + 1 == plan.repeat || now - lastSent >= kChunkTime) {
        ChunkHeader header{position, first, count};
        if (!writeFully(results, &header, sizeof header) ||
            !writeFully(results, chunk.data(), chunk.size() * sizeof chunk[0]) ||
            !writeFully(results, days.data(), days.size() * sizeof days[0])) {
          _exit(1);
        }
        days.clear();
        first += count;
        chunk.clear();
        lastSent = now;
      }
    }
  }
  _exit(0);
}

int coresAvailable() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
    return CPU_COUNT(&set);
  }
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 ? static_cast<int>(online) : 1;
}

bool writeRows(OutputFile* file, const std::string& rows, std::string& error);

struct Worker {
  pid_t pid = -1;
  int commands = -1;  // positions to play, closed when there are no more
  int results = -1;   // chunks
  bool busy = false;  // playing a combination
};

class Sweep {
 public:
  Sweep(const SweepPlan& plan, uint32_t startState, int jobs, OutputFile* table,
        OutputFile* daysTable)
      : plan_(plan),
        startState_(startState),
        jobs_(jobs),
        table_(table),
        daysTable_(daysTable),
        count_(shardCombinationCount(plan)) {}

  // Rows already in the table from an earlier run.
  void keepExisting(const std::vector<GameResult>& results) {
    for (const GameResult& result : results) {
      current_.push_back(result);
      ++writeRepetition_;
      if (writeRepetition_ == plan_.repeat) {
        completeCombination();
      }
    }
  }

  bool run(std::string& error);

  const std::vector<CombinationSummary>& summaries() const { return summaries_; }

 private:
  bool startWorkers(int count, std::string& error);
  bool assignNext(Worker& worker);
  bool receive(Worker& worker, std::string& error);
  bool receiveDays(Worker& worker, int64_t position, const std::vector<GameResult>& games,
                   size_t first);
  bool writeReadyRows(std::string& error);
  void addDayRows(const std::vector<GameResult>& games, int64_t combination, std::string& text);
  void completeCombination();
  bool stopWorkers(bool abandon, std::string& error);

  const SweepPlan& plan_;
  uint32_t startState_;
  int jobs_;
  OutputFile* table_;
  OutputFile* daysTable_;
  int64_t count_;
  std::vector<Worker> workers_;
  int64_t nextToAssign_ = 0;
  std::map<int64_t, std::vector<GameResult>> received_;
  std::map<int64_t, std::vector<int32_t>> receivedDays_;
  int daysRepetition_ = 0;  // the games of the combination whose days daysOffset_ passes
  size_t daysOffset_ = 0;
  int64_t writePosition_ = 0;        // the combination whose rows are written next
  int writeRepetition_ = 0;          // its rows already written
  std::vector<GameResult> current_;  // its games so far
  int64_t gamesPlayed_ = 0;
  std::vector<CombinationSummary> summaries_;
};

void Sweep::completeCombination() {
  daysRepetition_ = 0;
  daysOffset_ = 0;
  summaries_.push_back(summarize(shardCombination(plan_, writePosition_), current_));
  current_.clear();
  ++writePosition_;
  writeRepetition_ = 0;
}

bool Sweep::run(std::string& error) {
  // A combination cut off part way is played again from its first game.
  nextToAssign_ = writePosition_;
  int64_t left = count_ - writePosition_;
  if (left == 0) {
    return true;
  }
  ProgressLine progress(left * plan_.repeat);
  int workers = static_cast<int>(std::min<int64_t>(jobs_, left));
  bool ok = startWorkers(workers, error);
  while (ok && writePosition_ < count_) {
    std::vector<pollfd> fds;
    std::vector<Worker*> polled;
    for (Worker& worker : workers_) {
      if (worker.busy) {
        fds.push_back({worker.results, POLLIN, 0});
        polled.push_back(&worker);
      }
    }
    if (fds.empty()) {
      error = kWorkerStopped;  // games are missing, and no worker is playing them
      ok = false;
      break;
    }
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      error = std::string("cannot wait for the workers: ") + std::strerror(errno);
      ok = false;
      break;
    }
    for (size_t i = 0; ok && i < fds.size(); ++i) {
      if (fds[i].revents != 0) {
        ok = receive(*polled[i], error) && writeReadyRows(error);
      }
    }
    progress.update(gamesPlayed_);
  }
  progress.finish();
  std::string stopError;
  bool stopped = stopWorkers(!ok, stopError);
  if (ok && !stopped) {
    error = stopError;
  }
  return ok && stopped;
}

bool Sweep::startWorkers(int count, std::string& error) {
  std::fflush(nullptr);  // nothing buffered may be written twice
  for (int w = 0; w < count; ++w) {
    int commands[2], results[2];
    if (pipe2(commands, O_CLOEXEC) != 0) {
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      return false;
    }
    if (pipe2(results, O_CLOEXEC) != 0) {
      close(commands[0]);
      close(commands[1]);
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      return false;
    }
    pid_t pid = fork();
    if (pid == 0) {
      for (const Worker& other : workers_) {
        close(other.commands);
        close(other.results);
      }
      close(commands[1]);
      close(results[0]);
      workerMain(plan_, startState_, commands[0], results[1]);
    }
    close(commands[0]);
    close(results[1]);
    if (pid < 0) {
      close(commands[1]);
      close(results[0]);
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      return false;
    }
    workers_.push_back({pid, commands[1], results[0]});
    if (!assignNext(workers_.back())) {
      error = kWorkerStopped;
      return false;
    }
  }
  return true;
}

bool Sweep::assignNext(Worker& worker) {
  worker.busy = nextToAssign_ < count_;
  if (!worker.busy) {
    close(worker.commands);
    worker.commands = -1;
    return true;
  }
  // A worker that died must be an error here, not a SIGPIPE that ends the whole run.
  sigset_t pipeSignal, old;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  sigprocmask(SIG_BLOCK, &pipeSignal, &old);
  bool sent = writeFully(worker.commands, &nextToAssign_, sizeof nextToAssign_);
  if (!sent && errno == EPIPE) {
    timespec now{0, 0};
    sigtimedwait(&pipeSignal, nullptr, &now);
  }
  sigprocmask(SIG_SETMASK, &old, nullptr);
  ++nextToAssign_;
  return sent;
}

bool Sweep::receive(Worker& worker, std::string& error) {
  ChunkHeader header;
  if (!readFully(worker.results, &header, sizeof header) || header.count <= 0 ||
      header.count > plan_.repeat) {
    error = kWorkerStopped;
    return false;
  }
  std::vector<GameResult>& games = received_[header.position];
  size_t had = games.size();
  games.resize(had + static_cast<size_t>(header.count));
  if (!readFully(worker.results, &games[had], header.count * sizeof games[0]) ||
      !receiveDays(worker, header.position, games, had)) {
    error = kWorkerStopped;
    return false;
  }
  gamesPlayed_ += header.count;
  if (header.first + header.count == plan_.repeat && !assignNext(worker)) {
    error = kWorkerStopped;
    return false;
  }
  return true;
}

bool Sweep::receiveDays(Worker& worker, int64_t position, const std::vector<GameResult>& games,
                        size_t first) {
  if (!plan_.recordDays) {
    return true;
  }
  size_t values = 0;
  for (size_t g = first; g < games.size(); ++g) {
    values += static_cast<size_t>(games[g].days) * kSpeciesCount;
  }
  std::vector<int32_t>& days = receivedDays_[position];
  size_t had = days.size();
  days.resize(had + values);
  return readFully(worker.results, days.data() + had, values * sizeof days[0]);
}

bool Sweep::writeReadyRows(std::string& error) {
  std::string rows, dayRows;
  for (auto it = received_.find(writePosition_); it != received_.end();
       it = received_.find(writePosition_)) {
    std::vector<GameResult>& games = it->second;
    int64_t combination = shardCombination(plan_, writePosition_);
    while (writeRepetition_ < static_cast<int>(games.size())) {
      const GameResult& result = games[writeRepetition_];
      if (daysTable_ != nullptr) {
        addDayRows(games, combination, dayRows);
      }
      if (table_ != nullptr) {
        rows += gameTableRow(plan_, combination, writeRepetition_ + 1, result);
      }
      ++writeRepetition_;
    }
    if (writeRepetition_ < plan_.repeat) {
      break;
    }
    // Rows kept from an earlier run are in current_ already; the replayed games stand in.
    current_.assign(games.begin(), games.end());
    received_.erase(it);
    receivedDays_.erase(writePosition_);
    completeCombination();
  }
  // A game's days reach their file before its row reaches the table.
  return writeRows(daysTable_, dayRows, error) && writeRows(table_, rows, error);
}

void Sweep::addDayRows(const std::vector<GameResult>& games, int64_t combination,
                       std::string& text) {
  const std::vector<int32_t>& days = receivedDays_[writePosition_];
  for (; daysRepetition_ < writeRepetition_; ++daysRepetition_) {
    daysOffset_ += static_cast<size_t>(games[daysRepetition_].days) * kSpeciesCount;
  }
  int32_t count = games[writeRepetition_].days;
  appendDayRows(text, combination, writeRepetition_ + 1, days.data() + daysOffset_, count);
  daysOffset_ += static_cast<size_t>(count) * kSpeciesCount;
  ++daysRepetition_;
}

bool writeRows(OutputFile* file, const std::string& rows, std::string& error) {
  if (file == nullptr || rows.empty()) {
    return true;
  }
  std::fwrite(rows.data(), 1, rows.size(), file->stream());
  return file->flush(error);
}

bool Sweep::stopWorkers(bool abandon, std::string& error) {
  bool ok = true;
  for (Worker& worker : workers_) {
    if (abandon) {
      kill(worker.pid, SIGKILL);
    }
    if (worker.commands >= 0) {
      close(worker.commands);
    }
    close(worker.results);
    int status = 0;
    while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      error = "a worker process failed";
      ok = false;
    }
  }
  workers_.clear();
  return ok;
}

}  // namespace

int runSweep(const SimOptions& options) {
  const uint32_t startState = randomState();  // nothing has drawn yet
  SweepPlan plan;
  std::string error;
  if (!makeSweepPlan(options, plan, error)) {
    return fail(error);
  }
  if (options.printDesign) {
    return printDesign(plan);
  }
  const Settings settings = runSettings(options, plan);
  bool plot = !options.plotPath.empty();
  if (plot && plan.varied.size() > 2) {
    return fail("--plot draws a sweep over one or two fields, not " +
                std::to_string(plan.varied.size()));
  }
  if (plot && plan.shardCount > 1) {
    return fail("--plot draws a whole sweep, not a shard of one");
  }

  // Every file is opened before any game is played; the game table last, since it is the one
  // written in place.
  OutputFile summaryFile;
  bool summary = !options.summaryPath.empty() || options.tablePath.empty();
  if (summary && !summaryFile.open(options.summaryPath.empty() ? "-" : options.summaryPath,
                                   OutputFile::kWhole, error)) {
    return fail(error);
  }
  OutputFile plotFile;
  if (plot && !plotFile.open(options.plotPath, OutputFile::kWhole, error)) {
    return fail(error);
  }
  plan.recordDays = !options.daysTablePath.empty();
  OutputFile daysFile;
  OutputFile tableFile;
  bool table = !options.tablePath.empty();
  ExistingRows existing;
  // The days-table is checked against the rows the table keeps, and opened before the table.
  auto openDays = [&](const ExistingRows& kept, std::string& reason) {
    return !plan.recordDays || openDaysTable(daysFile, options.daysTablePath, options.resume, plan,
                                             settings, kept.results, reason);
  };
  if (table ? !openGameTable(tableFile, options.tablePath, options.resume, plan, settings, existing,
                             error, openDays)
            : !openDays(existing, error)) {
    return fail(error);
  }

  int jobs = options.jobs > 0 ? options.jobs : coresAvailable();
  Sweep sweep(plan, startState, jobs, table ? &tableFile : nullptr,
              plan.recordDays ? &daysFile : nullptr);
  sweep.keepExisting(existing.results);
  if (!sweep.run(error) || (table && !tableFile.finish(error)) ||
      (plan.recordDays && !daysFile.finish(error))) {
    return fail(error);
  }

  if (summary) {
    std::string text = summaryText(settings, plan, sweep.summaries());
    std::fputs(text.c_str(), summaryFile.stream());
    if (!summaryFile.finish(error)) {
      return fail(error);
    }
  }
  if (plot) {
    std::string svg;
    if (plan.varied.empty()) {
      startAfresh(startState);
      PopulationSeries series = playRecordingPopulations(
          GameSettings{combinationTexts(plan, 1), plan.dayLimit, plan.screenDraws});
      svg = populationChartSvg(series);
    } else {
      svg = sweepChart(plan, sweep.summaries());
    }
    std::fputs(svg.c_str(), plotFile.stream());
    if (!plotFile.finish(error)) {
      return fail(error);
    }
  }
  return 0;
}
