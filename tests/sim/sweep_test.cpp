// Sweeps: every row is the game a fresh start with those fields plays, the tables do not
// depend on the number of jobs, a killed run resumes to the same table, shards merge to the
// whole, and bad input leaves nothing behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "parameters.h"
#include "sim_process.h"
#include "svg_chart.h"

namespace fs = std::filesystem;

namespace {

const char* const kFieldNames[kParameterFieldCount] = {
    "large.population", "large.life",        "large.birth",           "small.population",
    "small.life",       "small.birth",       "herbivores.population", "herbivores.life",
    "herbivores.birth", "plants.population", "plants.life",           "plants.birth",
    "virus.large",      "virus.small",       "virus.herbivores",      "drought",
};

std::string succeeded(const std::vector<std::string>& args) {
  SimRun run = runSim(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return run.out;
}

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(line);
  for (std::string part; std::getline(in, part, separator);) {
    parts.push_back(part);
  }
  return parts;
}

struct GameRow {
  int combination;
  int repetition;
  std::vector<std::string> fields;  // the sixteen texts
  int record;
  int stopped;
  std::vector<std::string> outcome;  // extinct, then min, max and final of each level
};

const char* const kLevelNames[] = {"large", "small", "herbivores", "plants"};

std::string tableHeader() {
  std::string header = "combination,repetition";
  for (const char* name : kFieldNames) {
    header += std::string(",") + name;
  }
  header += ",record,stopped,extinct";
  for (const char* level : kLevelNames) {
    for (const char* measure : {".min", ".max", ".final"}) {
      header += std::string(",") + level + measure;
    }
  }
  return header;
}

// A game's outcome columns computed from its days: the levels at 0 or less on the last day of
// a game that was not stopped, and each level's min, max and last population.
std::vector<std::string> outcomeOfDays(const std::vector<CsvRow>& days, bool stopped) {
  std::string extinct;
  std::vector<std::string> spans;
  for (int level = 0; level < 4; ++level) {
    int low = days[0].populations[level], high = low;
    for (const CsvRow& day : days) {
      low = std::min(low, day.populations[level]);
      high = std::max(high, day.populations[level]);
    }
    int last = days.back().populations[level];
    if (!stopped && last <= 0) {
      extinct += (extinct.empty() ? "" : "+") + std::string(kLevelNames[level]);
    }
    spans.insert(spans.end(), {std::to_string(low), std::to_string(high), std::to_string(last)});
  }
  spans.insert(spans.begin(), extinct);
  return spans;
}

std::vector<GameRow> parseTable(const std::string& text) {
  std::vector<std::string> lines = splitLines(withoutSettings(text));
  EXPECT_FALSE(lines.empty());
  EXPECT_EQ(lines.empty() ? "" : lines[0], tableHeader());
  std::vector<GameRow> rows;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> cells = split(lines[i] + ",", ',');  // keeps an empty last cell
    if (cells.size() != 33) {
      ADD_FAILURE() << "row " << i << ": " << lines[i];
      break;
    }
    rows.push_back({std::stoi(cells[0]), std::stoi(cells[1]),
                    std::vector<std::string>(cells.begin() + 2, cells.begin() + 18),
                    std::stoi(cells[18]), std::stoi(cells[19]),
                    std::vector<std::string>(cells.begin() + 20, cells.end())});
  }
  return rows;
}

// "記録：N日" is N, not stopped; "打ち切り：N日（全階層が生存）" is N, stopped.
std::pair<int, int> recordOf(const std::string& line) {
  int days = recordDays(line);
  if (days > 0) {
    return {days, 0};
  }
  int stopped = 0;
  EXPECT_EQ(std::sscanf(line.c_str(), "打ち切り：%d日", &stopped), 1) << line;
  return {stopped, 1};
}

// The mean as the simulator computes it: the sum in a double, divided by the count.
double meanOf(const std::vector<int>& records) {
  double sum = 0;
  for (int record : records) {
    sum += record;
  }
  return sum / static_cast<double>(records.size());
}

