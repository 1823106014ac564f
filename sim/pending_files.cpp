#include "pending_files.h"

#include <limits.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

// The unfinished temporary files, for the signal handler, which may only use what is
// async-signal-safe.
constexpr int kMaxPending = 8;
char pending[kMaxPending][PATH_MAX];

void removePendingAndDie(int signalNumber) {
  for (char* name : pending) {
    if (name[0] != '\0') {
      unlink(name);
    }
  }
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

const int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};

void setHandlers() {
  bool any = false;
  for (char* name : pending) {
    any = any || name[0] != '\0';
  }
  for (int s : kCleanupSignals) {
    signal(s, any ? removePendingAndDie : SIG_DFL);
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

void forgetTemporaryFiles() {
  for (char* name : pending) {
    name[0] = '\0';
  }
  setHandlers();
}
