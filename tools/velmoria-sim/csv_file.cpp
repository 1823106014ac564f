#include "csv_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The temporary file's name for the signal handler, which may only use what is
// async-signal-safe.
char pendingTemporary[4096];

void removePendingAndDie(int signalNumber) {
  if (pendingTemporary[0] != '\0') {
    unlink(pendingTemporary);
  }
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

void setPending(const std::string& path) {
  if (path.size() < sizeof pendingTemporary) {
    std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
  }
  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    std::signal(s, path.empty() ? SIG_DFL : removePendingAndDie);
  }
}

std::string reason(const std::string& path, int error) {
  return "cannot write '" + path + "': " + std::strerror(error);
}

}  // namespace

CsvFile::~CsvFile() {
  discard();
}

bool CsvFile::open(const std::string& path, std::string& error) {
  target_ = path;
  if (path == "-") {
    out_ = stdout;
  } else if (!openTemporary(error)) {
    return false;
  }
  std::fputs("game,day,large_carnivores,small_carnivores,herbivores,plants\n", out_);
  return true;
}

bool CsvFile::openTemporary(std::string& error) {
  struct stat existing;
  if (stat(target_.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) {
      error = reason(target_, EISDIR);
      return false;
    }
    if (access(target_.c_str(), W_OK) != 0) {
      error = reason(target_, errno);
      return false;
    }
  }
  std::vector<char> name(target_.begin(), target_.end());
  const char suffix[] = ".tmp-XXXXXX";
  name.insert(name.end(), suffix, suffix + sizeof suffix);
  int fd = mkstemp(name.data());
  if (fd < 0) {
    error = reason(target_, errno);
    return false;
  }
  temporary_ = name.data();
  setPending(temporary_);
  // mkstemp makes the file private; give it the mode a newly created file would have.
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  out_ = fdopen(fd, "w");
  if (out_ == nullptr) {
    error = reason(target_, errno);
    close(fd);
    discard();
    return false;
  }
  return true;
}

void CsvFile::writeRow(int game, int32_t day, const World& w) {
  std::fprintf(out_, "%d,%d,%d,%d,%d,%d\n", game, static_cast<int>(day),
               static_cast<int>(w.species[LargeCarnivore].population),
               static_cast<int>(w.species[SmallCarnivore].population),
               static_cast<int>(w.species[Herbivore].population),
               static_cast<int>(w.species[Plant].population));
}

bool CsvFile::finish(std::string& error) {
  if (writesToStandardOutput()) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      error = reason("standard output", errno);
      return false;
    }
    return true;
  }
  bool written = std::fflush(out_) == 0 && !std::ferror(out_);
  int writeError = errno;
  bool closed = std::fclose(out_) == 0;
  out_ = nullptr;
  if (!written || !closed) {
    error = reason(target_, written ? errno : writeError);
    discard();
    return false;
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error = reason(target_, errno);
    discard();
    return false;
  }
  temporary_.clear();
  setPending("");
  return true;
}

void CsvFile::discard() {
  if (out_ != nullptr && out_ != stdout) {
    std::fclose(out_);
  }
  out_ = nullptr;
  if (!temporary_.empty()) {
    std::remove(temporary_.c_str());
    temporary_.clear();
    setPending("");
  }
}