std::vector<std::string> sweepArgs() {
  return {"--vary",   "herbivores.population=1000:1000:4000",
          "--vary",   "3=0.1,0.3",
          "--repeat", "2",
          "--days",   "80"};
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

}  // namespace

TEST(Sweep, EveryRowIsTheGameOfAFreshStartWithThoseFields) {
  ScratchDir dir;
  const std::string days = (dir.path() / "days.csv").string();
  std::vector<GameRow> rows = parseTable(
      succeeded({"--vary", "large.population=1000,3000", "--vary", "drought=0.05:0.1:0.15",
                 "--repeat", "3", "--days", "30", "--table", "-", "0500"}));
  const std::string populations[] = {"1000", "3000"};
  const std::string droughts[] = {"0.05", "0.15"};
  ASSERT_EQ(rows.size(), 12u);
  for (int c = 0; c < 4; ++c) {
    std::vector<std::string> fields(kDefaultParameterTexts,
                                    kDefaultParameterTexts + kParameterFieldCount);
    fields[0] = populations[c / 2];
    fields[15] = droughts[c % 2];
    std::vector<std::string> games =
        splitLines(succeeded(with({"--games", "3", "--days", "30", "--csv", days, "--"}, fields)));
    ASSERT_EQ(games.size(), 3u);
    std::vector<CsvRow> dayRows = parseCsv(readFile(days));
    for (int r = 0; r < 3; ++r) {
      const GameRow& row = rows[c * 3 + r];
      EXPECT_EQ(row.combination, c + 1);
      EXPECT_EQ(row.repetition, r + 1);
      EXPECT_EQ(row.fields, fields);
      EXPECT_EQ(std::make_pair(row.record, row.stopped), recordOf(games[r])) << c << "," << r;
      EXPECT_EQ(row.outcome, outcomeOfDays(rowsOfGame(dayRows, r + 1), row.stopped == 1));
    }
  }
}

TEST(Sweep, TablesAreTheSameForAnyNumberOfJobs) {
  ScratchDir dir;
  std::string table1, summary1;
  for (const char* jobs : {"1", "2", "3", "7"}) {
    fs::path table = dir.path() / "table.csv";
    fs::path summary = dir.path() / "summary.csv";
    succeeded(with(sweepArgs(),
                   {"--jobs", jobs, "--table", table.string(), "--summary", summary.string()}));
    if (table1.empty()) {
      table1 = readFile(table);
      summary1 = readFile(summary);
      EXPECT_EQ(parseTable(table1).size(), 16u);
    }
    EXPECT_EQ(readFile(table), table1) << jobs << " jobs";
    EXPECT_EQ(readFile(summary), summary1) << jobs << " jobs";
  }
  // Without --table or --summary the summary goes to standard output.
  EXPECT_EQ(succeeded(sweepArgs()), summary1);
  // More jobs than descriptors for their pipes: fewer workers play the same games.
  SimStart crowded;
  crowded.args = with(sweepArgs(), {"--jobs", "16"});
  crowded.openFilesLimit = 12;
  SimRun run = runSim(crowded);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, summary1);
}

