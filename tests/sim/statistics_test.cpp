// The estimators on cases whose answers are known: a survival table worked by hand, a
// t interval from tables, the Ishigami function's analytic Sobol' indices (which a constant
// added to the outputs leaves as they are), and linear models whose elementary effects are
// their coefficients.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "sample_statistics.h"
#include "sensitivity_design.h"
#include "sensitivity_indices.h"
#include "survival.h"

namespace {

// Six games: ended on days 2, 3, 5, 7; cut off on days 3 and 5.
const std::vector<GameSurvival> kWorkedGames = {{5, false}, {2, false}, {3, true},
                                                {7, false}, {3, false}, {5, true}};

TEST(Survival, KaplanMeierMatchesTheCaseWorkedByHand) {
  struct Expected {
    int day, atRisk, ended, stopped;
    double survival;
  };
  const Expected table[] = {
      {2, 6, 1, 0, 5.0 / 6}, {3, 5, 1, 1, 2.0 / 3}, {5, 3, 1, 1, 4.0 / 9}, {7, 1, 1, 0, 0.0}};
  std::vector<SurvivalStep> curve = kaplanMeier(kWorkedGames);
  ASSERT_EQ(curve.size(), std::size(table));
  for (size_t i = 0; i < curve.size(); ++i) {
    SCOPED_TRACE(table[i].day);
    EXPECT_EQ(curve[i].day, table[i].day);
    EXPECT_EQ(curve[i].atRisk, table[i].atRisk);
    EXPECT_EQ(curve[i].ended, table[i].ended);
    EXPECT_EQ(curve[i].stopped, table[i].stopped);
    EXPECT_NEAR(curve[i].survival, table[i].survival, 1e-12);
  }
  // Day 3: Greenwood's sum 1/30 + 1/20; exp(-/+1.96 sqrt(1/12) / |ln 2/3|) as the power of 2/3.
  EXPECT_NEAR(curve[1].lower, 0.19462, 1e-4);
  EXPECT_NEAR(curve[1].upper, 0.90443, 1e-4);
  EXPECT_EQ(kaplanMeierMedian(curve), 5);
  // 1 x 2 days + 5/6 x 1 + 2/3 x 2 + 4/9 x 2, and cut at day 4.
  EXPECT_NEAR(restrictedMeanSurvival(curve, 7), 2 + 5.0 / 6 + 4.0 / 3 + 8.0 / 9, 1e-12);
  EXPECT_NEAR(restrictedMeanSurvival(curve, 4), 2 + 5.0 / 6 + 2.0 / 3, 1e-12);
}

TEST(Survival, WithoutCutOffGamesTheRestrictedMeanIsTheMeanAndAllCutOffHasNoMedian) {
  std::vector<SurvivalStep> ended = kaplanMeier({{4, false}, {10, false}, {1, false}});
  EXPECT_NEAR(restrictedMeanSurvival(ended, 10), 5.0, 1e-12);
  EXPECT_EQ(kaplanMeierMedian(ended), 4);
  std::vector<SurvivalStep> stopped = kaplanMeier({{400, true}, {400, true}});
  EXPECT_EQ(kaplanMeierMedian(stopped), std::nullopt);
  EXPECT_DOUBLE_EQ(stopped[0].survival, 1.0);
  EXPECT_DOUBLE_EQ(restrictedMeanSurvival(stopped, 400), 400.0);
}

// Half of n games end on days 1 .. n/2 and the rest are cut off later: the curve is at one
// half on day n/2, where a running product of the factors lands a rounding off it for most n.
TEST(Survival, ACurveThatFallsToOneHalfHasItsMedianThere) {
  for (int n : {10, 24, 38, 100}) {
    std::vector<GameSurvival> games;
    for (int i = 0; i < n; ++i) {
      games.push_back(i < n / 2 ? GameSurvival{i + 1, false} : GameSurvival{n, true});
    }
    EXPECT_EQ(kaplanMeierMedian(kaplanMeier(games)), n / 2) << n;
  }
}

TEST(SampleStatistics, TIntervalOfTheMeanMatchesTheTables) {
  MeanInterval five = meanInterval({1, 2, 3, 4, 5});
  EXPECT_DOUBLE_EQ(five.mean, 3.0);
  EXPECT_NEAR(five.sd, std::sqrt(2.5), 1e-12);
  // t(0.975, 4) = 2.776445
  EXPECT_NEAR(five.low, 3.0 - 2.776445 * std::sqrt(2.5) / std::sqrt(5.0), 1e-5);
  EXPECT_NEAR(five.high, 3.0 + 2.776445 * std::sqrt(2.5) / std::sqrt(5.0), 1e-5);
  MeanInterval one = meanInterval({7});
  EXPECT_EQ(one.sd, 0.0);
  EXPECT_EQ(one.low, 7.0);
  EXPECT_EQ(one.high, 7.0);
}

using Model = std::function<double(const UnitPoint&)>;

std::vector<double> evaluate(const std::vector<UnitPoint>& points, const Model& model) {
  std::vector<double> outputs;
  for (const UnitPoint& x : points)
    outputs.push_back(model(x));
  return outputs;
}

// sin x1 + 7 sin^2 x2 + 0.1 x3^4 sin x1 on [-pi, pi]^3, and a fourth field it ignores.
double ishigami(const UnitPoint& u) {
  const double pi = std::acos(-1.0);
  double x1 = -pi + 2 * pi * u[0], x2 = -pi + 2 * pi * u[1], x3 = -pi + 2 * pi * u[2];
  return std::sin(x1) + 7 * std::sin(x2) * std::sin(x2) + 0.1 * std::pow(x3, 4) * std::sin(x1);
}

TEST(SobolIndices, IshigamiFunctionGivesItsAnalyticIndices) {
  const double s1[] = {0.3139, 0.4424, 0.0, 0.0};
  const double st[] = {0.5576, 0.4424, 0.2437, 0.0};
  std::vector<double> outputs = evaluate(saltelliDesign(4, 8192), ishigami);
  std::vector<SobolIndex> indices = sobolIndices(4, outputs, 200, 1);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(indices[i].s1, s1[i], 0.03);
    EXPECT_NEAR(indices[i].st, st[i], 0.03);
    EXPECT_LE(indices[i].s1Low, indices[i].s1);
    EXPECT_GE(indices[i].s1High, indices[i].s1);
    EXPECT_LT(indices[i].stHigh - indices[i].stLow, 0.1);
  }
  EXPECT_EQ(indices[3].s1, 0.0);  // no effect: every A_B^i output equals its A output
  EXPECT_EQ(indices[3].st, 0.0);
  EXPECT_EQ(indices[3].stHigh, 0.0);
  std::vector<SobolIndex> again = sobolIndices(4, outputs, 200, 1);
  EXPECT_EQ(again[0].s1Low, indices[0].s1Low);
  EXPECT_EQ(again[2].stHigh, indices[2].stHigh);
}

