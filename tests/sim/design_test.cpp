// Designs: a design file plays exactly the combinations it lists, bad files are refused with
// their row and column, and sampled designs fill their ranges as their method promises, the
// same for a seed on every run, without touching the games' random source.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sim_process.h"

namespace fs = std::filesystem;

namespace {

std::string succeeded(const std::vector<std::string>& args) {
  SimRun run = runSim(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return run.out;
}

std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> parts;
  std::stringstream in(line);
  for (std::string part; std::getline(in, part, ',');) {
    parts.push_back(part);
  }
  return parts;
}

// The cells of one column (0: combination, 1..16: the fields) of --print-design's rows.
std::vector<std::string> printedColumn(const std::string& printed, size_t column) {
  std::vector<std::string> values;
  std::vector<std::string> lines = splitLines(printed);
  for (size_t i = 1; i < lines.size(); ++i) {
    values.push_back(cells(lines[i]).at(column));
  }
  return values;
}

std::vector<std::string> sampleArgs(const std::string& method, const std::string& count,
                                    const std::string& seed) {
  return {"--sample", method,       count,    "--range", "herbivores.population=0:999",
          "--range",  "9=0:0.0999", "--seed", seed,      "--print-design"};
}

}  // namespace

TEST(Design, AFileOfAGridsCombinationsPlaysTheGridsTable) {
  ScratchDir dir;
  fs::path design = dir.path() / "design.csv";
  std::ofstream(design) << "large.population,16\r\n1000,0.05\r\n1000,\"0.15\"\r\n3000,0.05\r\n"
                        << "3000,0.15";
  std::vector<std::string> common = {"--repeat", "2", "--days", "40", "--table", "-"};
  std::vector<std::string> grid = {"--vary", "1=1000,3000", "--vary", "drought=0.05,0.15"};
  grid.insert(grid.end(), common.begin(), common.end());
  std::string expected = withoutSettings(succeeded(grid));
  ASSERT_EQ(splitLines(expected).size(), 9u);
  std::vector<std::string> fromFile = {"--design", design.string()};
  fromFile.insert(fromFile.end(), common.begin(), common.end());
  EXPECT_EQ(withoutSettings(succeeded(fromFile)), expected);
  SimStart fromInput;
  fromInput.args = {"--design", "-"};
  fromInput.args.insert(fromInput.args.end(), common.begin(), common.end());
  fromInput.stdinPath = design.string();
  EXPECT_EQ(withoutSettings(runSim(fromInput).out), expected);

  // A table of the file's rows is not resumed with other rows.
  fs::path table = dir.path() / "table.csv";
  SimRun first = runSim({"--design", design.string(), "--days", "40", "--table", table.string()});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const std::string before = readFile(table);
  std::ofstream(design, std::ios::app) << "\n4000,0.15\n";
  SimRun other =
      runSim({"--design", design.string(), "--days", "40", "--table", table.string(), "--resume"});
  EXPECT_EQ(other.exitCode, 2);
  EXPECT_NE(other.err.find("its settings differ: 'design.digest="), std::string::npos) << other.err;
  EXPECT_EQ(readFile(table), before);
}

TEST(Design, BlankLinesAtTheEndAreNoCombinations) {
  ScratchDir dir;
  fs::path design = dir.path() / "design.csv";
  std::ofstream(design, std::ios::binary) << "drought\r\n0.05\r\n\"\"\r\n\r\n\n";
  std::string printed = succeeded({"--design", design.string(), "--print-design"});
  EXPECT_EQ(printedColumn(printed, 0), (std::vector<std::string>{"1", "2"})) << printed;
  EXPECT_EQ(printedColumn(printed, 15), (std::vector<std::string>{"0.1", "0.1"})) << printed;
}

TEST(Design, AByteOrderMarkBeforeTheHeaderIsSkipped) {
  ScratchDir dir;
  fs::path design = dir.path() / "design.csv";
  std::ofstream(design, std::ios::binary) << "\xEF\xBB\xBFlarge.life\r\n0.3\r\n";
  std::string printed = succeeded({"--design", design.string(), "--print-design"});
  EXPECT_EQ(printedColumn(printed, 2), std::vector<std::string>{"0.3"}) << printed;
}