TEST(Sweep, SummaryRowsSummarizeTheGames) {
  ScratchDir dir;
  fs::path table = dir.path() / "table.csv";
  std::string summary =
      succeeded(with(sweepArgs(), {"--repeat", "4", "--table", table.string(), "--summary", "-"}));
  std::vector<GameRow> rows = parseTable(readFile(table));
  std::vector<std::string> lines = splitLines(withoutSettings(summary));
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0],
            "herbivores.population,large.birth,games,mean,min,median,max,stopped,sd,mean_low,"
            "mean_high,km_median,rmst");
  for (size_t c = 0; c < 8; ++c) {
    std::vector<int> records;
    int stopped = 0;
    for (const GameRow& row : rows) {
      if (row.combination == static_cast<int>(c + 1)) {
        records.push_back(row.record);
        stopped += row.stopped;
      }
    }
    ASSERT_EQ(records.size(), 4u);
    std::sort(records.begin(), records.end());
    int twiceMedian = records[1] + records[2];
    // Without cut-off games the survival curve halves at the second record of four and the
    // restricted mean is the mean.
    char expected[200];
    std::snprintf(expected, sizeof expected, "%s,%s,4,%.2f,%d,%d%s,%d,%d,",
                  rows[c * 4].fields[6].c_str(), rows[c * 4].fields[2].c_str(), meanOf(records),
                  records[0], twiceMedian / 2, twiceMedian % 2 ? ".5" : "", records[3], stopped);
    ASSERT_EQ(lines[c + 1].rfind(expected, 0), 0u) << lines[c + 1];
    std::vector<std::string> cells = split(lines[c + 1], ',');
    ASSERT_EQ(cells.size(), 13u);
    EXPECT_LT(std::stod(cells[9]), meanOf(records));
    EXPECT_GT(std::stod(cells[10]), meanOf(records));
    EXPECT_EQ(cells[11], std::to_string(records[1]));
    EXPECT_EQ(cells[12], cells[3]);
  }
}

TEST(Sweep, GamesCutOffByTheDayLimitHaveNoMedianAndARestrictedMeanOfTheLimit) {
  std::string summary = succeeded(with(sweepArgs(), {"--days", "5", "--summary", "-"}));
  std::vector<std::string> lines = splitLines(withoutSettings(summary));
  ASSERT_GT(lines.size(), 1u);
  std::vector<std::string> cells = split(lines[1], ',');
  ASSERT_EQ(cells.size(), 13u);
  EXPECT_EQ(cells[7], cells[2]);  // every game stopped
  EXPECT_EQ(cells[11], "");
  EXPECT_EQ(cells[12], "5.00");
}

// Each combination's curve counts its games from the table: all at risk on the first day, each
// leaving on its last day as ended or stopped, the curve falling only where games ended.
TEST(Sweep, SurvivalRowsFollowTheTable) {
  ScratchDir dir;
  fs::path table = dir.path() / "t.csv", curves = dir.path() / "v.csv";
  succeeded(with(sweepArgs(), {"--repeat", "5", "--days", "28", "--table", table.string(),
                               "--survival", curves.string(), "--summary", "-"}));
  std::vector<GameRow> games = parseTable(readFile(table));
  std::vector<std::string> lines = splitLines(withoutSettings(readFile(curves)));
  ASSERT_EQ(lines[0], "combination,day,at_risk,ended,stopped,survival,lower,upper");
  std::map<std::pair<int, int>, std::pair<int, int>> expected;  // (c, day) -> (ended, stopped)
  for (const GameRow& game : games) {
    auto& counts = expected[{game.combination, game.record}];
    ++(game.stopped ? counts.second : counts.first);
  }
  ASSERT_EQ(lines.size(), expected.size() + 1);
  int combination = 0, atRisk = 0;
  double survival = 1;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> cells = split(lines[i], ',');
    ASSERT_EQ(cells.size(), 8u);
    int c = std::stoi(cells[0]), ended = std::stoi(cells[3]), stopped = std::stoi(cells[4]);
    if (c != combination) {
      combination = c, atRisk = 5, survival = 1;
    }
    EXPECT_EQ(std::make_pair(ended, stopped), (expected[{c, std::stoi(cells[1])}]));
    EXPECT_EQ(std::stoi(cells[2]), atRisk);
    survival *= 1.0 - static_cast<double>(ended) / atRisk;
    EXPECT_NEAR(std::stod(cells[5]), survival, 5e-5);
    EXPECT_LE(std::stod(cells[6]), std::stod(cells[5]));
    EXPECT_GE(std::stod(cells[7]), std::stod(cells[5]));
    atRisk -= ended + stopped;
  }
}