TEST(SobolIndices, AddingAConstantToEveryOutputChangesNoIndex) {
  std::vector<double> outputs = evaluate(saltelliDesign(4, 512), ishigami);
  std::vector<double> shifted = outputs;
  for (double& y : shifted)
    y += 10000.0;
  std::vector<SobolIndex> indices = sobolIndices(4, outputs, 100, 1);
  std::vector<SobolIndex> again = sobolIndices(4, shifted, 100, 1);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const double pairs[][2] = {
        {indices[i].s1, again[i].s1},         {indices[i].s1Low, again[i].s1Low},
        {indices[i].s1High, again[i].s1High}, {indices[i].st, again[i].st},
        {indices[i].stLow, again[i].stLow},   {indices[i].stHigh, again[i].stHigh}};
    for (const auto& pair : pairs)
      EXPECT_NEAR(pair[1], pair[0], 1e-9);
  }
}

double linear(const UnitPoint& x) {
  return 1.0 * x[0] + 2.0 * x[1] + 0.0 * x[2];
}

TEST(SobolIndices, AdditiveModelSharesVarianceBySquaredCoefficients) {
  std::vector<SobolIndex> indices =
      sobolIndices(3, evaluate(saltelliDesign(3, 4096), linear), 0, 1);
  const double share[] = {0.2, 0.8, 0.0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(indices[i].s1, share[i], 0.02);
    EXPECT_NEAR(indices[i].st, share[i], 0.02);
  }
  EXPECT_EQ(indices[2].s1, 0.0);
}

TEST(Morris, TrajectoriesMoveEachFieldOnceOnTheGrid) {
  MorrisDesign design = morrisDesign(5, 20, 4, 7);
  ASSERT_EQ(design.points.size(), 20u * 6);
  for (size_t r = 0; r < 20; ++r) {
    std::vector<int> moves(5, 0);
    for (size_t p = r * 6 + 1; p < r * 6 + 6; ++p)
      ++moves[design.movedField[p]];
    EXPECT_EQ(moves, std::vector<int>(5, 1));
  }
  for (const UnitPoint& x : design.points) {
    for (double v : x) {
      EXPECT_TRUE(v >= 0.0 && v <= 1.0 + 1e-12);
      EXPECT_NEAR(v * 3, std::round(v * 3), 1e-9);  // one of the levels 0, 1/3, 2/3, 1
    }
  }
}

TEST(Morris, LinearModelEffectsAreItsCoefficientsAndAnIgnoredFieldIsZero) {
  MorrisDesign design = morrisDesign(3, 10, 4, 3);
  std::vector<MorrisIndex> indices = morrisIndices(design, evaluate(design.points, linear));
  const double coefficient[] = {1.0, 2.0, 0.0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(indices[i].mu, coefficient[i], 1e-9);
    EXPECT_NEAR(indices[i].muStar, coefficient[i], 1e-9);
    EXPECT_NEAR(indices[i].sigma, 0.0, 1e-9);
  }
  EXPECT_EQ(indices[2].muStar, 0.0);
  EXPECT_EQ(indices[2].sigma, 0.0);
}

}  // namespace
