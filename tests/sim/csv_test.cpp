// The day-by-day table, and what it shows about the course of consecutive games.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dot_field.h"
#include "parameters.h"
#include "random_source.h"
#include "sim_process.h"
#include "world.h"

namespace {

struct CsvRun {
  std::vector<std::string> resultLines;
  std::vector<CsvRow> rows;
};

CsvRun runWithCsv(std::vector<std::string> args) {
  ScratchDir dir;
  std::string path = (dir.path() / "days.csv").string();
  args.insert(args.begin(), {"--csv", path});
  SimRun run = runSim(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"days.csv"});
  return {splitLines(run.out), parseCsv(readFile(path))};
}

bool anyLevelEmpty(const CsvRow& row) {
  for (int population : row.populations) {
    if (population <= 0) {
      return true;
    }
  }
  return false;
}

// The rows one game's days must show: numbered from 1, every level alive until the last
// row, which has an empty level when the game ended by extinction.
void expectGameRows(const std::vector<CsvRow>& rows, int game, int days, bool extinct) {
  ASSERT_EQ(static_cast<int>(rows.size()), days) << "game " << game;
  for (int i = 0; i < days; ++i) {
    EXPECT_EQ(rows[i].game, game);
    EXPECT_EQ(rows[i].day, i + 1);
    bool last = i == days - 1;
    EXPECT_EQ(anyLevelEmpty(rows[i]), last && extinct) << "game " << game << " day " << i + 1;
  }
}

}  // namespace

TEST(CsvTable, OneRowPerDayOfEachGame) {
  CsvRun run = runWithCsv({"--games", "3"});
  ASSERT_EQ(run.resultLines.size(), 3u);
  size_t total = 0;
  for (int game = 1; game <= 3; ++game) {
    int record = recordDays(run.resultLines[game - 1]);
    ASSERT_GT(record, 1);
    expectGameRows(rowsOfGame(run.rows, game), game, record, true);
    total += record;
  }
  EXPECT_EQ(run.rows.size(), total);
}

TEST(CsvTable, ZeroPopulationGivesOneRowWithThatLevelEmpty) {
  CsvRun run = runWithCsv({"2000", "0.5", "0.2", "2000", "0.5", "0.2", "0"});
  ASSERT_EQ(run.resultLines, std::vector<std::string>{"記録：1日"});
  ASSERT_EQ(run.rows.size(), 1u);
  EXPECT_EQ(run.rows[0].day, 1);
  EXPECT_EQ(run.rows[0].populations[2], 0);
  EXPECT_GT(run.rows[0].populations[0], 0);
  EXPECT_GT(run.rows[0].populations[3], 0);
}

TEST(CsvTable, DayLimitEndsTheTableWithEveryLevelAlive) {
  CsvRun run = runWithCsv({"--games", "2", "--days", "4"});
  ASSERT_EQ(run.resultLines.size(), 2u);
  expectGameRows(rowsOfGame(run.rows, 1), 1, 4, false);
  expectGameRows(rowsOfGame(run.rows, 2), 2, 4, false);
}

TEST(CsvTable, FollowingGamesContinueTheRandomSequence) {
  CsvRun run = runWithCsv({"--games", "2"});
  std::vector<CsvRow> first = rowsOfGame(run.rows, 1);
  std::vector<CsvRow> second = rowsOfGame(run.rows, 2);
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(second[0].day, 1);
  // Same fields, but the second game starts where the first left the random source.
  EXPECT_FALSE(std::equal(first[0].populations, first[0].populations + 4, second[0].populations));
  // The first game is the same whether or not more follow.
  EXPECT_EQ(runWithCsv({}).rows, first);
}

TEST(CsvTable, ScreenDrawsChangeTheCourseFromTheSecondDay) {
  std::vector<CsvRow> withScreen = rowsOfGame(runWithCsv({}).rows, 1);
  std::vector<CsvRow> withoutScreen = rowsOfGame(runWithCsv({"--no-screen"}).rows, 1);
  ASSERT_GE(withScreen.size(), 2u);
  ASSERT_GE(withoutScreen.size(), 2u);
  // The dots are scattered after the first day's step, so that day agrees.
  EXPECT_EQ(withScreen[0], withoutScreen[0]);
  EXPECT_FALSE(withScreen[1] == withoutScreen[1]);
}

// A start life of 5 does not outlast a day without food (nor, for a plant, a day at all); a
// longer one would not change these first days.
TEST(CsvTable, EveryFieldShapesTheGame) {
  const char* const changed[kParameterFieldCount] = {
      "1000", "0.0005", "0.9",    "1000", "0.0005", "0.9", "1000", "0.0005",
      "0.9",  "1000",   "0.0005", "0.9",  "0.9",    "0.9", "0.9",  "0.9",
  };
  std::vector<CsvRow> defaults = runWithCsv({}).rows;
  for (int field = 0; field < kParameterFieldCount; ++field) {
    std::vector<std::string> fields(kDefaultParameterTexts, kDefaultParameterTexts + field);
    fields.push_back(changed[field]);
    EXPECT_NE(runWithCsv(fields).rows, defaults) << "field " << field;
  }
}

TEST(CsvTable, StandardOutputCarriesTheTableAndStandardErrorTheResults) {
  SimRun run = runSim({"--csv", "-", "--games", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> results = splitLines(run.err);
  ASSERT_EQ(results.size(), 2u);
  std::vector<CsvRow> rows = parseCsv(run.out);
  EXPECT_EQ(rowsOfGame(rows, 1).size(), static_cast<size_t>(recordDays(results[0])));
  EXPECT_EQ(rowsOfGame(rows, 2).size(), static_cast<size_t>(recordDays(results[1])));
}

// Replays two games in this process through the world's own interface, tick by tick as the
// program runs them (dialog OK, then step, day count, the screen's dots, the end-of-game
// test), and compares every day with the simulator's table.
TEST(CsvTable, MatchesTheGameReplayedThroughTheWorld) {
  CsvRun run = runWithCsv({"--games", "2"});
  setRandomState(1);
  std::vector<CsvRow> expected;
  for (int game = 1; game <= 2; ++game) {
    storeParameterTexts(world, kDefaultParameterTexts);
    seedWorld();
    dayCount = 0;
    do {
      stepWorld();
      dayCount += 1;
      scatterDots(world, [](int, int, int) {});
      CsvRow row{game, dayCount, {}};
      for (int k = 0; k < kSpeciesCount; ++k) {
        row.populations[k] = world.species[k].population;
      }
      expected.push_back(row);
    } while (!anySpeciesExtinct(world));
    EXPECT_EQ(run.resultLines.at(game - 1), "記録：" + std::to_string(dayCount) + "日");
  }
  EXPECT_EQ(run.rows, expected);
}