TEST(Sweep, RangesCountInDecimal) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"3=0.1:0.05:0.3", "0.1 0.15 0.2 0.25 0.3"},
      {"1=2000:-500:1000", "2000 1500 1000"},
      {"1=1:2:6", "1 3 5"},
      {"2=-0.5:0.25:0.5", "-0.5 -0.25 0 0.25 0.5"},
      {"16=0:.1:0.3", "0 0.1 0.2 0.3"},
      {"drought=7:1:7", "7"},
      {"virus.small=0.3,abc,0.1", "0.3 abc 0.1"},
  };
  for (const auto& [vary, values] : cases) {
    std::vector<std::string> lines =
        splitLines(withoutSettings(succeeded({"--vary", vary, "--days", "1"})));
    std::string firstColumn;
    for (size_t i = 1; i < lines.size(); ++i) {
      firstColumn += (i > 1 ? " " : "") + split(lines[i] + ",", ',')[0];
    }
    EXPECT_EQ(firstColumn, values) << vary;
  }
}

TEST(Sweep, BadVaryValuesAreRefusedNamingTheField) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"2=5,", "--vary '2' has an empty value in '5,'"},
      {"virus.small=0.3,,0.1", "--vary 'virus.small' has an empty value in '0.3,,0.1'"},
      {"2=1:2", "--vary '2': range needs FIRST:STEP:LAST, not '1:2'"},
  };
  for (const auto& [vary, reason] : cases) {
    SimRun run = runSim({"--vary", vary});
    EXPECT_EQ(run.exitCode, kExitBadUsage) << vary;
    EXPECT_EQ(run.err, "velmoria-sim: " + reason + "\n");
    EXPECT_EQ(run.out, "") << vary;
  }
}

TEST(Sweep, ResumeAfterAKillGivesTheUninterruptedTable) {
  ScratchDir dir;
  std::vector<std::string> args = {"--vary", "1=1000:100:3900", "--repeat", "4", "--days",
                                   "12",     "--jobs",          "2"};
  fs::path whole = dir.path() / "whole.csv";
  fs::path cut = dir.path() / "cut.csv";
  succeeded(with(args, {"--table", whole.string()}));
  std::string expected = readFile(whole);
  ASSERT_EQ(parseTable(expected).size(), 120u);

  SimStart start;
  start.args = with(args, {"--table", cut.string(), "--jobs", "1"});  // resumed with 2
  SimProcess process = startSim(start, dir.path());
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (splitLines(withoutSettings(readFile(cut))).size() < 8 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(process.pid, SIGKILL);
  EXPECT_EQ(waitSim(process).signal, SIGKILL) << "the sweep ended before it could be killed";
  std::string left = readFile(cut);
  EXPECT_LT(left.size(), expected.size());
  EXPECT_EQ(expected.compare(0, left.size(), left), 0) << "a killed run leaves complete rows";
  succeeded(with(args, {"--table", cut.string(), "--resume"}));
  EXPECT_EQ(readFile(cut), expected);

  // Cut anywhere, even within a row or the header, or not begun at all.
  for (size_t size : {expected.size(), expected.size() / 2 + 7, size_t{30}}) {
    { std::ofstream(cut, std::ios::binary) << expected.substr(0, size); }
    succeeded(with(args, {"--table", cut.string(), "--resume", "--summary", "-"}));
    EXPECT_EQ(readFile(cut), expected) << "cut at " << size;
  }
  fs::remove(cut);
  succeeded(with(args, {"--table", cut.string(), "--resume"}));
  EXPECT_EQ(readFile(cut), expected) << "no table yet";
}

TEST(Sweep, ResumeRefusesATableOfOtherSettingsAndLeavesIt) {
  ScratchDir dir;
  const std::string table = (dir.path() / "table.csv").string();
  const std::vector<std::string> args = {"--vary", "1=1000,2000", "--days", "12", "--table", table};
  succeeded(args);
  const std::string before = readFile(table);
  EXPECT_EQ(splitLines(before)[0], "# version=velmoria-sim " VELMORIA_VERSION);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--days", "13"}, "'days=12' in the table, 'days=13' in this run"},
      {{"--no-screen"}, "'screen=on' in the table, 'screen=off' in this run"},
      {{"--shard", "1/2"}, "'shard=1/1' in the table, 'shard=1/2' in this run"},
      {{"--vary", "2=0.5"}, "'combinations=2' in the table, 'vary=large.life=0.5' in this run"},
      {{"3000"}, "'fields=2000,0.5,0.2,2000,"},
  };
  for (const auto& [more, difference] : cases) {
    SimRun run = runSim(with(with(args, {"--resume"}), more));
    EXPECT_NE(run.exitCode, 0) << more[0];
    EXPECT_EQ(
        run.err.rfind(
            "velmoria-sim: cannot resume '" + table + "': its settings differ: " + difference, 0),
        0u)
        << run.err;
    EXPECT_EQ(splitLines(run.err).size(), 1u);
    EXPECT_EQ(readFile(table), before);
  }
}

