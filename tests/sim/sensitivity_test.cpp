// Sensitivity runs: what they refuse, and that their indices file is one per run whatever the
// workers, the same from summarise, with a field that cannot change a game at 0, and with
// Morris' effects per whole range of the values a field takes. The estimators themselves are
// checked on known functions in statistics_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_process.h"

namespace fs = std::filesystem;

namespace {

// Plants lose nine tenths of their life every day, so every 繁殖度 from 0.2110 to 2.1109 gives
// a plant four days: over 0.3:0.8 that field cannot change a game.
const std::vector<std::string> kRanges = {"--range", "herbivores.birth=0.1:0.4",
                                          "--range", "plants.life=0.3:0.8",
                                          "--range", "drought=0:0.3"};

std::vector<std::string> sensitivityArgs(const std::string& method, const std::string& count) {
  std::vector<std::string> args = {"--sensitivity", method, count, "--days", "60", "--repeat", "2"};
  args.insert(args.end(), kRanges.begin(), kRanges.end());
  return args;
}

}  // namespace

TEST(Sensitivity, OptionsThatCannotRunAreRefused) {
  ScratchDir dir;
  std::string indices = (dir.path() / "indices.csv").string();
  const std::vector<std::vector<std::string>> cases = {
      {"--sensitivity", "sobol", "8"},
      {"--sensitivity", "sobol", "1", "--range", "1=1:9"},
      {"--sensitivity", "morris", "1", "--range", "1=1:9"},
      {"--sensitivity", "sobel", "8", "--range", "1=1:9"},
      {"--sensitivity", "sobol", "8", "--range", "1=1:9", "--vary", "2=0.1,0.2"},
      {"--sensitivity", "sobol", "8", "--range", "1=1:9", "--design", "d.csv"},
      {"--sensitivity", "sobol", "8", "--range", "1=1:9", "--sample", "lhs", "4"},
      {"--sensitivity", "sobol", "8", "--range", "1=1:9", "--levels", "4"},
      {"--sensitivity", "morris", "8", "--range", "1=1:9", "--levels", "3"},
      {"--sensitivity", "sobol", "8", "--range", "1=1:9", "--shard", "1/2"},
      {"--sensitivity", "sobol", "8", "--range", "1=1:9", "--indices", "-"},
      {"--sensitivity", "sobol", "333334", "--range", "1=1:9", "--force"},
      {"--vary", "1=1,2"},
  };
  for (std::vector<std::string> args : cases) {
    args.insert(args.begin(), {"--indices", indices});
    expectRefused(args, kExitBadUsage, dir, {});
  }
}

