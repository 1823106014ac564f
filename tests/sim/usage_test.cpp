// Bad usage: one line on standard error, exit code 2, nothing on standard output and no
// table left behind. A table that cannot be written is a failure while running: exit code 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim_process.h"

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
      {"--plot", (dir.path() / "." / "days.csv").string()},
      {"--csv", "-", "--plot", "-"},
  };
  for (std::vector<std::string> args : cases) {
    args.insert(args.begin(), {"--csv", csv});
    expectRefused(args, kExitBadUsage, dir, {});
  }
  expectRefused({"--csv"}, kExitBadUsage, dir, {});
  expectRefused({"--csv", ""}, kExitBadUsage, dir, {});
}

TEST(Failure, TableThatCannotBeWritten) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  expectRefused({"--csv", (dir.path() / "folder").string()}, kExitFailure, dir, {"folder"});
  expectRefused({"--csv", (dir.path() / "missing" / "days.csv").string()}, kExitFailure, dir,
                {"folder"});
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "folder"));
}

TEST(BadUsage, ExistingTableIsKeptUntilANewOneIsComplete) {
  ScratchDir dir;
  std::filesystem::path csv = dir.path() / "days.csv";
  { std::ofstream(csv) << "earlier\n"; }
  expectRefused({"--csv", csv.string(), "--games", "0"}, kExitBadUsage, dir, {"days.csv"});
  EXPECT_EQ(readFile(csv), "earlier\n");

  SimRun run = runSim({"--csv", csv.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"days.csv"});
  EXPECT_EQ(parseCsv(readFile(csv)).size(),
            static_cast<size_t>(recordDays(run.out.substr(0, run.out.size() - 1))));
}
