#include "sweep_run.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "progress_line.h"
#include "worker_pool.h"

namespace {

// A worker reports a combination's games in chunks of at most this many, and at least every
// kChunkTime, so that the progress line moves even when games are long.
constexpr size_t kChunkGames = 32;
constexpr auto kChunkTime = std::chrono::milliseconds(50);
const char* const kWorkerStopped = "a worker process stopped before its games were done";

// In a worker: plays the combination at position in the shard, sending (days, extinct) pairs.
void playCombination(const SweepPlan& plan, uint32_t startState, int64_t position,
                     const ChunkSender& sender) {
  GameSettings settings{combinationTexts(plan, shardCombination(plan, position)), plan.dayLimit,
                        plan.screenDraws};
  startAfresh(startState);
  TaskChunk chunk{position, false, {}};
  auto lastSent = std::chrono::steady_clock::now();
  for (int32_t game = 0; game < plan.repeat; ++game) {
    GameResult result = playGame(settings, {});
    chunk.values.push_back(result.days);
    chunk.values.push_back(result.extinct ? 1 : 0);
    auto now = std::chrono::steady_clock::now();
    chunk.last = game + 1 == plan.repeat;
    if (chunk.values.size() == 2 * kChunkGames || chunk.last || now - lastSent >= kChunkTime) {
      sender.send(chunk);
      chunk.values.clear();
      lastSent = now;
    }
  }
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

  const SweepRun& run_;
  const SweepPlan& plan_;
  std::vector<CombinationSummary>& summaries_;
  std::map<int64_t, std::vector<GameResult>> received_;
  int64_t writePosition_ = 0;        // the combination whose rows are written next
  int writeRepetition_ = 0;          // its rows already written
  std::vector<GameResult> current_;  // its games so far
  int64_t gamesReceived_ = 0;
};

void SweepBooks::completeCombination() {
  summaries_.push_back(summarize(shardCombination(plan_, writePosition_), current_));
  current_.clear();
  ++writePosition_;
  writeRepetition_ = 0;
}

bool SweepBooks::add(const TaskChunk& chunk, std::string& error) {
  std::vector<GameResult>& games = received_[chunk.task];
  size_t count = chunk.values.size() / 2;
  if (chunk.values.size() % 2 != 0 || games.size() + count > static_cast<size_t>(plan_.repeat) ||
      chunk.last != (games.size() + count == static_cast<size_t>(plan_.repeat))) {
    error = kWorkerStopped;
    return false;
  }
  for (size_t i = 0; i < chunk.values.size(); i += 2) {
    games.push_back({chunk.values[i], chunk.values[i + 1] != 0});
  }
  gamesReceived_ += static_cast<int64_t>(count);
  return true;
}

bool SweepBooks::writeReadyRows(std::string& error) {
  bool wrote = false;
  for (auto it = received_.find(writePosition_); it != received_.end();
       it = received_.find(writePosition_)) {
    std::vector<GameResult>& games = it->second;
    for (; writeRepetition_ < static_cast<int>(games.size()); ++writeRepetition_) {
      if (run_.table != nullptr) {
        std::string row = gameTableRow(plan_, shardCombination(plan_, writePosition_),
                                       writeRepetition_ + 1, games[writeRepetition_]);
        std::fwrite(row.data(), 1, row.size(), run_.table->stream());
        wrote = true;
      }
    }
    if (writeRepetition_ < plan_.repeat) {
      break;
    }
    // Rows kept from an earlier run are in current_ already; the replayed games stand in.
    current_.assign(games.begin(), games.end());
    received_.erase(it);
    completeCombination();
  }
  return !wrote || run_.table->flush(error);
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
