// The graph drawn one polyline per level against one drawLine per segment, and where its
// lines fall.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "population_graph.h"
#include "simulation_fixture.h"

namespace {

using simtest::SimulationTest;

guitest::Pixels drawnBy(void (*draw)(Canvas&, const World&, int), int days) {
  mainCanvas.clearBlack();
  draw(mainCanvas, world, days);
  return guitest::captureCanvas(mainCanvas);
}

void expectSamePicture(int days) {
  guitest::Pixels reference = drawnBy(drawGraphPerSegment, days);
  guitest::Pixels fast = drawnBy(drawGraph, days);
  EXPECT_EQ(simtest::differingPixels(fast, reference), 0) << "days " << days;
}

// Jumps of every size, up and down, steep and flat, on the canvas and far above it.
TEST_F(SimulationTest, PolylinesMatchOneLinePerSegment) {
  uint32_t seed = 4321;
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      seed = seed * 1664525u + 1013904223u;
      int32_t jump = static_cast<int32_t>(seed >> 8) % (d % 50 < 25 ? 400 : 50001);
      world.history[k][d] = d % 97 == 0 ? 50000 : jump;
    }
  }
  for (int days : {0, 1, 2, 3, 57, 501, 951, 952, 1000, 1001, 1500}) {
    expectSamePicture(days);
  }
}

TEST_F(SimulationTest, GraphPlacesPopulationsOnePixelPerTwentyIndividuals) {
  for (int d = 0; d < kHistoryDays; ++d) {
    world.history[0][d] = 8400;           // the top of the vertical axis
    world.history[1][d] = 9000 + d % 20;  // the canvas's top row
    world.history[2][d] = 9020;           // one row above the canvas
    world.history[3][d] = 2019;           // 2019 / 20 = 100
  }
  guitest::Pixels p = drawnBy(drawGraph, 11);  // segments 1..10: x 250..259 painted
  for (int x = 250; x < 260; ++x) {
    EXPECT_EQ(p.at(x, 30), RGB(255, 0, 0)) << x;
    EXPECT_EQ(p.at(x, 0), RGB(255, 0, 255)) << x;
    EXPECT_EQ(p.at(x, 350), RGB(0, 255, 0)) << x;
  }
  EXPECT_EQ(p.at(260, 30), RGB(0, 0, 0));  // the last segment leaves out its end
  EXPECT_EQ(p.countNonBlack(RGB(255, 255, 0)), 0);
  EXPECT_EQ(p.countNonBlack(), 30);
}

TEST_F(SimulationTest, GraphStopsAtTheCanvasEdge) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      world.history[k][d] = 1000 * (k + 1);  // y 400, 350, 300, 250
    }
  }
  guitest::Pixels p = drawnBy(drawGraph, 1200);
  EXPECT_EQ(p.at(1199, 400), RGB(255, 0, 0));
  EXPECT_EQ(p.at(1199, 250), RGB(0, 255, 0));
  EXPECT_EQ(p.countNonBlack(), 4 * 950);
}

// On a canvas wider than the history, the graph ends with the table, not with the canvas:
// day index 999 is its last point, whatever lies in memory after it.
TEST_F(SimulationTest, GraphNeverGoesPastTheHistoryTable) {
  mainCanvas.create(window, 1400, simtest::kCanvasHeight);
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      world.history[k][d] = 6000;  // y 150
    }
  }
  // What a read of history[k][1000] would find for the first three levels.
  world.history[1][0] = world.history[2][0] = world.history[3][0] = 8400;
  for (int days : {1000, 1001, 1200}) {
    guitest::Pixels reference = drawnBy(drawGraphPerSegment, days);
    guitest::Pixels fast = drawnBy(drawGraph, days);
    EXPECT_EQ(simtest::differingPixels(fast, reference), 0);
    RECT past{kGraphOriginX + kHistoryDays - 1, 0, 1400, simtest::kCanvasHeight};
    EXPECT_EQ(guitest::captureCanvas(mainCanvas, past).countNonBlack(), 0) << days;
    EXPECT_EQ(fast.at(kGraphOriginX + kHistoryDays - 2, 150), RGB(0, 255, 0)) << days;
  }
}

}  // namespace