TEST(Sensitivity, IndicesAreTheSameForAnyJobsAndFromSummarise) {
  struct Case {
    const char* method;
    const char* count;
    const char* header;
    size_t points;
  };
  for (const Case& c : {Case{"sobol", "4", "field,S1,S1_low,S1_high,ST,ST_low,ST_high", 4 * 5},
                        Case{"morris", "3", "field,mu,mu_star,sigma", 3 * 4}}) {
    ScratchDir dir;
    std::vector<std::string> files[2];
    for (const char* jobs : {"1", "2"}) {
      std::vector<std::string> args = sensitivityArgs(c.method, c.count);
      fs::path indices = dir.path() / (std::string("indices-") + jobs + ".csv");
      fs::path table = dir.path() / (std::string("games-") + jobs + ".csv");
      args.insert(args.end(), {"--jobs", jobs, "--indices", indices.string(), "--table",
                               table.string(), "--plot", (dir.path() / "chart.svg").string()});
      SimRun run = runSim(args);
      ASSERT_EQ(run.exitCode, 0) << run.err;
      files[jobs[0] - '1'] = {readFile(indices), readFile(table)};
    }
    EXPECT_EQ(files[0], files[1]) << c.method;
    std::string indices = files[0][0];
    std::vector<std::string> rows = splitLines(withoutSettings(indices));
    ASSERT_EQ(rows.size(), 4u) << indices;
    EXPECT_EQ(rows[0], c.header);
    EXPECT_EQ(rows[1].rfind("herbivores.birth,", 0), 0u);
    EXPECT_EQ(rows[3].rfind("drought,", 0), 0u);
    const std::string zeros = c.method == std::string("sobol") ? ",0.0000" : "";
    EXPECT_EQ(rows[2], "plants.life,0.0000,0.0000,0.0000" + zeros + zeros + zeros);
    EXPECT_EQ(indices.substr(0, indices.size() - withoutSettings(indices).size()),
              files[0][1].substr(0, files[0][1].size() - withoutSettings(files[0][1]).size()));
    EXPECT_EQ(splitLines(withoutSettings(files[0][1])).size(), 1 + 2 * c.points);

    fs::path again = dir.path() / "again.csv", chart = dir.path() / "again.svg";
    SimRun run = runSim({"summarise", (dir.path() / "games-1.csv").string(), "--indices",
                         again.string(), "--plot", chart.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(again), indices);
    EXPECT_EQ(readFile(chart), readFile(dir.path() / "chart.svg"));
  }
}

TEST(Sensitivity, MorrisEffectsArePerWholeRangeOfTheValuesPlayed) {
  // On 0:1 a population takes two values and every grid step moves it from one to the other,
  // so the record is linear in it: each effect is the record at 1 less the record at 0, not
  // that over the step's 2/3. On 3:3 a field never changes, and its moves are left out.
  ScratchDir dir;
  fs::path table = dir.path() / "games.csv", indices = dir.path() / "indices.csv";
  SimRun run = runSim({"--sensitivity", "morris", "4", "--range", "large.population=0:1", "--range",
                       "small.population=3:3", "--repeat", "2", "--days", "200", "--table",
                       table.string(), "--indices", indices.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> rows = splitLines(withoutSettings(readFile(table)));
  double sum[2] = {0, 0}, count[2] = {0, 0};
  for (size_t i = 1; i < rows.size(); ++i) {
    std::vector<std::string> cells;
    std::stringstream line(rows[i]);
    for (std::string cell; std::getline(line, cell, ',');) {
      cells.push_back(cell);
    }
    int large = std::stoi(cells.at(2));     // combination, repetition, large.population, ...
    sum[large] += std::stod(cells.at(18));  // ..., the 16th field, record
    ++count[large];
  }
  ASSERT_TRUE(count[0] > 0 && count[1] > 0);
  const double effect = sum[1] / count[1] - sum[0] / count[0];
  ASSERT_NE(effect, 0.0);
  std::vector<std::string> lines = splitLines(withoutSettings(readFile(indices)));
  ASSERT_EQ(lines.size(), 3u);
  double mu = 0, muStar = 0, sigma = 0;
  ASSERT_EQ(std::sscanf(lines[1].c_str(), "large.population,%lf,%lf,%lf", &mu, &muStar, &sigma), 3)
      << lines[1];
  EXPECT_NEAR(mu, effect, 1e-4);
  EXPECT_NEAR(muStar, std::fabs(effect), 1e-4);
  EXPECT_EQ(sigma, 0.0);
  EXPECT_EQ(lines[2], "small.population,0.0000,0.0000,0.0000");
}

TEST(Sensitivity, SummariseRefusesIndicesAndChartOfATableWhoseSettingsAreNotItsDesign) {
  ScratchDir dir;
  std::vector<std::string> args = sensitivityArgs("morris", "3");
  fs::path table = dir.path() / "games.csv", indices = dir.path() / "indices.csv";
  args.insert(args.end(), {"--seed", "5", "--table", table.string()});
  ASSERT_EQ(runSim(args).exitCode, 0);
  const std::string text = readFile(table);
  const size_t firstRow = text.find('\n', text.find("\ncombination,") + 1) + 1;
  // Another seed gives other trajectories; herbivores.birth (the row's 11th cell) is never
  // 0.0999 on 0.1:0.4.
  std::string seed = text, row = text;
  seed.replace(seed.find("# design.seed=5\n"), 16, "# design.seed=6\n");
  size_t cell = firstRow;
  for (int i = 0; i < 10; ++i) {
    cell = row.find(',', cell) + 1;
  }
  row.replace(cell, row.find(',', cell) - cell, "0.0999");
  // Nor its chart, which is the indices' chart.
  for (const std::string& edited : {seed, row}) {
    for (const char* option : {"--indices", "--plot"}) {
      fs::path path = dir.path() / "edited.csv";
      std::ofstream(path) << edited;
      SimRun run = runSim({"summarise", path.string(), option, indices.string()});
      expectErrorLine(run, kExitBadUsage, option);
      EXPECT_NE(run.err.find("'" + path.string() + "'"), std::string::npos) << run.err;
      EXPECT_EQ(run.out, "");
      EXPECT_FALSE(fs::exists(indices));
    }
  }
}
