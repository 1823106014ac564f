#include "output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "message.h"
#include "pending_files.h"

namespace {

std::string directoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True when path names the file that descriptor fd already writes, as /dev/stdout does.
bool isOpenAs(const std::string& path, int fd) {
  struct stat named, open;
  return stat(path.c_str(), &named) == 0 && fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
         named.st_ino == open.st_ino;
}

}  // namespace

bool followLinks(std::string& path, int& reason) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return true;
    }
    std::vector<char> link(PATH_MAX);
    ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length < 0 || static_cast<size_t>(length) >= link.size()) {
      reason = length < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    std::string next(link.data(), static_cast<size_t>(length));
    path = next[0] == '/' ? next : directoryOf(path) + "/" + next;
  }
  reason = ELOOP;
  return false;
}

bool isStandardOutputPath(const std::string& path) {
  return path == "-" || isOpenAs(path, STDOUT_FILENO);
}

std::string cannotWrite(const std::string& path, int errorNumber) {
  return "cannot write " + quoted(path) + ": " + std::strerror(errorNumber);
}

OutputFile::~OutputFile() {
  discard();
}

bool OutputFile::fail(int errorNumber, std::string& error) {
  error = cannotWrite(path_, errorNumber);
  discard();
  return false;
}

bool OutputFile::open(const std::string& path, Mode mode, std::string& error) {
  path_ = path;
  if (isStandardOutputPath(path)) {
    out_ = stdout;
    return true;
  }
  if (isOpenAs(path, STDERR_FILENO)) {
    out_ = stderr;
    return true;
  }
  struct stat existing;
  bool exists = stat(path.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) {
    return fail(errno, error);
  }
  if (exists && S_ISDIR(existing.st_mode)) {
    return fail(EISDIR, error);
  }
  int fd = -1;
  if (exists && !S_ISREG(existing.st_mode)) {
    // A device or a pipe: whoever reads it expects our output there.
    fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  } else if (mode == kRowByRow) {
    return openInPlace(path, O_WRONLY, "w", error);
  } else {
    int reason = 0;
    target_ = path;
    if (!followLinks(target_, reason)) {
      return fail(reason, error);
    }
    return openWhole(exists ? &existing : nullptr, error);
  }
  if (fd < 0) {
    return fail(errno, error);
  }
  return attach(fd, "w", error);
}

bool OutputFile::attach(int fd, const char* mode, std::string& error) {
  out_ = fdopen(fd, mode);
  if (out_ == nullptr) {
    int fdopenError = errno;
    close(fd);
    return fail(fdopenError, error);
  }
  return true;
}

bool OutputFile::openWhole(const struct stat* existing, std::string& error) {
  if (existing != nullptr && faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
    return fail(errno, error);
  }
  int fd = -1;
  int reason = 0;
  if (!openTemporaryBeside(target_, existing, fd, reason)) {
    bool directoryClosed = reason == EACCES || reason == EPERM || reason == EROFS;
    if (existing == nullptr || !directoryClosed) {
      return fail(reason, error);
    }
    // The directory takes no new file, but the file may be rewritten where it is.
    fd = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
      return fail(errno, error);
    }
  }
  return attach(fd, "w", error);
}

bool OutputFile::openTemporaryBeside(const std::string& target, const struct stat* existing,
                                     int& fd, int& reason) {
  std::string directory = directoryOf(target);
  std::string base = baseNameOf(target);
  const std::string suffix = ".tmp-XXXXXX";
  long nameMax = pathconf(directory.c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) {
    nameMax = NAME_MAX;
  }
  if (base.size() > static_cast<size_t>(nameMax)) {
    reason = ENAMETOOLONG;  // said now rather than at the rename, after all the games
    return false;
  }
  if (base.size() + suffix.size() > static_cast<size_t>(nameMax)) {
    base.resize(static_cast<size_t>(nameMax) - suffix.size());
  }
  std::string name = (target.find('/') == std::string::npos ? "" : directory + "/") + base + suffix;
  fd = createPendingFile(name);
  if (fd < 0) {
    reason = errno;
    return false;
  }
  temporary_ = name;
  if (existing != nullptr) {
    // Owner first: a change of owner may clear the set-id bits that the mode then restores.
    if (fchown(fd, existing->st_uid, existing->st_gid) != 0) {
      // Not ours to give away; the file keeps our ownership.
    }
    fchmod(fd, existing->st_mode & 07777);
  } else {
    // mkstemp makes the file private; give it the mode a newly created file would have.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
  }
  return true;
}

bool OutputFile::openInPlace(const std::string& path, int access, const char* mode,
                             std::string& error) {
  path_ = target_ = path;
  int reason = 0;
  if (!followLinks(target_, reason)) {
    return fail(reason, error);
  }
  int fd = ::open(target_.c_str(), access | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(target_.c_str(), access | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    createdHere_ = fd >= 0;
  }
  if (fd < 0) {
    return fail(errno, error);
  }
  return attach(fd, mode, error);
}

bool OutputFile::openToContinue(const std::string& path, std::string& error) {
  if (!openInPlace(path, O_RDWR, "r+", error)) {
    return false;
  }
  struct stat st;
  if (fstat(fileno(out_), &st) != 0 || !S_ISREG(st.st_mode)) {
    discard();
    error = "cannot resume " + quoted(path) + ": not a regular file";
    return false;
  }
  return true;
}

bool OutputFile::keep(size_t bytes, std::string& error) {
  createdHere_ = false;
  struct stat st;
  if (out_ == stdout || out_ == stderr || fstat(fileno(out_), &st) != 0 || !S_ISREG(st.st_mode)) {
    return true;  // a stream, pipe or device, whose reader has seen nothing of ours yet
  }
  std::fflush(out_);
  if (ftruncate(fileno(out_), static_cast<off_t>(bytes)) != 0 ||
      std::fseek(out_, 0, SEEK_END) != 0) {
    error = cannotWrite(path_, errno);
    return false;
  }
  return true;
}

bool OutputFile::flush(std::string& error) {
  if (std::fflush(out_) != 0 || std::ferror(out_)) {
    error = cannotWrite(isStandardOutput() ? "standard output" : path_, errno);
    return false;
  }
  return true;
}

bool OutputFile::finish(std::string& error) {
  if (out_ == stdout || out_ == stderr) {
    return flush(error);
  }
  bool written = std::fflush(out_) == 0 && !std::ferror(out_);
  int writeError = errno;
  bool closed = std::fclose(out_) == 0;
  int closeError = errno;
  out_ = nullptr;
  if (!written || !closed) {
    return fail(written ? closeError : writeError, error);
  }
  if (!temporary_.empty()) {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
      return fail(errno, error);
    }
    removePendingFile(temporary_);
    temporary_.clear();
  }
  return true;
}

void OutputFile::discard() {
  if (out_ != nullptr && out_ != stdout && out_ != stderr) {
    std::fclose(out_);
  }
  out_ = nullptr;
  if (createdHere_) {  // refused before a row was kept: as if never opened
    unlink(target_.c_str());
    createdHere_ = false;
  }
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    removePendingFile(temporary_);
    temporary_.clear();
  }
}