TEST(Design, BadFilesAreRefusedNamingRowAndColumn) {
  ScratchDir dir;
  fs::path design = dir.path() / "design.csv";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "it is empty"},
      {"1,drought\n", "it has a header but no combinations"},
      {"1,nosuch\n1,2\n", "row 1, column 2: unknown field 'nosuch'"},
      {"1,17\n1,2\n", "row 1, column 2: unknown field '17'"},
      {"drought,2,16\n1,2,3\n", "row 1, column 3: field 'drought' is in column 1 already"},
      {"1,2\n1,2\n3\n", "row 3, column 2: too few cells: 1 for 2 fields"},
      {"large.life\n0.3\n\n0.4\n", "row 3 is a blank line; only those at the end are skipped"},
      {"1,2\r\n1,2\r\n\r\n1,2\r\n", "row 3 is a blank line; only those at the end are skipped"},
      {"1,2\n1,2,3\n", "row 2, column 3: too many cells: 3 for 2 fields"},
      {"1,2\n1,\"2\n", "row 2, column 2: a quoted cell is not closed"},
  };
  for (const auto& [text, reason] : cases) {
    std::ofstream(design, std::ios::binary) << text;
    SimRun run = runSim({"--design", design.string(), "--table", (dir.path() / "t.csv").string()});
    EXPECT_EQ(run.exitCode, 2) << text;
    EXPECT_EQ(run.err, "velmoria-sim: design file '" + design.string() + "': " + reason + "\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"design.csv"}) << text;
  }
}

// Without --force a file is read only as far as the combinations the run may play.
TEST(Design, AFileTooBigWithoutForceIsRefusedAtItsFirstRowTooMany) {
  ScratchDir dir;
  fs::path design = dir.path() / "design.csv";
  std::string rows;
  for (int i = 0; i < 3000000; ++i) {
    rows += "0.1\n";
  }
  std::ofstream(design, std::ios::binary) << "drought\n" << rows;
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--repeat", "1000"}, "row 1002"},                    // combination 1001
      {{"--repeat", "250000", "--shard", "2/3"}, "row 15"},  // combination 14, the shard's fifth
  };
  for (const auto& [more, row] : cases) {
    std::vector<std::string> args = {"--design", design.string(), "--table",
                                     (dir.path() / "t.csv").string()};
    args.insert(args.end(), more.begin(), more.end());
    SimRun run = runSim(args);
    EXPECT_EQ(run.exitCode, 2) << row;
    EXPECT_EQ(run.err, "velmoria-sim: design file '" + design.string() + "': " + row +
                           " makes this sweep more than 1000000 games, which need --force\n");
    EXPECT_LT(run.peakKilobytes, 200 * 1024) << "all 3000000 rows read";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"design.csv"}) << row;
  }
}

TEST(Design, ALatinHypercubeHasOnePointInEachStratumOfEveryRange) {
  std::string printed = succeeded(sampleArgs("lhs", "10", "7"));
  std::set<int> populations, births;
  for (const std::string& text : printedColumn(printed, 7)) {
    populations.insert(std::stoi(text) / 100);
  }
  for (const std::string& text : printedColumn(printed, 9)) {
    ASSERT_EQ(text.size(), 6u) << text;  // "0.0123": four decimals
    births.insert(std::stoi(text.substr(2)) / 100);
  }
  const std::set<int> everyStratum = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(populations, everyStratum);
  EXPECT_EQ(births, everyStratum);
}

TEST(Design, ShiftedSobolPointsFillEveryEighthOfARange) {
  // The first 2^k points of the sequence, shifted modulo 1, put one point in each 1/2^k.
  for (const char* seed : {"1", "2", "99"}) {
    std::set<int> eighths;
    for (const std::string& text : printedColumn(succeeded(sampleArgs("sobol", "8", seed)), 7)) {
      eighths.insert(std::stoi(text) * 8 / 1000);
    }
    EXPECT_EQ(eighths.size(), 8u) << "seed " << seed;
  }
}

