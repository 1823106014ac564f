// The dots composed in memory against the same dots drawn one text call each.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "dib_surface.h"
#include "dot_field.h"
#include "dot_painter.h"
#include "dot_stamp.h"
#include "random_source.h"
#include "simulation_fixture.h"

namespace {

using simtest::SimulationTest;

// Paints with one painter from a given background and random state; returns the canvas and
// leaves the random state where the painter left it.
guitest::Pixels paintFrom(const guitest::Pixels& background, uint32_t state, DotPainter painter) {
  std::vector<uint32_t> bits(background.colours().size());
  for (size_t i = 0; i < bits.size(); ++i) {
    COLORREF c = background.colours()[i];
    bits[i] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = background.width();
  info.bmiHeader.biHeight = -background.height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(mainCanvas.memoryDC(), 0, 0, background.width(), background.height(), 0, 0, 0,
                    background.height(), bits.data(), &info, DIB_RGB_COLORS);
  setRandomState(state);
  painter(mainCanvas, world);
  return guitest::captureCanvas(mainCanvas);
}

guitest::Pixels noise(uint32_t seed) {
  std::vector<COLORREF> colours(simtest::kCanvasWidth * simtest::kCanvasHeight);
  for (COLORREF& c : colours) {
    seed = seed * 1664525u + 1013904223u;
    c = seed >> 8 & 0xFFFFFF;
  }
  return guitest::Pixels(RECT{0, 0, simtest::kCanvasWidth, simtest::kCanvasHeight}, colours);
}

// Paints the world over the background once per dot and once composed, from the same random
// state: the same picture and the same random draws. Returns the reference picture.
guitest::Pixels expectComposedMatchesPerCall(const guitest::Pixels& background, uint32_t state) {
  guitest::Pixels reference = paintFrom(background, state, paintDotsPerCall);
  uint32_t referenceState = randomState();
  guitest::Pixels fast = paintFrom(background, state, paintDots);
  EXPECT_EQ(randomState(), referenceState);
  EXPECT_EQ(simtest::largestChannelDifference(fast, reference), 0);
  EXPECT_EQ(simtest::differingPixels(fast, reference), 0);
  return reference;
}

TEST_F(SimulationTest, FullFieldOverBlackMatchesOneTextCallPerDot) {
  simtest::fillWorld(world, kDotSlots, 100);
  guitest::Pixels black = guitest::captureCanvas(mainCanvas);

  guitest::Pixels reference = expectComposedMatchesPerCall(black, 7);
  EXPECT_GT(reference.countNonBlack(), 40000);
}

// Every channel value under every dot: the blend of the anti-aliased edges must come out the
// same whatever lies below.
TEST_F(SimulationTest, FullFieldOverNoiseMatchesOneTextCallPerDot) {
  simtest::fillWorld(world, kDotSlots, 100);
  guitest::Pixels background = noise(12345);

  guitest::Pixels reference = expectComposedMatchesPerCall(background, 99);
  EXPECT_GT(simtest::differingPixels(reference, background), 40000);
}

// Levels with no dot, with dots here and there, and living individuals past the shown slots.
TEST_F(SimulationTest, SparseFieldMatchesOneTextCallPerDot) {
  simtest::fillWorld(world, 0, 0);
  for (int j = 0; j < kSlotsPerSpecies; ++j) {
    world.species[SmallCarnivore].life[j] = j % 3 == 0 ? 5 : -2;
    world.species[Herbivore].life[j] = j < 500 || j >= kDotSlots ? 1 : 0;
    world.species[Plant].life[j] = (j * 7919) % 11 == 0 ? 40 : 0;
  }
  lifeSlotsChanged(world);
  guitest::Pixels background = noise(5);

  guitest::Pixels reference = expectComposedMatchesPerCall(background, 3);
  EXPECT_GT(simtest::differingPixels(reference, background), 5000);
}

// The dots are measured once for the process; painting first on a canvas smaller than the
// measurement needs must not spoil later frames.
TEST_F(SimulationTest, DotsFirstPaintedOnASmallCanvasStillMatchOneTextCallPerDot) {
  forgetMeasuredDots();
  HWND smallWindow = guitest::createWindow(24, 16);
  Canvas small;
  small.create(smallWindow, 24, 16);
  small.clearBlack();
  simtest::fillWorld(world, 300, 100);
  paintDots(small, world);
  HDC memory = small.memoryDC();
  HGDIOBJ picture = GetCurrentObject(memory, OBJ_BITMAP);
  DeleteDC(memory);
  DeleteObject(picture);
  DestroyWindow(smallWindow);

  simtest::fillWorld(world, kDotSlots, 100);
  expectComposedMatchesPerCall(noise(77), 11);
}

// Without memory for a surface the dots are still drawn, one text call each, whether the
// surface missing is the one that measures a dot or the one the frame is composed on.
TEST_F(SimulationTest, WithoutSurfacesTheDotsAreDrawnOneTextCallEach) {
  simtest::fillWorld(world, 3000, 100);
  guitest::Pixels background = noise(21);
  for (bool measured : {true, false}) {
    SCOPED_TRACE(measured ? "dots already measured" : "dots not measured yet");
    paintFrom(background, 1, paintDots);
    if (!measured) {
      forgetMeasuredDots();
    }
    failDibSurfacesForTests(true);
    guitest::Pixels reference = expectComposedMatchesPerCall(background, 5);
    failDibSurfacesForTests(false);
    EXPECT_GT(simtest::differingPixels(reference, background), 5000);
  }
}

TEST_F(SimulationTest, MeasuringADotLeavesTheCanvasAlone) {
  guitest::Pixels background = noise(8);
  paintFrom(background, 1, [](Canvas&, const World&) {});
  mainCanvas.setFont(kDotFontHeight, 255, 255, 0);

  DotStamp stamp;
  ASSERT_TRUE(measureDotStamp(mainCanvas, stamp));

  EXPECT_EQ(guitest::captureCanvas(mainCanvas), background);
  ASSERT_FALSE(stamp.pixels.empty());
  EXPECT_LE(stamp.right - stamp.left, 4);
  EXPECT_LE(stamp.bottom - stamp.top, 4);
  // Drawn in yellow, a dot leaves red and green no darker and blue no brighter.
  for (const StampPixel& p : stamp.pixels) {
    for (int v = 0; v < 256; ++v) {
      EXPECT_GE(p.red[v] >> 16, static_cast<uint32_t>(v));
      EXPECT_GE(p.green[v] >> 8, static_cast<uint32_t>(v));
      EXPECT_LE(p.blue[v], static_cast<uint32_t>(v));
    }
  }
}

}  // namespace
