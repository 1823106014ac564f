// Where velmoria-sim's files go: devices and pipes are written, not replaced; links are
// followed; a replaced file keeps its mode and owner; failures are errors on one line and
// leave no temporary file behind. Every file option goes through the same writer, so the
// cases run over --csv, the sweep's --table and --summary, and --plot.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "sim_process.h"

namespace fs = std::filesystem;

namespace {

// One short run per file option, writing FILE.
std::vector<std::string> argsWriting(const std::string& option, const std::string& file) {
  if (option == "--csv" || option == "--plot") {
    return {option, file, "--days", "3"};
  }
  return {"--vary", "1=1000,2000", "--days", "3", "--jobs", "1", option, file};
}

const std::vector<std::string> kFileOptions = {"--csv", "--table", "--summary", "--plot"};

struct stat statOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
  return st;
}

}  // namespace

// Devices made here, or the system's own where we may not make them.
TEST(OutputFiles, CharacterDevicesAreWrittenNotReplaced) {
  ScratchDir dir;
  fs::path null = dir.path() / "null";
  fs::path full = dir.path() / "full";
  if (mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
      mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
    null = "/dev/null";
    full = "/dev/full";
  }
  std::vector<std::string> entries = dir.entries();
  for (const std::string& option : kFileOptions) {
    SimRun run = runSim(argsWriting(option, null.string()));
    EXPECT_EQ(run.exitCode, 0) << option << ": " << run.err;
    // No space on the device: an error, not a success.
    expectErrorLine(runSim(argsWriting(option, full.string())), kExitFailure,
                    option + " /dev/full");
    EXPECT_TRUE(S_ISCHR(statOf(null).st_mode)) << option;
    EXPECT_TRUE(S_ISCHR(statOf(full).st_mode)) << option;
    EXPECT_EQ(dir.entries(), entries) << option;
  }
}

// Reads the FIFO while the simulator runs; what arrives after the writer closes is all.
TEST(OutputFiles, FifoReaderGetsTheWholeFile) {
  ScratchDir dir;
  fs::path fifo = dir.path() / "fifo";
  fs::path file = dir.path() / "file";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& option : kFileOptions) {
    // Opened before the writer, so that a simulator that replaced the FIFO cannot hang us.
    int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    SimStart start;
    start.args = argsWriting(option, fifo.string());
    ScratchDir logs;
    SimProcess process = startSim(start, logs.path());
    std::string received;
    int status = drainUntilExit(process.pid, fd, received);
    close(fd);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << option;
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode)) << option;
    ASSERT_EQ(runSim(argsWriting(option, file.string())).exitCode, 0);
    EXPECT_EQ(received, readFile(file)) << option;
    EXPECT_FALSE(received.empty()) << option;
    fs::remove(file);
  }
}

// /dev/stdout is the standard output already open, here a file that must not be replaced.
TEST(OutputFiles, StandardOutputByNameIsStandardOutput) {
  for (const std::string& option : kFileOptions) {
    SimRun named = runSim(argsWriting(option, "/dev/stdout"));
    EXPECT_EQ(named.exitCode, 0) << option << ": " << named.err;
    EXPECT_FALSE(named.out.empty()) << option;
    EXPECT_EQ(named.out, runSim(argsWriting(option, "-")).out) << option;
  }
}

TEST(OutputFiles, ReplacedFileKeepsItsModeAndOwner) {
  ScratchDir dir;
  fs::path file = dir.path() / "kept";
  bool root = geteuid() == 0;
  for (const std::string& option : kFileOptions) {
    { std::ofstream(file) << "earlier\n"; }
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    if (root) {
      ASSERT_EQ(chown(file.c_str(), 1234, 5678), 0);
    }
    SimRun run = runSim(argsWriting(option, file.string()));
    EXPECT_EQ(run.exitCode, 0) << option << ": " << run.err;
    struct stat st = statOf(file);
    EXPECT_NE(readFile(file), "earlier\n") << option;
    EXPECT_EQ(st.st_mode & 07777, 0640u) << option;
    if (root) {
      EXPECT_EQ(st.st_uid, 1234u) << option;
      EXPECT_EQ(st.st_gid, 5678u) << option;
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"kept"}) << option;
  }
}

TEST(OutputFiles, SymbolicLinkIsFollowedAndKept) {
  ScratchDir dir;
  fs::create_directory(dir.path() / "data");
  fs::path target = dir.path() / "data" / "target";
  fs::path link = dir.path() / "link";
  fs::create_symlink("data/target", link);  // relative to the link's folder
  for (const std::string& option : kFileOptions) {
    fs::remove(target);
    // A dangling link makes the file it names, like any other.
    SimRun run = runSim(argsWriting(option, link.string()));
    EXPECT_EQ(run.exitCode, 0) << option << ": " << run.err;
    EXPECT_TRUE(fs::is_symlink(link)) << option;
    std::string first = readFile(target);
    EXPECT_FALSE(first.empty()) << option;
    { std::ofstream(target) << "earlier\n"; }
    EXPECT_EQ(runSim(argsWriting(option, link.string())).exitCode, 0) << option;
    EXPECT_TRUE(fs::is_symlink(link)) << option;
    EXPECT_EQ(readFile(target), first) << option;
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"data", "link"})) << option;
  }
}

