// merge and summarise: shards of one run join to the one-machine table or are refused with the
// reason, and a table's summary and chart come back without playing, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "sim_process.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kRun = {
    "--vary", "1=1000:1000:3000", "--vary", "drought=0.1,0.3", "--repeat", "2", "--days", "40"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

class MergeTest : public ::testing::Test {
 protected:
  std::string in(const std::string& name) const { return (dir_.path() / name).string(); }
  // The shard's table, K/N, of the run with more arguments.
  std::string shard(const std::string& k, const std::string& n,
                    const std::vector<std::string>& more = {}) {
    std::string path = in("shard-" + k + "-of-" + n + std::to_string(more.size()) + ".csv");
    SimRun run = runSim(with(with(kRun, more), {"--shard", k + "/" + n, "--table", path}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return path;
  }
  ScratchDir dir_;
};

}  // namespace

TEST_F(MergeTest, SummariseGivesTheSweepsOwnSummaryAndChart) {
  const std::vector<std::string> design = {"--sample", "lhs", "3",      "--range", "9=0.1:0.4",
                                           "--repeat", "2",   "--days", "40"};
  // With --survival the chart is the survival curves; a design's own is its first game's. A
  // text with a line break is a quoted cell that spans two lines of the table.
  const std::vector<std::string> lineBreak = {"--vary", "1=1000,2000\n", "--days", "40"};
  const std::vector<std::pair<std::vector<std::string>, bool>> runs = {
      {kRun, true}, {design, true}, {design, false}, {lineBreak, false}};
  for (const auto& [run, survival] : runs) {
    std::vector<std::string> outputs = {"--table",   in("t.csv"), "--summary",
                                        in("s.csv"), "--plot",    in("p.svg")};
    std::vector<std::string> summarise = {"summarise",  in("t.csv"), "--summary",
                                          in("s2.csv"), "--plot",    in("p2.svg")};
    if (survival) {
      outputs.insert(outputs.end(), {"--survival", in("v.csv")});
      summarise.insert(summarise.end(), {"--survival", in("v2.csv")});
    }
    SimRun sweep = runSim(with(run, outputs));
    ASSERT_EQ(sweep.exitCode, 0) << sweep.err;
    SimRun again = runSim(summarise);
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(readFile(in("s2.csv")), readFile(in("s.csv")));
    EXPECT_EQ(readFile(in("v2.csv")), readFile(in("v.csv")));
    EXPECT_TRUE(fs::exists(in("p2.svg")));
    EXPECT_EQ(readFile(in("p2.svg")), readFile(in("p.svg")));
    EXPECT_EQ(runSim({"summarise", in("t.csv")}).out, readFile(in("s.csv")));
    for (const char* file : {"p.svg", "p2.svg", "v.csv", "v2.csv"}) {
      fs::remove(in(file));
    }
  }
}

// A design's texts are read from the rows, so a count of combinations in the settings far
// beyond the rows (an edited table) costs no more memory than the rows.
TEST_F(MergeTest, SummariseHoldsADesignAsFarAsItsRowsGo) {
  SimRun run = runSim({"--sample", "lhs", "3", "--range", "9=0.1:0.4", "--days", "40", "--table",
                       in("t.csv"), "--summary", in("s.csv")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string text = readFile(in("t.csv"));
  const std::string declared = "\n# combinations=3\n";
  text.replace(text.find(declared), declared.size(), "\n# combinations=100000000\n");
  std::ofstream(in("edited.csv"), std::ios::binary) << text;
  SimRun edited = runSim({"summarise", in("edited.csv")});
  EXPECT_EQ(edited.exitCode, 0) << edited.err;
  EXPECT_EQ(withoutSettings(edited.out), withoutSettings(readFile(in("s.csv"))));
  EXPECT_LT(edited.peakKilobytes, 500 * 1024) << "a row for each of the 10^8 combinations";
}

TEST_F(MergeTest, ShardsThatDoNotMakeOneRunAreRefused) {
  std::string first = shard("1", "3"), second = shard("2", "3"), third = shard("3", "3");
  std::string otherDays = shard("2", "3", {"--days", "41"}), otherSplit = shard("2", "4");
  std::string forged = in("forged.csv");
  std::string text = readFile(first);
  text.replace(text.find("shard=1/3"), 9, "shard=2/3");
  std::ofstream(forged, std::ios::binary) << text;
  // Missing shards may still come (exit 1); shards that do not belong together never will.
  struct Case {
    std::vector<std::string> shards;
    std::string reason;
    int exitCode;
  };
  const std::vector<Case> cases = {
      {{first, third},
       "missing combinations 2, 5 of 6 (--partial merges the others)",
       kExitFailure},
      {{first, first},
       "shard 1/3 is given twice: '" + first + "' and '" + first + "'",
       kExitBadUsage},
      {{first, otherDays},
       "the shards are not of one run: 'days=40' in '" + first + "', 'days=41' in '" + otherDays +
           "'",
       kExitBadUsage},
      {{first, otherSplit}, "the shards are not of one split: 1/3 and 2/4", kExitBadUsage},
      {{first, forged},
       "combination 1 is in both '" + first + "' and '" + forged + "'",
       kExitBadUsage},
      {{forged},
       "'" + forged +
           "': the row of combination 1, repetition 1 is not the next game"
           " of its shard",
       kExitBadUsage},
  };
  for (const auto& [shards, reason, exitCode] : cases) {
    SimRun run = runSim(with({"merge", "--table", in("merged.csv")}, shards));
    EXPECT_EQ(run.exitCode, exitCode) << reason;
    EXPECT_EQ(run.err, "velmoria-sim: " + reason + "\n");
    EXPECT_FALSE(fs::exists(in("merged.csv")));
  }
  // --partial keeps the complete combinations, in order.
  SimRun partial = runSim({"merge", "--partial", "--table", in("merged.csv"), third, first});
  EXPECT_EQ(partial.exitCode, 0) << partial.err;
  std::vector<std::string> rows = splitLines(withoutSettings(readFile(in("merged.csv"))));
  ASSERT_EQ(rows.size(), 9u);
  for (size_t i = 1; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].substr(0, 2), std::string(1, "1346"[(i - 1) / 2]) + ",");
  }
  SimRun all = runSim({"merge", "--table", in("merged.csv"), second, third, first});
  EXPECT_EQ(all.exitCode, 0) << all.err;
}

// No output lands on a file the command reads or on another output, by whatever name.
TEST_F(MergeTest, OutputsNeverOverwriteInputsOrEachOther) {
  std::string first = shard("1", "2"), second = shard("2", "2"), merged = in("merged.csv");
  ASSERT_EQ(runSim({"merge", "--table", merged, first, second}).exitCode, 0);
  const std::string table = readFile(merged), shardTable = readFile(first);
  const std::string again = (dir_.path() / "." / "merged.csv").string();
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"merge", "--table", (dir_.path() / "." / fs::path(first).filename()).string(), first,
            second},
           {"merge", "--table", in("m.csv"), "--days-table", in("./m.csv"), first, second},
           {"summarise", merged, "--summary", again},
           {"summarise", merged, "--summary", in("s.csv"), "--plot", in("s.csv")},
           {"summarise", merged, "--survival", "-"},  // the summary's standard output too
       }) {
    SimRun run = runSim(bad);
    EXPECT_EQ(run.exitCode, kExitBadUsage) << bad[0] << " " << bad[3] << ": " << run.err;
    EXPECT_EQ(splitLines(run.err).size(), 1u) << run.err;
  }
  EXPECT_EQ(readFile(merged), table);
  EXPECT_EQ(readFile(first), shardTable);
  EXPECT_FALSE(fs::exists(in("s.csv")) || fs::exists(in("m.csv")));
}

