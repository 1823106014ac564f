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
};

std::vector<GameRow> parseTable(const std::string& text) {
  std::vector<std::string> lines = splitLines(text);
  std::string header = "combination,repetition";
  for (const char* name : kFieldNames) {
    header += std::string(",") + name;
  }
  EXPECT_FALSE(lines.empty());
  EXPECT_EQ(lines.empty() ? "" : lines[0], header + ",record,stopped");
  std::vector<GameRow> rows;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> cells = split(lines[i], ',');
    if (cells.size() != 20) {
      ADD_FAILURE() << "row " << i << ": " << lines[i];
      break;
    }
    rows.push_back({std::stoi(cells[0]), std::stoi(cells[1]),
                    std::vector<std::string>(cells.begin() + 2, cells.begin() + 18),
                    std::stoi(cells[18]), std::stoi(cells[19])});
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
        splitLines(succeeded(with({"--games", "3", "--days", "30", "--"}, fields)));
    ASSERT_EQ(games.size(), 3u);
    for (int r = 0; r < 3; ++r) {
      const GameRow& row = rows[c * 3 + r];
      EXPECT_EQ(row.combination, c + 1);
      EXPECT_EQ(row.repetition, r + 1);
      EXPECT_EQ(row.fields, fields);
      EXPECT_EQ(std::make_pair(row.record, row.stopped), recordOf(games[r])) << c << "," << r;
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
}

TEST(Sweep, SummaryRowsSummarizeTheGames) {
  ScratchDir dir;
  fs::path table = dir.path() / "table.csv";
  std::string summary =
      succeeded(with(sweepArgs(), {"--repeat", "4", "--table", table.string(), "--summary", "-"}));
  std::vector<GameRow> rows = parseTable(readFile(table));
  std::vector<std::string> lines = splitLines(summary);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "herbivores.population,large.birth,games,mean,min,median,max,stopped");
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
    char expected[200];
    std::snprintf(expected, sizeof expected, "%s,%s,4,%.2f,%d,%d%s,%d,%d",
                  rows[c * 4].fields[6].c_str(), rows[c * 4].fields[2].c_str(), meanOf(records),
                  records[0], twiceMedian / 2, twiceMedian % 2 ? ".5" : "", records[3], stopped);
    EXPECT_EQ(lines[c + 1], expected);
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
      {"virus.small=0.3,abc,,0.1", "0.3 abc  0.1"},
  };
  for (const auto& [vary, values] : cases) {
    std::vector<std::string> lines = splitLines(succeeded({"--vary", vary, "--days", "1"}));
    std::string firstColumn;
    for (size_t i = 1; i < lines.size(); ++i) {
      firstColumn += (i > 1 ? " " : "") + split(lines[i] + ",", ',')[0];
    }
    EXPECT_EQ(firstColumn, values) << vary;
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
  while (splitLines(readFile(cut)).size() < 8 && std::chrono::steady_clock::now() < deadline) {
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

// The shards' rows, header once and sorted by combination and repetition, are the whole table:
// run one by one here, and through GNU parallel as the README shows.
TEST(Sweep, ShardsMergeToTheWholeTable) {
  ScratchDir dir;
  std::string whole = succeeded(with(sweepArgs(), {"--table", "-"}));
  std::string header = splitLines(whole)[0] + "\n";
  std::vector<std::string> rows;
  for (const char* shard : {"1/3", "2/3", "3/3"}) {
    std::string table = succeeded(with(sweepArgs(), {"--table", "-", "--shard", shard}));
    ASSERT_EQ(table.compare(0, header.size(), header), 0);
    std::vector<std::string> lines = splitLines(table);
    rows.insert(rows.end(), lines.begin() + 1, lines.end());
  }
  std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
    return std::make_pair(std::stoi(a), std::stoi(a.substr(a.find(',') + 1))) <
           std::make_pair(std::stoi(b), std::stoi(b.substr(b.find(',') + 1)));
  });
  std::string merged = header;
  for (const std::string& row : rows) {
    merged += row + "\n";
  }
  EXPECT_EQ(merged, whole);

  ASSERT_EQ(std::system("command -v parallel >/dev/null"), 0) << "GNU parallel is missing";
  std::string command = "cd '" + dir.path().string() + "' && parallel --will-cite -j 2 '" +
                        std::string(VELMORIA_SIM_PATH) + "'";
  for (const std::string& arg : sweepArgs()) {
    command += " '" + arg + "'";
  }
  command +=
      " --shard {}/3 --table shard-{}.csv ::: 1 2 3 &&"
      " { head -n 1 shard-1.csv; tail -q -n +2 shard-*.csv | sort -t, -k1,1n -k2,2n; }"
      " > merged.csv";
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
}

TEST(Sweep, BadInputLeavesNothingBehind) {
  ScratchDir dir;
  auto in = [&dir](const char* name) { return (dir.path() / name).string(); };
  succeeded({"--vary", "1=1000,2000", "--days", "2", "--table", in("other.csv")});
  { std::ofstream(in("notes.txt")) << "hello\n"; }
  fs::create_directory(in("folder"));
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
      {"--resume", "--table", "-"},
      {"--resume", "--table", in("other.csv"), "--vary", "1=1000,3000", "--days", "2"},
      {"--resume", "--table", in("other.csv"), "--vary", "1=1000,2000", "--days", "2", "--repeat",
       "2"},
      {"--resume", "--table", in("notes.txt")},
  };
  const std::vector<std::vector<std::string>> unwritable = {
      {"--table", in("missing/table.csv")},
      {"--summary", in("folder")},
      {"--plot", in("missing/chart.svg")},
      {"--resume", "--table", in("folder")},
  };
  auto expectNothingBehind = [&](const std::vector<std::vector<std::string>>& refused,
                                 int exitCode) {
    for (const std::vector<std::string>& bad : refused) {
      std::vector<std::string> args =
          with({"--table", in("table.csv"), "--summary", in("summary.csv"), "--days", "2"}, bad);
      expectRefused(args, exitCode, dir, before);
      EXPECT_EQ(readFile(in("other.csv")), other);
      EXPECT_EQ(readFile(in("notes.txt")), "hello\n");
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
  EXPECT_EQ(splitLines(readFile(process.outPath)).size(), 21u);
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
