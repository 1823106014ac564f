#include "sweep_run.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "days_table.h"
#include "game_outcome.h"
#include "progress_line.h"
#include "worker_pool.h"

namespace {

// A worker reports a combination's games in chunks of at most this many, and at least every
// kChunkTime, so that the progress line moves even when games are long.
constexpr size_t kChunkGames = 32;
constexpr auto kChunkTime = std::chrono::milliseconds(50);
const char* const kWorkerStopped = "a worker process stopped before its games were done";

// What a worker sends is a sequence of records: a day's four populations (only when the plan
// records days), and after a game's days its result (gameFromValues).
constexpr int32_t kDayRecord = 0;
constexpr int32_t kGameRecord = 1;
constexpr size_t kDayValues = 1 + kSpeciesCount;
// A chunk is sent at a record's end once it holds this many values, even within a long game.
constexpr size_t kChunkValues = 1 << 12;

// In a worker: plays the combination at position in the shard.
void playCombination(const SweepPlan& plan, uint32_t startState, int64_t position,
                     const ChunkSender& sender) {
  GameSettings settings{combinationTexts(plan, shardCombination(plan, position)), plan.dayLimit,
                        plan.screenDraws};
  startAfresh(startState);
  TaskChunk chunk{position, false, {}};
  DayListener onDay;
  if (plan.recordDays) {
    onDay = [&chunk, &sender](const World& w, int32_t) {
      chunk.values.push_back(kDayRecord);
      for (const Species& level : w.species) {
        chunk.values.push_back(level.population);
      }
      if (chunk.values.size() >= kChunkValues) {
        sender.send(chunk);
        chunk.values.clear();
      }
    };
  }
  auto lastSent = std::chrono::steady_clock::now();
  size_t games = 0;
  for (int32_t game = 0; game < plan.repeat; ++game) {
    GameResult result = playGame(settings, onDay);
    chunk.values.push_back(kGameRecord);
    appendGameValues(result, chunk.values);
    auto now = std::chrono::steady_clock::now();
    chunk.last = game + 1 == plan.repeat;
    if (++games == kChunkGames || chunk.last || now - lastSent >= kChunkTime ||
        chunk.values.size() >= kChunkValues) {
      sender.send(chunk);
      chunk.values.clear();
      games = 0;
      lastSent = now;
    }
  }
}

bool writeRows(OutputFile* file, const std::string& rows, std::string& error) {
  if (file == nullptr || rows.empty()) {
    return true;
  }
  std::fwrite(rows.data(), 1, rows.size(), file->stream());
  return file->flush(error);
}

// The rows and summaries, in sweep order whatever the order in which games arrive.
class SweepBooks {
 public:
  SweepBooks(const SweepRun& run, std::vector<CombinationSummary>& summaries)
      : run_(run), plan_(run.plan), summaries_(summaries) {}

  // Rows already in the table from an earlier run.
  void keep(const std::vector<GameResult>& results) {
    for (const GameResult& result : results) {
      current_.push_back(result);
      if (++writeRepetition_ == plan_.repeat) {
        completeCombination();
      }
    }
  }
  int64_t complete() const { return writePosition_; }
  int64_t gamesReceived() const { return gamesReceived_; }
  bool add(const TaskChunk& chunk, std::string& error);
  bool writeReadyRows(std::string& error);

 private:
  void completeCombination();
  void addDayRows(const std::vector<GameResult>& games, int64_t combination, std::string& text);