TEST(OutputFiles, UnwritableStandardErrorFailsATableOnStandardOutput) {
  SimStart start;
  start.args = {"--csv", "-", "--days", "3"};
  start.stderrPath = "/dev/full";
  SimRun run = runSim(start);
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_FALSE(run.out.empty());
}

TEST(OutputFiles, FileSizeLimitRemovesTheTemporaryFile) {
  ScratchDir dir;
  fs::path file = dir.path() / "big";
  for (std::string option : {"--csv", "--summary"}) {
    { std::ofstream(file) << "earlier\n"; }
    SimStart start;
    start.args = {option, file.string(), "--games", "20", "--days", "50"};
    if (option == "--summary") {
      start.args = {option, file.string(), "--vary", "1=1:1:300", "--days", "2"};
    }
    start.fileSizeLimit = 2000;
    SimRun run = runSim(start);
    EXPECT_EQ(run.signal, SIGXFSZ) << option << ": " << run.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"big"}) << option;
    EXPECT_EQ(readFile(file), "earlier\n") << option;
  }
}

// An interrupted run is a failure while running: worth running again.
TEST(OutputFiles, InterruptedRunRemovesTheTemporaryFileAndExitsOne) {
  ScratchDir dir;
  ScratchDir logs;
  SimStart start;
  start.args = {
      "--summary", (dir.path() / "summary.csv").string(), "--vary", "1=1:1:100000", "--jobs", "1",
      "--force"};
  SimProcess process = startSim(start, logs.path());
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (dir.entries().empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(dir.entries().size(), 1u) << "no temporary file seen";
  kill(process.pid, SIGTERM);
  expectErrorLine(waitSim(process), kExitFailure, "SIGTERM");
  EXPECT_TRUE(dir.entries().empty());
}

TEST(OutputFiles, ErrorsStayOnOneLine) {
  ScratchDir dir;
  for (const std::string& option : kFileOptions) {
    std::string path = (dir.path() / "no\nsuch\x1b[2J" / "file").string();
    SimRun run = runSim(argsWriting(option, path));
    expectErrorLine(run, kExitFailure, option);
    EXPECT_NE(run.err.find("no\\nsuch\\x1b[2J"), std::string::npos) << run.err;
  }
}

TEST(OutputFiles, NamesUpToTheLongestAllowedAreWritten) {
  ScratchDir dir;
  for (const std::string& option : kFileOptions) {
    for (size_t length : {240u, 245u, 250u, 255u}) {
      std::string name(length, 'n');
      SimRun run = runSim(argsWriting(option, (dir.path() / name).string()));
      EXPECT_EQ(run.exitCode, 0) << option << " " << length << ": " << run.err;
      EXPECT_EQ(dir.entries(), std::vector<std::string>{name}) << option << " " << length;
      fs::remove(dir.path() / name);
    }
    expectErrorLine(runSim(argsWriting(option, (dir.path() / std::string(256, 'n')).string())),
                    kExitFailure, option + " 256");
    EXPECT_TRUE(dir.entries().empty());
  }
}

// A folder that takes no new files: as root, permissions bind nobody, so the simulator runs as
// another user there.
TEST(OutputFiles, WritableFileInAClosedFolderIsRewrittenInPlace) {
  ScratchDir dir;
  fs::path closed = dir.path() / "closed";
  fs::path file = closed / "open";
  fs::create_directory(closed);
  { std::ofstream(file) << "earlier\n"; }
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(file.c_str(), 0666), 0);
  ASSERT_EQ(chmod(closed.c_str(), 0555), 0);
  for (const std::string& option : kFileOptions) {
    SimStart start;
    start.args = argsWriting(option, file.string());
    start.asOtherUser = true;
    SimRun run = runSim(start);
    EXPECT_EQ(run.exitCode, 0) << option << ": " << run.err;
    EXPECT_NE(readFile(file), "earlier\n") << option;
    EXPECT_EQ(statOf(file).st_mode & 07777, 0666u) << option;

    start.args = argsWriting(option, (closed / "new").string());
    expectErrorLine(runSim(start), kExitFailure, option + " new file");
    EXPECT_EQ(std::distance(fs::directory_iterator(closed), fs::directory_iterator()), 1) << option;
    { std::ofstream(file) << "earlier\n"; }
  }
  chmod(closed.c_str(), 0755);
}

TEST(OutputFiles, CountsOverTheLimitSayTheLimit) {
  for (const char* option : {"--games", "--repeat"}) {
    SimRun run = runSim({option, "2147483647"});
    expectErrorLine(run, kExitBadUsage, option);
    EXPECT_NE(run.err.find("at most 1000000000"), std::string::npos) << run.err;
  }
  SimRun run = runSim({"--games", "1000001"});
  expectErrorLine(run, kExitBadUsage, "--games 1000001");
  EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
}
