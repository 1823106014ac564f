// Whole frames of the simulation screen: one day of the world and everything drawn for it.
// The Japanese texts here are Shift-JIS, as the program's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "dot_field.h"
#include "parameters.h"
#include "random_source.h"
#include "simulation_fixture.h"
#include "simulation_screen.h"

namespace {

using simtest::kCanvasHeight;
using simtest::kCanvasWidth;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kColours[kSpeciesCount] = {RGB(255, 0, 0), RGB(255, 0, 255), RGB(255, 255, 0),
                                          RGB(0, 255, 0)};
const char* const kLabels[kSpeciesCount] = {"大型肉食動物", "小型肉食動物", "草食動物", "緑色植物"};

// Big enough for two copies of the world in a test without using the stack.
World before;
World after;

class FrameTest : public simtest::SimulationTest {
 protected:
  void startDefaultGame() {
    storeParameterTexts(world, kDefaultParameterTexts);
    seedWorld();
    dayCount = 0;
    setRandomState(1);
  }

  // What the legend and the day counter should look like, drawn by a canvas of its own.
  guitest::Pixels expectedTexts() {
    static Canvas expected;
    expected.create(window, kCanvasWidth, kCanvasHeight);
    expected.clearBlack();
    char text[32];
    for (int k = 0; k < kSpeciesCount; ++k) {
      expected.setFont(20, GetRValue(kColours[k]), GetGValue(kColours[k]), GetBValue(kColours[k]));
      expected.drawText(10, 10 + 20 * k, kLabels[k]);
      std::snprintf(text, sizeof text, "%d", world.species[k].population);
      expected.drawText(150, 10 + 20 * k, text);
    }
    expected.setFont(30, 255, 255, 255);
    std::snprintf(text, sizeof text, "%d日", dayCount);
    expected.drawText(10, 100, text);
    return guitest::captureCanvas(expected, kTextArea);
  }

  static constexpr RECT kTextArea{0, 0, 250, 145};
};

uint32_t advanced(uint32_t state, int draws) {
  for (int i = 0; i < draws; ++i) {
    state = state * 214013u + 2531011u;
  }
  return state;
}

int shownDots(const World& w) {
  int n = 0;
  for (const Species& s : w.species) {
    for (int j = 0; j < kDotSlots; ++j) {
      n += s.life[j] > 0 ? 1 : 0;
    }
  }
  return n;
}

TEST_F(FrameTest, FirstTickShowsDayOneAndTheRecountedPopulations) {
  startDefaultGame();
  drawSimulationFrame(window);

  ASSERT_EQ(dayCount, 1);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(world.species[k].population, world.history[k][0]);
    EXPECT_NE(world.species[k].population, 2000) << "the step ran: " << k;
  }
  guitest::Pixels texts = guitest::captureCanvas(mainCanvas, kTextArea);
  EXPECT_EQ(simtest::differingPixels(texts, expectedTexts()), 0);
  for (int k = 0; k < kSpeciesCount; ++k) {
    RECT label{10, 10 + 20 * k, 140, 30 + 20 * k};
    RECT number{150, 10 + 20 * k, 250, 30 + 20 * k};
    EXPECT_GT(guitest::captureCanvas(mainCanvas, label).count(kColours[k]), 20) << k;
    EXPECT_GT(guitest::captureCanvas(mainCanvas, number).count(kColours[k]), 10) << k;
  }
  EXPECT_GT(guitest::captureCanvas(mainCanvas, RECT{10, 100, 100, 135}).count(kWhite), 30);
}

TEST_F(FrameTest, FirstTickDrawsTheAxesAndNoGraphSegment) {
  startDefaultGame();
  drawSimulationFrame(window);

  guitest::Pixels p = guitest::captureCanvas(mainCanvas);
  for (int x = 250; x < 750; ++x) {
    EXPECT_EQ(p.at(x, 450), kWhite) << x;
  }
  for (int y = 30; y <= 450; ++y) {
    EXPECT_EQ(p.at(250, y), kWhite) << y;
  }
  EXPECT_EQ(p.at(750, 450), kBlack);
  EXPECT_EQ(p.at(250, 29), kBlack);
  EXPECT_EQ(p.at(249, 450), kBlack);
  EXPECT_EQ(guitest::captureCanvas(mainCanvas, RECT{251, 0, kCanvasWidth, 450}).countNonBlack(), 0);
  EXPECT_EQ(guitest::captureCanvas(mainCanvas, RECT{251, 451, kCanvasWidth, kCanvasHeight})
                .countNonBlack(),
            0);
}

