#include "file_clash.h"

#include <sys/stat.h>

#include <cstdlib>

#include "output_file.h"

namespace {

const char* const kStandardOutput = "standard output";

// What names the same file however it is spelt: standard output, the device and inode of a
// file that exists, or else the real path of its folder and its own name, links followed as
// writing it follows them. Empty for a device or pipe other than standard output, which nothing
// written there can destroy.
std::string identity(const CommandFile& file) {
  if (file.path == "-") {
    return file.written ? kStandardOutput : "standard input";
  }
  if (file.written && isStandardOutputPath(file.path)) {
    return kStandardOutput;
  }
  struct stat st;
  if (stat(file.path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      return "";
    }
    return "file " + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  }
  std::string path = file.path;
  int ignored = 0;
  followLinks(path, ignored);  // a dangling link: the file it names, which writing creates
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  char* real = realpath(folder.c_str(), nullptr);
  if (real == nullptr) {
    return "path " + path;
  }
  std::string resolved = std::string(real) + "/" + name;
  std::free(real);
  return "path " + resolved;
}

std::string clash(const CommandFile& a, const CommandFile& b, const std::string& same) {
  if (!a.written || !b.written) {
    const CommandFile& output = a.written ? a : b;
    const CommandFile& input = a.written ? b : a;
    return output.role + " would overwrite " + input.role;
  }
  if (same == kStandardOutput) {
    return a.role + " and " + b.role + " cannot both go to standard output";
  }
  return a.role + " and " + b.role + " need two files";
}

}  // namespace

std::string fileClash(const std::vector<CommandFile>& files) {
  std::vector<std::string> identities;
  for (const CommandFile& file : files) {
    identities.push_back(file.path.empty() ? "" : identity(file));
  }
  for (size_t i = 0; i < files.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      bool eitherWritten = files[i].written || files[j].written;
      if (eitherWritten && !identities[i].empty() && identities[i] == identities[j]) {
        return clash(files[j], files[i], identities[i]);
      }
    }
  }
  return "";
}