// A partial merge keeps the days of the games it keeps; days that do not match their tables
// are refused, and neither file is written.
TEST_F(MergeTest, DaysTablesFollowTheirGames) {
  auto withDays = [&](const std::string& k) {
    return shard(k, "3", {"--days-table", in("days-" + k + ".csv")});
  };
  std::string first = withDays("1"), third = withDays("3");
  SimRun whole =
      runSim(with(kRun, {"--table", in("whole.csv"), "--days-table", in("whole-days.csv")}));
  ASSERT_EQ(whole.exitCode, 0) << whole.err;
  SimRun partial =
      runSim({"merge", "--partial", "--table", in("merged.csv"), "--days-table",
              in("merged-days.csv"), in("days-3.csv"), third, in("days-1.csv"), first});
  ASSERT_EQ(partial.exitCode, 0) << partial.err;
  std::string expected;  // the header and the days of combinations 1, 3, 4 and 6
  for (const std::string& row : splitLines(withoutSettings(readFile(in("whole-days.csv"))))) {
    expected += std::string("c1346").find(row[0]) != std::string::npos ? row + "\n" : "";
  }
  EXPECT_EQ(withoutSettings(readFile(in("merged-days.csv"))), expected);

  std::string text = readFile(in("days-3.csv"));
  std::ofstream(in("cut-days.csv"), std::ios::binary) << text.substr(0, text.size() - 30);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{first, in("days-1.csv")},
       "'" + in("days-1.csv") + "' is a days-table: --days-table FILE merges those"},
      {{"--days-table", in("d.csv"), first, third, in("days-1.csv")},
       "no days-table is given for the shard '" + third + "'"},
      {{"--days-table", in("d.csv"), first, third, in("days-1.csv"), in("cut-days.csv")},
       "'" + in("cut-days.csv") + "' lacks day "},
  };
  for (const auto& [more, reason] : cases) {
    fs::remove(in("merged.csv"));
    SimRun run = runSim(with({"merge", "--partial", "--table", in("merged.csv")}, more));
    EXPECT_EQ(run.err.rfind("velmoria-sim: " + reason, 0), 0u) << run.err;
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(fs::exists(in("merged.csv")));
    EXPECT_FALSE(fs::exists(in("d.csv")));
  }
}

