// The result lines, checked as a player would read the game-over box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_process.h"

namespace {

std::vector<std::string> resultLines(const std::vector<std::string>& args) {
  SimRun run = runSim(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return splitLines(run.out);
}

int singleRecord(const std::vector<std::string>& args) {
  std::vector<std::string> lines = resultLines(args);
  if (lines.size() != 1) {
    ADD_FAILURE() << "expected one result line, got " << lines.size();
    return -1;
  }
  int days = recordDays(lines[0]);
  EXPECT_GT(days, 0) << lines[0];
  return days;
}

}  // namespace

TEST(Records, FirstGameIsReproducibleAcrossRuns) {
  std::vector<std::string> once = resultLines({});
  std::vector<std::string> again = resultLines({});
  std::vector<std::string> ofSeveral = resultLines({"--games", "3"});
  ASSERT_EQ(once.size(), 1u);
  EXPECT_EQ(once, again);
  ASSERT_EQ(ofSeveral.size(), 3u);
  EXPECT_EQ(ofSeveral[0], once[0]);
  EXPECT_EQ(resultLines({"--games", "3"}), ofSeveral);
}

TEST(Records, PopulationOfZeroOrLessEndsTheGameAfterOneDay) {
  const std::string defaults[] = {"2000", "0.5", "0.2"};
  for (const char* population : {"0", "-1", "abc", ""}) {
    for (int level = 0; level < 4; ++level) {
      std::vector<std::string> fields;
      for (int field = 0; field < 3 * level; ++field) {
        fields.push_back(defaults[field % 3]);
      }
      fields.push_back(population);
      EXPECT_EQ(singleRecord(fields), 1) << "level " << level << ", '" << population << "'";
    }
  }
}

TEST(Records, StartLifeOfZeroEmptiesALevelOnTheFirstDay) {
  EXPECT_EQ(singleRecord({"2000", "0.5", "0.2", "2000", "0.5", "0.2", "2000", "0"}), 1);
}

TEST(Records, FieldsAreConvertedAsTheDialogConvertsThem) {
  int defaults = singleRecord({});
  // Unstated fields are the dialog's defaults, and equal values typed differently are equal.
  EXPECT_EQ(singleRecord({"2000", "0.5", "0.2"}), defaults);
  EXPECT_EQ(singleRecord({"2000.9", ".5", "2e-1", " 2000", "0.50", "0.2xyz"}), defaults);
  // The dialog reads at most 199 characters of an edit.
  EXPECT_EQ(singleRecord({std::string(195, '0') + "2000"}), defaults);
  EXPECT_EQ(singleRecord({std::string(199, '0') + "2000"}), 1);
}

TEST(Records, DoubleDashEndsTheOptions) {
  EXPECT_EQ(singleRecord({"--", "--games"}), 1);
  EXPECT_EQ(resultLines({"--games", "2", "--", "0"}).size(), 2u);
  EXPECT_EQ(singleRecord({"--", "2000", "--", "0.2"}), 1);  // "--" as a start life is 0
}

TEST(Records, DayLimitStopsAGameThatIsStillGoing) {
  int record = singleRecord({});
  ASSERT_GT(record, 3);
  std::vector<std::string> stopped = resultLines({"--days", "3", "--games", "2"});
  ASSERT_EQ(stopped.size(), 2u);
  for (const std::string& line : stopped) {
    EXPECT_EQ(line, "打ち切り：3日（全階層が生存）");
  }
  EXPECT_EQ(resultLines({"--days", std::to_string(record)})[0],
            "記録：" + std::to_string(record) + "日");
  EXPECT_EQ(resultLines({"--days", "100000"})[0], "記録：" + std::to_string(record) + "日");
}

TEST(Records, HelpGoesToStandardOutput) {
  SimRun run = runSim({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("usage: velmoria-sim", 0), 0u) << run.out;
}