// The shards' tables and days-tables merge, in any order, to the whole run's: run one by one
// here, and through GNU parallel as the README shows.
TEST(Sweep, ShardsMergeToTheWholeTable) {
  ScratchDir dir;
  fs::path wholeDays = dir.path() / "whole-days.csv";
  std::string whole =
      succeeded(with(sweepArgs(), {"--table", "-", "--days-table", wholeDays.string()}));
  std::vector<std::string> merge = {"merge", "--table", (dir.path() / "merged.csv").string(),
                                    "--days-table", (dir.path() / "merged-days.csv").string()};
  for (const char* shard : {"3", "1", "2"}) {
    std::string table = (dir.path() / ("shard-" + std::string(shard) + ".csv")).string();
    std::string days = (dir.path() / ("days-" + std::string(shard) + ".csv")).string();
    succeeded(with(sweepArgs(),
                   {"--table", table, "--days-table", days, "--shard", std::string(shard) + "/3"}));
    merge.insert(merge.end(), {days, table});
  }
  succeeded(merge);
  EXPECT_EQ(readFile(dir.path() / "merged.csv"), whole);
  EXPECT_EQ(readFile(dir.path() / "merged-days.csv"), readFile(wholeDays));
  fs::remove(dir.path() / "merged.csv");

  ASSERT_EQ(std::system("command -v parallel >/dev/null"), 0) << "GNU parallel is missing";
  std::string sim = "'" + std::string(VELMORIA_SIM_PATH) + "'";
  std::string command = "cd '" + dir.path().string() + "' && parallel --will-cite -j 2 " + sim;
  for (const std::string& arg : sweepArgs()) {
    command += " '" + arg + "'";
  }
  command += " --shard {}/3 --table shard-{}.csv ::: 1 2 3 && " + sim +
             " merge --table merged.csv shard-*.csv";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(readFile(dir.path() / "merged.csv"), whole);
}