TEST_F(MergeTest, CommandsAreWordsOnlyAsTheFirstArgument) {
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"merge"},
                                             {"merge", "--table", in("m.csv")},
                                             {"merge", "--bogus", "x"},
                                             {"merge", "--table", in("m.csv"), "--days-table"},
                                             {"summarise"},
                                             {"summarise", "a.csv", "b.csv"},
                                             {"summarise", "a.csv", "--plot"}}) {
    SimRun run = runSim(bad);
    EXPECT_EQ(run.exitCode, 2) << bad.back();
    EXPECT_EQ(splitLines(run.err).size(), 1u) << run.err;
  }
  SimRun asField = runSim({"--", "merge"});
  EXPECT_EQ(asField.exitCode, 0) << asField.err;
  EXPECT_EQ(asField.out, runSim({"--", "summarise"}).out);
  EXPECT_GT(recordDays(splitLines(asField.out).at(0)), 0);
  SimRun unfinished = runSim({"summarise", shard("1", "2"), "--summary", in("s.csv")});
  EXPECT_EQ(unfinished.exitCode, 0) << "a shard's table is finished: " << unfinished.err;
  const std::string text = readFile(shard("2", "2"));  // combinations 2, 4 and 6
  auto edited = [&text](const std::vector<std::pair<std::string, std::string>>& changes) {
    std::string forged = text;
    for (const auto& [from, to] : changes) {
      forged.replace(forged.find(from), from.size(), to);
    }
    return forged;
  };
  // A table still to be finished may do later (exit 1); one edited by hand never will.
  struct Case {
    std::string table;
    std::string reason;
    int exitCode;
  };
  const std::vector<Case> tables = {
      {text.substr(0, text.size() - 70),
       "combination 6 has 1 of its 2 games: finish the table with --resume first", kExitFailure},
      {edited({{"\n2,1,", "\n9,1,"}}), "its row 1 is not the next game of this run", kExitBadUsage},
      {edited({{"\n6,1,", "\n2,1,"}, {"\n6,2,", "\n2,2,"}}),
       "its row 5 goes back to combination 2 after combination 4: a run's table has them in "
       "order",
       kExitBadUsage},
  };
  for (const auto& [table, reason, exitCode] : tables) {
    std::ofstream(in("forged.csv"), std::ios::binary) << table;
    SimRun run = runSim({"summarise", in("forged.csv")});
    EXPECT_EQ(run.exitCode, exitCode) << reason;
    EXPECT_EQ(run.err,
              "velmoria-sim: cannot summarise '" + in("forged.csv") + "': " + reason + "\n");
  }
}
