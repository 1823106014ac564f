// Every file the simulator writes goes through here, so that writing one never destroys
// something that is not ours:
// - "-" is standard output, and so is a name of the file that standard output or error
//   already writes (/dev/stdout, /dev/stderr, or the very file they were sent to).
// - A target that exists but is not a regular file (a device, a FIFO, /dev/stdout) is opened
//   and written directly, never replaced; a failed write there is an error like any other.
// - A symbolic link is followed: the file it points to is written and the link stays.
// - A regular file written whole is written under a temporary name beside it that fits
//   wherever the name itself fits, and takes the name only when complete; the new file keeps
//   the old one's mode and, where we may, its owner. When the directory takes no new files
//   but the file itself is writable, the file is rewritten in place.
// - A file written row by row is written in place, so that a run cut off at any point leaves
//   the rows it completed. It is opened as it stands and cut only by keep(), so that a run
//   refused before then (another file that cannot be written) leaves it as it was.
// - SIGINT, SIGTERM, SIGHUP, SIGPIPE and SIGXFSZ remove every unfinished temporary file
//   (pending_files.h).
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
 public:
  enum Mode { kWhole, kRowByRow };

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();  // discards an unfinished file

  // On failure returns false with a one-line reason naming the path. A row-by-row file is
  // opened without changing it (created empty when it does not exist yet); keep(0) starts it.
  bool open(const std::string& path, Mode mode, std::string& error);
  // Opens a row-by-row file that may already hold rows, as open does, for the caller to read
  // what it holds from path. Refuses what is not a regular file.
  bool openToContinue(const std::string& path, std::string& error);
  // Cuts a row-by-row file to its first bytes, after which rows are added at the end (standard
  // output, a pipe or a device only with 0, and left as they are). A file that open or
  // openToContinue created is removed again when it is discarded before keep().
  bool keep(size_t bytes, std::string& error);

  FILE* stream() const { return out_; }
  bool isStandardOutput() const { return out_ == stdout; }
  // Hands what is written so far to the file.
  bool flush(std::string& error);
  // Flushes, closes and, for a file written under a temporary name, gives it its name.
  bool finish(std::string& error);
  // Closes an unfinished file and removes its temporary file, if any.
  void discard();

 private:
  bool openWhole(const struct stat* existing, std::string& error);
  bool openInPlace(const std::string& path, int access, const char* mode, std::string& error);
  bool attach(int fd, const char* mode, std::string& error);
  bool openTemporaryBeside(const std::string& target, const struct stat* existing, int& fd,
                           int& reason);
  bool fail(int errorNumber, std::string& error);

  FILE* out_ = nullptr;
  std::string path_;       // as given, for messages
  std::string target_;     // the file to be written, links followed
  std::string temporary_;  // empty unless written under a temporary name
  bool createdHere_ = false;
};

// Follows symbolic links in the last part of path, so that the file they lead to is replaced
// and the links stay; a dangling link leads to the file it names. False with the reason (errno)
// when they cannot be followed.
bool followLinks(std::string& path, int& reason);

// Whether an output named path goes to standard output: "-", or a name of the file it writes.
bool isStandardOutputPath(const std::string& path);

// The reason line for a file that cannot be written: "cannot write 'PATH': REASON".
std::string cannotWrite(const std::string& path, int errorNumber);