// --plot draws the chart from the very numbers the tables hold.
TEST(Sweep, ChartsAreDrawnFromTheGames) {
  ScratchDir dir;
  fs::path svg = dir.path() / "chart.svg";
  fs::path csv = dir.path() / "days.csv";
  succeeded({"--plot", svg.string(), "--csv", csv.string(), "--games", "2"});
  PopulationSeries series{{}, 0, false};
  for (const CsvRow& row : rowsOfGame(parseCsv(readFile(csv)), 1)) {
    series.days.push_back(
        {row.populations[0], row.populations[1], row.populations[2], row.populations[3]});
  }
  series.record = static_cast<int32_t>(series.days.size());
  EXPECT_EQ(readFile(svg), populationChartSvg(series));
  // On standard output the chart has it to itself: the result lines go to standard error.
  SimRun toOutput = runSim({"--plot", "-", "--csv", csv.string(), "--games", "2"});
  EXPECT_EQ(toOutput.out, populationChartSvg(series));
  EXPECT_EQ(splitLines(toOutput.err).size(), 2u) << toOutput.err;
  // A sweep without --vary draws its first game as well.
  succeeded({"--plot", svg.string(), "--repeat", "2", "--jobs", "1"});
  EXPECT_EQ(readFile(svg), populationChartSvg(series));

  fs::path table = dir.path() / "table.csv";
  succeeded({"--vary", "2=0.3,0.5,0.7", "--repeat", "3", "--days", "40", "--plot", svg.string(),
             "--table", table.string()});
  std::vector<SweepPoint> points;
  std::vector<GameRow> rows = parseTable(readFile(table));
  for (size_t c = 0; c < 3; ++c) {
    std::vector<int> records = {rows[c * 3].record, rows[c * 3 + 1].record, rows[c * 3 + 2].record};
    points.push_back({rows[c * 3].fields[1], meanOf(records),
                      *std::min_element(records.begin(), records.end()),
                      *std::max_element(records.begin(), records.end())});
  }
  EXPECT_EQ(readFile(svg), sweepChartSvg("large.life", points));

  succeeded({"--vary", "2=0.3,0.5", "--vary", "plants.birth=0.1:0.1:0.3", "--days", "40", "--plot",
             svg.string(), "--table", table.string()});
  HeatMap map{"plants.birth", "large.life", {"0.1", "0.2", "0.3"}, {"0.3", "0.5"}, {}};
  for (const GameRow& row : parseTable(readFile(table))) {
    map.mean.push_back(row.record);
  }
  EXPECT_EQ(readFile(svg), heatMapSvg(map));

  // A value is placed where the game plays it: a population typed "1e3" plays as 1.
  auto chartOf = [&](const std::string& values) {
    succeeded({"--vary", "1=" + values, "--days", "40", "--plot", svg.string()});
    return readFile(svg);
  };
  std::string typed = chartOf("1e3,2000"), plain = chartOf("1,2000");
  for (size_t at; (at = typed.find("1e3")) != std::string::npos;) {
    typed.replace(at, 3, "1");
  }
  EXPECT_EQ(typed, plain);
}

TEST(Sweep, BadInputLeavesNothingBehind) {
  ScratchDir dir;
  auto in = [&dir](const char* name) { return (dir.path() / name).string(); };
  succeeded({"--vary", "1=1000,2000", "--days", "2", "--table", in("other.csv")});
  { std::ofstream(in("notes.txt")) << "hello\n"; }
  { std::ofstream(in("design.csv")) << "large.population\n5\n"; }
  fs::create_directory(in("folder"));
  fs::create_symlink("summary.csv", in("link.csv"));  // dangling until the summary is written
  const std::string other = readFile(in("other.csv"));
  const std::vector<std::string> before = dir.entries();
  const std::vector<std::vector<std::string>> cases = {
      {"--vary", "nosuch=1,2"},
      {"--vary", "0=1,2"},
      {"--vary", "17=1,2"},
      {"--vary", "large.population"},
      {"--vary", "1="},
      {"--vary", "1=1:0:5"},
      {"--vary", "1=5:1:1"},
      {"--vary", "1=1:-1:5"},
      {"--vary", "1=1:2"},
      {"--vary", "1=1:1:3:4"},
      {"--vary", "1=a:1:3"},
      {"--vary", "1=1:1:1e3"},
      {"--vary", "1=1,2", "--vary", "large.population=3"},
      {"--shard", "0/2"},
      {"--shard", "3/2"},
      {"--shard", "1/0"},
      {"--shard", "1"},
      {"--jobs", "0"},
      {"--repeat", "1000001"},
      {"--vary", "1=1:1:1001", "--repeat", "1000"},
      {"--games", "2", "--vary", "1=1,2"},
      {"--csv", in("days.csv"), "--vary", "1=1,2"},
      {"--plot", in("chart.svg"), "--vary", "1=1,2", "--vary", "2=1,2", "--vary", "3=1,2"},
      {"--table", "-", "--summary", "-"},
      {"--days-table", in("table.csv")},
      {"--resume", "--table", "-"},
      {"--resume", "--table", in("other.csv"), "--vary", "1=1000,3000", "--days", "2"},
      {"--resume", "--table", in("other.csv"), "--vary", "1=1000,2000", "--days", "2", "--repeat",
       "2"},
      {"--resume", "--table", in("notes.txt")},
      // Outputs on each other or on the design, by whatever name.
      {"--plot", in("table.csv")},
      {"--survival", (dir.path() / "." / "summary.csv").string()},
      {"--plot", in("link.csv")},
      {"--table", "-", "--plot", "/dev/stdout"},
      {"--design", in("design.csv"), "--summary", in("design.csv")},
      {"--design", in("design.csv"), "--table",
       (dir.path() / ".." / dir.path().filename() / "design.csv").string()},
  };
  const std::vector<std::vector<std::string>> unwritable = {
      {"--table", in("missing/table.csv")},
      {"--summary", in("folder")},
      {"--plot", in("missing/chart.svg")},
      {"--resume", "--table", in("folder")},
      {"--days-table", in("missing/days.csv")},
      // Neither table is touched while the other cannot be written.
      {"--days-table", in("other.csv"), "--table", in("missing/table.csv")},
      {"--days-table", in("missing/days.csv"), "--table", in("other.csv")},
  };
  auto expectNothingBehind = [&](const std::vector<std::vector<std::string>>& refused,
                                 int exitCode) {
    for (const std::vector<std::string>& bad : refused) {
      std::vector<std::string> args =
          with({"--table", in("table.csv"), "--summary", in("summary.csv"), "--days", "2"}, bad);
      expectRefused(args, exitCode, dir, before);
      EXPECT_EQ(readFile(in("other.csv")), other);
      EXPECT_EQ(readFile(in("notes.txt")), "hello\n");
      EXPECT_EQ(readFile(in("design.csv")), "large.population\n5\n");
    }
  };
  expectNothingBehind(cases, kExitBadUsage);
  expectNothingBehind(unwritable, kExitFailure);
}

