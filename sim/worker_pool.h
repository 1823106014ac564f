// Worker processes forked from the program, for work that splits into numbered tasks. Each
// worker takes one task at a time, handed out in order as workers come free, and reports on it
// in chunks of whole numbers; the chunk marked last frees it for the next task. A worker that
// dies, or sends what is no chunk, fails the run instead of ending it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TaskChunk {
  int64_t task;
  bool last;  // the task's final chunk
  std::vector<int32_t> values;
};

// In a worker: hands a chunk to the program. A worker that cannot send it ends.
class ChunkSender {
 public:
  explicit ChunkSender(int fd) : fd_(fd) {}
  void send(const TaskChunk& chunk) const;

 private:
  int fd_;
};

// Runs in a worker for each of its tasks.
using TaskWork = std::function<void(int64_t task, const ChunkSender& sender)>;

class WorkerPool {
 public:
  // Tasks firstTask .. endTask - 1.
  WorkerPool(int64_t firstTask, int64_t endTask, TaskWork work);
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;
  ~WorkerPool();  // kills and waits for workers still running

  bool start(int workers, std::string& error);
  // Waits until busy workers have sent chunks and adds them to chunks. False when no worker is
  // busy, or one stopped or sent something else.
  bool receive(std::vector<TaskChunk>& chunks, std::string& error);
  // Ends the workers, killing them first when abandon. False when one did not end well.
  bool stop(bool abandon, std::string& error);

 private:
  struct Worker {
    pid_t pid = -1;
    int tasks = -1;     // task numbers to play, closed when there are no more
    int chunks = -1;    // the worker's chunks
    bool busy = false;  // working on a task
  };

  bool startOne(std::string& error);
  bool assignNext(Worker& worker);
  bool receiveFrom(Worker& worker, std::vector<TaskChunk>& chunks, std::string& error);

  int64_t nextTask_;
  int64_t endTask_;
  TaskWork work_;
  std::vector<Worker> workers_;
};

// The processors this process may run on.
int coresAvailable();