TEST(Design, ASeedGivesOneDesignAndLeavesTheGamesAlone) {
  for (const char* method : {"random", "lhs", "sobol"}) {
    std::string printed = succeeded(sampleArgs(method, "6", "5"));
    EXPECT_EQ(succeeded(sampleArgs(method, "6", "5")), printed) << method;
    EXPECT_NE(succeeded(sampleArgs(method, "6", "6")), printed) << method;
    EXPECT_EQ(printedColumn(printed, 0), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  }
  // The games of a sampled design are those of a fresh start with its fields.
  std::vector<std::string> args = sampleArgs("random", "2", "3");
  args.pop_back();
  std::vector<std::string> row = cells(splitLines(succeeded(sampleArgs("random", "2", "3")))[2]);
  std::vector<std::string> fields(row.begin() + 1, row.end());
  std::vector<std::string> plain = {"--games", "2", "--days", "50", "--"};
  plain.insert(plain.end(), fields.begin(), fields.end());
  std::vector<std::string> records = splitLines(succeeded(plain));
  args.insert(args.end(), {"--repeat", "2", "--days", "50", "--table", "-"});
  std::vector<std::string> table = splitLines(withoutSettings(succeeded(args)));
  ASSERT_EQ(table.size(), 5u);
  for (int game = 0; game < 2; ++game) {
    std::vector<std::string> tableRow = cells(table[3 + game]);
    EXPECT_EQ(std::vector<std::string>(tableRow.begin() + 2, tableRow.begin() + 18), fields);
    EXPECT_EQ(recordDays(records[game]), std::stoi(tableRow[18])) << records[game];
  }
}

TEST(Design, PrintDesignShowsTheShardsCombinationsAndPlaysNothing) {
  ScratchDir dir;
  fs::path table = dir.path() / "table.csv";
  SimRun run = runSim({"--vary", "1=1:1:5", "--vary", "2=0.1,0.2", "--shard", "2/3", "--repeat",
                       "4", "--table", table.string(), "--print-design"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(printedColumn(run.out, 0), (std::vector<std::string>{"2", "5", "8"}));
  EXPECT_EQ(printedColumn(run.out, 1), (std::vector<std::string>{"1", "3", "4"}));
  EXPECT_EQ(printedColumn(run.out, 2), (std::vector<std::string>{"0.2", "0.1", "0.2"}));
  EXPECT_EQ(splitLines(run.out)[0].rfind("combination,large.population,large.life,", 0), 0u);
  EXPECT_EQ(run.err, "12 games (3 combinations, --repeat 4)\n");
  EXPECT_TRUE(dir.entries().empty());
}

TEST(Design, OptionsThatDoNotGoTogetherAreRefused) {
  const std::vector<std::vector<std::string>> cases = {
      {"--design", "d.csv", "--sample", "lhs", "4", "--range", "1=1:2"},
      {"--design", "d.csv", "--vary", "1=1,2"},
      {"--range", "1=1:2"},
      {"--seed", "3"},
      {"--sample", "lhs", "4"},
      {"--sample", "grid", "4", "--range", "1=1:2"},
      {"--sample", "lhs", "0", "--range", "1=1:2"},
      {"--sample", "lhs"},
      {"--sample", "lhs", "4", "--range", "1=2:1"},
      {"--sample", "lhs", "4", "--range", "1=1.5:2"},
      {"--sample", "lhs", "4", "--range", "2=0.00001:1"},
      {"--sample", "lhs", "4", "--range", "1=1:2", "--range", "large.population=1:2"},
      {"--sample", "lhs", "4", "--range", "1=1:2", "--seed", "-1"},
      {"--sample", "lhs", "4", "--range", "1=1:2", "--seed", "4294967296"},
  };
  for (const std::vector<std::string>& bad : cases) {
    SimRun run = runSim(bad);
    EXPECT_EQ(run.exitCode, 2) << bad[0] << " " << bad.back();
    EXPECT_EQ(splitLines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(run.out, "");
  }
}
