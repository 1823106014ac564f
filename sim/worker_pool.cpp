#include "worker_pool.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "pending_files.h"

namespace {

// What precedes a chunk's values on the pipe.
struct ChunkHeader {
  int64_t task;
  int32_t last;
  int32_t count;
};
constexpr int32_t kMaxChunkValues = 1 << 20;
const char* const kWorkerStopped = "a worker process stopped before its games were done";

// Each worker holds two of the program's descriptors, besides the few the program holds itself
// (its standard streams and its output files).
constexpr rlim_t kOwnDescriptors = 32;

// How many of the workers asked for can have their pipes: the limit on open descriptors (often
// 1024) is raised as far as the hard limit allows, and beyond that fewer workers play the same
// games.
int workersThatFit(int workers) {
  rlimit limit;
  const rlim_t needed = 2 * static_cast<rlim_t>(workers) + kOwnDescriptors;
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
      limit.rlim_cur >= needed) {
    return workers;
  }
  rlim_t raised = limit.rlim_max == RLIM_INFINITY ? needed : std::min(needed, limit.rlim_max);
  if (raised > limit.rlim_cur) {
    rlimit wider{raised, limit.rlim_max};
    if (setrlimit(RLIMIT_NOFILE, &wider) == 0) {
      limit.rlim_cur = raised;
    }
  }
  if (limit.rlim_cur >= needed) {
    return workers;
  }
  rlim_t fit = limit.rlim_cur > kOwnDescriptors ? (limit.rlim_cur - kOwnDescriptors) / 2 : 1;
  return static_cast<int>(std::max<rlim_t>(fit, 1));
}

// Calls read or write until size bytes have gone through; false at an error or the end of the
// input.
template <typename Byte, typename Transfer>
bool transferFully(int fd, Byte* bytes, size_t size, Transfer transfer) {
  while (size > 0) {
    ssize_t done = transfer(fd, bytes, size);
    if (done < 0 && errno == EINTR) {
      continue;
    }
    if (done <= 0) {
      return false;
    }
    bytes += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

bool writeFully(int fd, const void* data, size_t size) {
  return transferFully(fd, static_cast<const char*>(data), size, ::write);
}

bool readFully(int fd, void* data, size_t size) {
  return transferFully(fd, static_cast<char*>(data), size, ::read);
}

[[noreturn]] void workerMain(const TaskWork& work, int tasks, int chunks) {
  forgetTemporaryFiles();  // they are the program's to remove, not the worker's
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  ChunkSender sender(chunks);
  for (int64_t task; readFully(tasks, &task, sizeof task);) {
    work(task, sender);
  }
  _exit(0);
}

std::string cannotStart() {
  return std::string("cannot start a worker: ") + std::strerror(errno);
}

}  // namespace

void ChunkSender::send(const TaskChunk& chunk) const {
  ChunkHeader header{chunk.task, chunk.last ? 1 : 0, static_cast<int32_t>(chunk.values.size())};
  if (!writeFully(fd_, &header, sizeof header) ||
      !writeFully(fd_, chunk.values.data(), chunk.values.size() * sizeof chunk.values[0])) {
    _exit(1);
  }
}

int coresAvailable() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
    return CPU_COUNT(&set);
  }
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 ? static_cast<int>(online) : 1;
}

WorkerPool::WorkerPool(int64_t firstTask, int64_t endTask, TaskWork work)
    : nextTask_(firstTask), endTask_(endTask), work_(std::move(work)) {}

WorkerPool::~WorkerPool() {
  std::string ignored;
  stop(true, ignored);
}

bool WorkerPool::start(int workers, std::string& error) {
  std::fflush(nullptr);  // nothing buffered may be written twice
  workers = workersThatFit(workers);
  for (int w = 0; w < workers; ++w) {
    if (!startOne(error)) {
      return false;
    }
  }
  return true;
}

bool WorkerPool::startOne(std::string& error) {
  int tasks[2], chunks[2];
  if (pipe2(tasks, O_CLOEXEC) != 0) {
    error = cannotStart();
    return false;
  }
  if (pipe2(chunks, O_CLOEXEC) != 0) {
    error = cannotStart();
    close(tasks[0]);
    close(tasks[1]);
    return false;
  }
  pid_t pid = fork();
  if (pid == 0) {
    for (const Worker& other : workers_) {
      close(other.tasks);
      close(other.chunks);
    }
    close(tasks[1]);
    close(chunks[0]);
    workerMain(work_, tasks[0], chunks[1]);
  }
  close(tasks[0]);
  close(chunks[1]);
  if (pid < 0) {
    error = cannotStart();
    close(tasks[1]);
    close(chunks[0]);
    return false;
  }
  workers_.push_back({pid, tasks[1], chunks[0]});
  if (!assignNext(workers_.back())) {
    error = kWorkerStopped;
    return false;
  }
  return true;
}

bool WorkerPool::assignNext(Worker& worker) {
  worker.busy = nextTask_ < endTask_;
  if (!worker.busy) {
    close(worker.tasks);
    worker.tasks = -1;
    return true;
  }
  // A worker that died must be an error here, not a SIGPIPE that ends the whole run.
  sigset_t pipeSignal, old;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  sigprocmask(SIG_BLOCK, &pipeSignal, &old);
  bool sent = writeFully(worker.tasks, &nextTask_, sizeof nextTask_);
  if (!sent && errno == EPIPE) {
    timespec now{0, 0};
    sigtimedwait(&pipeSignal, nullptr, &now);
  }
  sigprocmask(SIG_SETMASK, &old, nullptr);
  ++nextTask_;
  return sent;
}

bool WorkerPool::receive(std::vector<TaskChunk>& chunks, std::string& error) {
  std::vector<pollfd> fds;
  std::vector<Worker*> polled;
  for (Worker& worker : workers_) {
    if (worker.busy) {
      fds.push_back({worker.chunks, POLLIN, 0});
      polled.push_back(&worker);
    }
  }
  if (fds.empty()) {
    error = kWorkerStopped;  // work is missing, and no worker is doing it
    return false;
  }
  while (poll(fds.data(), fds.size(), -1) < 0) {
    if (errno != EINTR) {
      error = std::string("cannot wait for the workers: ") + std::strerror(errno);
      return false;
    }
  }
  for (size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0 && !receiveFrom(*polled[i], chunks, error)) {
      return false;
    }
  }
  return true;
}

bool WorkerPool::receiveFrom(Worker& worker, std::vector<TaskChunk>& chunks, std::string& error) {
  ChunkHeader header;
  TaskChunk chunk;
  error = kWorkerStopped;
  if (!readFully(worker.chunks, &header, sizeof header) || header.count <= 0 ||
      header.count > kMaxChunkValues) {
    return false;
  }
  chunk.task = header.task;
  chunk.last = header.last != 0;
  chunk.values.resize(static_cast<size_t>(header.count));
  if (!readFully(worker.chunks, chunk.values.data(), chunk.values.size() * sizeof(int32_t))) {
    return false;
  }
  chunks.push_back(std::move(chunk));
  if (chunks.back().last && !assignNext(worker)) {
    return false;
  }
  error.clear();
  return true;
}

bool WorkerPool::stop(bool abandon, std::string& error) {
  bool ok = true;
  for (Worker& worker : workers_) {
    if (abandon) {
      kill(worker.pid, SIGKILL);
    }
    if (worker.tasks >= 0) {
      close(worker.tasks);
    }
    close(worker.chunks);
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
