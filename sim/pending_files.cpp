#include "pending_files.h"

#include <limits.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "message.h"

namespace {

// The unfinished temporary files, for the signal handler, which may only use what is
// async-signal-safe.
constexpr int kMaxPending = 8;
char pending[kMaxPending][PATH_MAX];

bool interrupts(int signalNumber) {
  return signalNumber == SIGINT || signalNumber == SIGTERM || signalNumber == SIGHUP;
}

void removePendingAndStop(int signalNumber) {
  for (char* name : pending) {
    if (name[0] != '\0') {
      unlink(name);
    }
  }
  if (interrupts(signalNumber)) {
    static const char kMessage[] = "velmoria-sim: interrupted\n";
    ssize_t written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    static_cast<void>(written);
    _exit(kExitFailure);
  }
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

// Leaves a signal that was ignored when the program started ignored, as nohup wants SIGHUP.
void handle(int signalNumber, bool cleanUp) {
  struct sigaction current;
  if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
    return;
  }
  signal(signalNumber, cleanUp ? removePendingAndStop : SIG_DFL);
}

const int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};
const int kWriteSignals[] = {SIGPIPE, SIGXFSZ};

void setHandlers() {
  bool any = false;
  for (char* name : pending) {
    any = any || name[0] != '\0';
  }
  for (int s : kWriteSignals) {
    handle(s, any);
  }
}

}  // namespace

void addPendingFile(const std::string& path) {
  if (path.size() >= PATH_MAX) {
    return;
  }
  sigset_t all, old;
  sigfillset(&all);
  sigprocmask(SIG_BLOCK, &all, &old);
  for (char* name : pending) {
    if (name[0] == '\0') {
      std::memcpy(name, path.c_str(), path.size() + 1);
      break;
    }
  }
  setHandlers();
  sigprocmask(SIG_SETMASK, &old, nullptr);
}

void removePendingFile(const std::string& path) {
  sigset_t all, old;
  sigfillset(&all);
  sigprocmask(SIG_BLOCK, &all, &old);
  for (char* name : pending) {
    if (path == name) {
      name[0] = '\0';
    }
  }
  setHandlers();
  sigprocmask(SIG_SETMASK, &old, nullptr);
}

void failOnInterrupt() {
  for (int s : kInterruptSignals) {
    handle(s, true);
  }
}

void forgetTemporaryFiles() {
  for (char* name : pending) {
    name[0] = '\0';
  }
  setHandlers();
  for (int s : kInterruptSignals) {
    handle(s, false);
  }
}