  const SweepRun& run_;
  const SweepPlan& plan_;
  std::vector<CombinationSummary>& summaries_;
  std::map<int64_t, std::vector<GameResult>> received_;
  std::map<int64_t, std::vector<int32_t>> receivedDays_;
  std::map<int64_t, size_t> daysAccounted_;  // the day values of the games received
  int daysRepetition_ = 0;  // the games of the combination whose days daysOffset_ passes
  size_t daysOffset_ = 0;
  int64_t writePosition_ = 0;        // the combination whose rows are written next
  int writeRepetition_ = 0;          // its rows already written
  std::vector<GameResult> current_;  // its games so far
  int64_t gamesReceived_ = 0;
};

void SweepBooks::completeCombination() {
  daysRepetition_ = 0;
  daysOffset_ = 0;
  summaries_.push_back(
      summarize(shardCombination(plan_, writePosition_), current_, plan_.dayLimit));
  current_.clear();
  ++writePosition_;
  writeRepetition_ = 0;
}

bool SweepBooks::add(const TaskChunk& chunk, std::string& error) {
  std::vector<GameResult>& games = received_[chunk.task];
  std::vector<int32_t>& days = receivedDays_[chunk.task];
  const std::vector<int32_t>& values = chunk.values;
  bool ok = true;
  for (size_t pos = 0; ok && pos < values.size();) {
    size_t left = values.size() - pos;
    if (values[pos] == kDayRecord && plan_.recordDays && left >= kDayValues) {
      days.insert(days.end(), values.begin() + static_cast<long>(pos + 1),
                  values.begin() + static_cast<long>(pos + kDayValues));
      pos += kDayValues;
      continue;
    }
    ok = values[pos] == kGameRecord && left > kGameValues &&
         games.size() < static_cast<size_t>(plan_.repeat);
    if (ok) {
      games.push_back(gameFromValues(&values[pos + 1]));
      pos += 1 + kGameValues;
      ++gamesReceived_;
      size_t& accounted = daysAccounted_[chunk.task];
      accounted += plan_.recordDays ? static_cast<size_t>(games.back().days) * kSpeciesCount : 0;
      ok = games.back().days >= 1 && days.size() == accounted;
    }
  }
  if (!ok || chunk.last != (games.size() == static_cast<size_t>(plan_.repeat))) {
    error = kWorkerStopped;
    return false;
  }
  return true;
}

bool SweepBooks::writeReadyRows(std::string& error) {
  std::string rows, dayRows;
  for (auto it = received_.find(writePosition_); it != received_.end();
       it = received_.find(writePosition_)) {
    std::vector<GameResult>& games = it->second;
    int64_t combination = shardCombination(plan_, writePosition_);
    for (; writeRepetition_ < static_cast<int>(games.size()); ++writeRepetition_) {
      if (run_.daysTable != nullptr) {
        addDayRows(games, combination, dayRows);
      }
      if (run_.table != nullptr) {
        rows += gameTableRow(plan_, combination, writeRepetition_ + 1, games[writeRepetition_]);
      }
    }
    if (writeRepetition_ < plan_.repeat) {
      break;
    }
    // Rows kept from an earlier run are in current_ already; the replayed games stand in.
    current_.assign(games.begin(), games.end());
    received_.erase(it);
    receivedDays_.erase(writePosition_);
    daysAccounted_.erase(writePosition_);
    completeCombination();
  }
  // A game's days reach their file before its row reaches the table.
  return writeRows(run_.daysTable, dayRows, error) && writeRows(run_.table, rows, error);
}

void SweepBooks::addDayRows(const std::vector<GameResult>& games, int64_t combination,
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

}  // namespace

bool playSweep(const SweepRun& run, std::vector<CombinationSummary>& summaries,
               std::string& error) {
  SweepBooks books(run, summaries);
  books.keep(run.kept);
  // A combination cut off part way is played again from its first game.
  const int64_t count = shardCombinationCount(run.plan);
  int64_t left = count - books.complete();
  if (left == 0) {
    return true;
  }
  ProgressLine progress(left * run.plan.repeat);
  const SweepPlan& plan = run.plan;
  uint32_t startState = run.startState;
  WorkerPool pool(books.complete(), count, [&plan, startState](int64_t task, const ChunkSender& s) {
    playCombination(plan, startState, task, s);
  });
  bool ok = pool.start(static_cast<int>(std::min<int64_t>(run.jobs, left)), error);
  while (ok && books.complete() < count) {
    std::vector<TaskChunk> chunks;
    std::string receiveError;
    bool received = pool.receive(chunks, receiveError);
    for (size_t i = 0; ok && i < chunks.size(); ++i) {
      ok = books.add(chunks[i], error) && books.writeReadyRows(error);
    }
    if (ok && !received) {
      error = receiveError;
      ok = false;
    }
    progress.update(books.gamesReceived());
  }
  progress.finish();
  std::string stopError;
  bool stopped = pool.stop(!ok, stopError);
  if (ok && !stopped) {
    error = stopError;
  }
  return ok && stopped;
}
