// Bad usage: one line on standard error, exit code 2, nothing on standard output and no
// table left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim_process.h"

namespace {

void expectUsageError(const std::vector<std::string>& args, const ScratchDir& dir,
                      const std::vector<std::string>& entriesBefore) {
  SimRun run = runSim(args);
  std::string shown;
  for (const std::string& arg : args) {
    shown += " '" + arg + "'";
  }
  EXPECT_EQ(run.exitCode, 2) << shown;
  EXPECT_EQ(run.out, "") << shown;
  std::vector<std::string> lines = splitLines(run.err);
  ASSERT_EQ(lines.size(), 1u) << shown << "\n" << run.err;
  EXPECT_EQ(run.err.back(), '\n') << shown;
  EXPECT_EQ(lines[0].rfind("velmoria-sim: ", 0), 0u) << shown << ": " << lines[0];
  EXPECT_EQ(dir.entries(), entriesBefore) << shown;
}

}  // namespace

TEST(BadUsage, OptionsAndFieldsThatCannotBeUsed) {
  ScratchDir dir;
  std::string csv = (dir.path() / "days.csv").string();
  const std::vector<std::vector<std::string>> cases = {
      {"--gmaes", "2"},
      {"--no-screen=yes"},
      {"--help=1"},
      {"--games"},
      {"--days"},
      {"--games", "0"},
      {"--games", "-2"},
      {"--games", "+2"},
      {"--games", "2x"},
      {"--games", "1.5"},
      {"--games", ""},
      {"--games="},
      {"--days", "0"},
      {"--days", "ten"},
      {"--days", "99999999999"},
      {"--games", "1\n2"},
      {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17"},
      {"--", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
       "17"},
  };
  for (std::vector<std::string> args : cases) {
    args.insert(args.begin(), {"--csv", csv});
    expectUsageError(args, dir, {});
  }
  expectUsageError({"--csv"}, dir, {});
  expectUsageError({"--csv", ""}, dir, {});
}

TEST(BadUsage, TableThatCannotBeWritten) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  expectUsageError({"--csv", (dir.path() / "folder").string()}, dir, {"folder"});
  expectUsageError({"--csv", (dir.path() / "missing" / "days.csv").string()}, dir, {"folder"});
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "folder"));
}

TEST(BadUsage, ExistingTableIsKeptUntilANewOneIsComplete) {
  ScratchDir dir;
  std::filesystem::path csv = dir.path() / "days.csv";
  { std::ofstream(csv) << "earlier\n"; }
  expectUsageError({"--csv", csv.string(), "--games", "0"}, dir, {"days.csv"});
  EXPECT_EQ(readFile(csv), "earlier\n");

  SimRun run = runSim({"--csv", csv.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"days.csv"});
  EXPECT_EQ(parseCsv(readFile(csv)).size(),
            static_cast<size_t>(recordDays(run.out.substr(0, run.out.size() - 1))));
}