TEST_F(FrameTest, GraphPlotsEachDayOnePixelPerTwentyIndividuals) {
  startDefaultGame();
  for (int d = 0; d < 10; ++d) {
    world.history[0][d] = 8400;           // y 30, the top of the vertical axis
    world.history[1][d] = 9000 + d;       // y 0
    world.history[2][d] = 9020;           // y -1, off the canvas
    world.history[3][d] = 2000 + 20 * d;  // y 350, 349, ...
  }
  dayCount = 10;
  drawSimulationFrame(window);  // records day index 10, draws segments 1 .. 10

  guitest::Pixels p = guitest::captureCanvas(mainCanvas);
  for (int i = 1; i < 10; ++i) {
    int x = 249 + i;  // segment i starts here, at day index i - 1
    EXPECT_EQ(p.at(x, 30), kColours[0]) << x;
    EXPECT_EQ(p.at(x, 0), kColours[1]) << x;
    EXPECT_EQ(p.at(x, 350 - (i - 1)), kColours[3]) << x;
  }
  EXPECT_EQ(p.at(259, 341), kColours[3]);  // segment 10, to today's point
  EXPECT_EQ(guitest::captureCanvas(mainCanvas, RECT{261, 0, kCanvasWidth, 450}).countNonBlack(), 0);
}

TEST_F(FrameTest, DotsStayInTheirFieldAndOnlyTheFirstSlotsShow) {
  simtest::fillWorld(world, kDotSlots, 1000000);
  drawSimulationFrame(window);

  RECT belowCounter{0, 140, 250, kCanvasHeight};
  RECT bounds = guitest::captureCanvas(mainCanvas, belowCounter).nonBlackBounds();
  // A dot's top-left is at x 0..244, y 150..449, and it covers two pixels each way.
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 150);
  EXPECT_EQ(bounds.right, 246);
  EXPECT_EQ(bounds.bottom, 451);
}

TEST_F(FrameTest, IndividualsPastTheFirstSlotsAreCountedButNotDrawn) {
  simtest::fillWorld(world, kSlotsPerSpecies, 1000000);
  for (Species& s : world.species) {
    for (int j = 0; j < kDotSlots; ++j) {
      s.life[j] = 0;
    }
    s.population = kSlotsPerSpecies - kDotSlots;  // no births: every slot below stays free
  }
  lifeSlotsChanged(world);
  before = world;
  lifeSlotsChanged(before);
  setRandomState(77);
  stepWorld(before, 0);
  uint32_t afterStepAlone = randomState();

  setRandomState(77);
  drawSimulationFrame(window);

  EXPECT_EQ(randomState(), afterStepAlone);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(world.species[k].population, before.species[k].population);
    EXPECT_GT(world.species[k].population, kDotSlots / 2);
  }
  EXPECT_EQ(guitest::captureCanvas(mainCanvas, kTextArea), expectedTexts());
  RECT field{0, 140, 250, kCanvasHeight};
  EXPECT_EQ(guitest::captureCanvas(mainCanvas, field).countNonBlack(), 0);
}

// The dots draw from the one random source, so the next day's step sees a later part of it.
TEST_F(FrameTest, DotDrawsMoveTheNextDaysSequence) {
  startDefaultGame();
  before = world;
  lifeSlotsChanged(before);
  stepWorld(before, 0);
  uint32_t afterStep = randomState();
  int dots = shownDots(before);
  ASSERT_GT(dots, 1000);

  setRandomState(1);
  drawSimulationFrame(window);
  ASSERT_EQ(randomState(), advanced(afterStep, 2 * dots));

  after = before;  // the same first day, then a second day stepped as if no dot had drawn
  lifeSlotsChanged(after);
  setRandomState(afterStep);
  stepWorld(after, 1);
  drawSimulationFrame(window);
  bool differs = false;
  for (int k = 0; k < kSpeciesCount; ++k) {
    differs = differs || world.history[k][1] != after.history[k][1];
  }
  EXPECT_TRUE(differs);
}

TEST_F(FrameTest, DaysPastTheHistoryTableStillDraw) {
  for (int start : {998, 999, 1000, 1100}) {
    startDefaultGame();
    for (int k = 0; k < kSpeciesCount; ++k) {
      for (int d = 0; d < kHistoryDays; ++d) {
        world.history[k][d] = 6000;  // y 150
      }
    }
    dayCount = start;
    drawSimulationFrame(window);

    EXPECT_EQ(dayCount, start + 1);
    guitest::Pixels p = guitest::captureCanvas(mainCanvas);
    EXPECT_EQ(p.at(1199, 150), kColours[3]) << start;
    EXPECT_EQ(guitest::captureCanvas(mainCanvas, kTextArea), expectedTexts()) << start;
  }
}

TEST_F(FrameTest, FramesLeaveNoDrawingObjectsBehind) {
  simtest::fillWorld(world, kDotSlots, 1000000);
  drawSimulationFrame(window);  // the dots' first frame measures them
  int objects = guitest::gdiObjectCount();
  for (int i = 0; i < 3; ++i) {
    simtest::fillWorld(world, kDotSlots, 1000000);
    drawSimulationFrame(window);
  }
  EXPECT_EQ(guitest::gdiObjectCount(), objects);
}

}  // namespace