// Standard error to a file gets no progress (the other tests see it empty); a terminal does.
TEST(Sweep, ProgressIsDrawnOnATerminal) {
  ScratchDir dir;
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  SimStart start;
  start.args = {"--vary", "1=1000:100:2900", "--repeat", "3", "--jobs", "1"};
  start.stderrPath = ptsname(terminal);
  SimProcess process = startSim(start, dir.path());
  std::string shown;
  int status = drainUntilExit(process.pid, terminal, shown);
  close(terminal);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(splitLines(withoutSettings(readFile(process.outPath))).size(), 21u);
  EXPECT_NE(shown.find("/60 games, "), std::string::npos) << shown;
  EXPECT_NE(shown.find(" games/s, "), std::string::npos) << shown;
  EXPECT_EQ(shown.find('\n'), std::string::npos) << "the line is redrawn in place";
  EXPECT_EQ(shown.substr(0, 1), "\r");
  EXPECT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K") << "cleared at the end";
}

TEST(Sweep, AWorkerThatDiesFailsTheRun) {
  ScratchDir dir;
  SimStart start;
  start.args = {"--vary",    "1=1000:100:3900",
                "--repeat",  "4",
                "--jobs",    "2",
                "--summary", (dir.path() / "summary.csv").string()};
  SimProcess process = startSim(start, dir.path());
  std::string children;
  std::string list =
      "/proc/" + std::to_string(process.pid) + "/task/" + std::to_string(process.pid) + "/children";
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (children.empty() && std::chrono::steady_clock::now() < deadline) {
    children = readFile(list);
  }
  ASSERT_FALSE(children.empty()) << "no worker process seen";
  kill(std::stoi(children), SIGKILL);
  expectErrorLine(waitSim(process), kExitFailure, "a worker killed");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"err", "out"}));
}

// Each game's days in the days-table are those --csv writes for the same game, even for a game
// long enough that its days come from the worker in several parts, and a cut-off days-table
// resumes with its table to the uninterrupted bytes.
TEST(Sweep, TheDaysTableHoldsEveryDayAndResumes) {
  ScratchDir dir;
  auto in = [&dir](const char* name) { return (dir.path() / name).string(); };
  // Births that keep every level alive for 850 days (more than one part) from 2000 large
  // carnivores.
  const std::vector<std::string> lasting = {"--",   "2000",   "0.5",   "0.4406", "2000",
                                            "0.5",  "0.3774", "2000",  "0.5",    "0.3667",
                                            "2000", "0.5",    "0.3397"};
  const std::vector<std::string> args = {"--vary", "1=200,2000", "--no-screen", "--days", "850"};
  auto sweep = [&](const std::vector<std::string>& more) {
    return with(with(args, more), lasting);
  };
  succeeded(sweep({"--table", in("t.csv"), "--days-table", in("d.csv")}));
  const std::string table = readFile(in("t.csv")), days = readFile(in("d.csv"));
  std::vector<std::string> dayRows = splitLines(withoutSettings(days));
  ASSERT_FALSE(dayRows.empty());
  EXPECT_EQ(dayRows[0], "combination,repetition,day," + std::string(kCsvHeader).substr(9));
  std::string expected;
  for (const char* population : {"200", "2000"}) {
    std::vector<std::string> plain =
        with({"--no-screen", "--days", "850", "--csv", in("plain.csv")}, lasting);
    plain[plain.size() - 12] = population;
    succeeded(plain);
    for (const CsvRow& row : parseCsv(readFile(in("plain.csv")))) {
      std::ostringstream line;
      line << (std::string(population) == "200" ? 1 : 2) << ',' << row << '\n';
      expected += line.str();
    }
  }
  EXPECT_TRUE(withoutSettings(days).substr(dayRows[0].size() + 1) == expected);
  EXPECT_NE(days.find("\n2,1,850,"), std::string::npos) << "a game lasted the 850 days";

  // The days of a game reach their file before its row reaches the table.
  const std::vector<std::pair<size_t, size_t>> cuts = {
      {20, 20}, {table.size() / 2, days.size() - 10}, {table.size(), days.size()}};
  for (const auto& [cut, daysCut] : cuts) {
    std::ofstream(in("t.csv"), std::ios::binary) << table.substr(0, cut);
    std::ofstream(in("d.csv"), std::ios::binary) << days.substr(0, daysCut);
    succeeded(sweep({"--table", in("t.csv"), "--days-table", in("d.csv"), "--resume"}));
    EXPECT_EQ(readFile(in("t.csv")), table) << cut;
    EXPECT_TRUE(readFile(in("d.csv")) == days) << cut;
  }
  // A days-table without the days of games the table holds is refused and left as it is.
  std::ofstream(in("d.csv"), std::ios::binary) << days.substr(0, days.size() / 3);
  SimRun run = runSim(sweep({"--table", in("t.csv"), "--days-table", in("d.csv"), "--resume"}));
  EXPECT_NE(run.exitCode, 0);
  EXPECT_EQ(run.err, "velmoria-sim: cannot resume '" + in("d.csv") +
                         "': it lacks days of games the --table holds\n");
  EXPECT_EQ(readFile(in("t.csv")), table);
  EXPECT_TRUE(readFile(in("d.csv")) == days.substr(0, days.size() / 3));
  // So is one of other settings.
  std::string other = days;
  other.replace(other.find("# days=850"), 10, "# days=851");
  std::ofstream(in("d.csv"), std::ios::binary) << other;
  run = runSim(sweep({"--table", in("t.csv"), "--days-table", in("d.csv"), "--resume"}));
  EXPECT_EQ(run.exitCode, kExitBadUsage);
  EXPECT_NE(run.err.find("': its settings differ: 'days=851'"), std::string::npos) << run.err;
  EXPECT_TRUE(readFile(in("d.csv")) == other);
  // And a days-table not made yet, which the refusal leaves unmade.
  run = runSim(sweep({"--table", in("t.csv"), "--days-table", in("new.csv"), "--resume"}));
  EXPECT_EQ(run.exitCode, kExitBadUsage) << run.err;
  EXPECT_FALSE(fs::exists(in("new.csv")));
}
