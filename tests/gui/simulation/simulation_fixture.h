// A main canvas bound to a real window on the virtual display, and worlds set up for the
// simulation screen's tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "canvas.h"
#include "gui_test_support.h"
#include "world.h"

namespace simtest {

constexpr int kCanvasWidth = 1200;
constexpr int kCanvasHeight = 800;

// Presents mainCanvas on every repaint, as the main window does.
LRESULT CALLBACK presentingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every level with `living` individuals of life `life` in its first slots (the rest free), its
// population set to match, no disturbances, and births that always succeed.
void fillWorld(World& w, int living, int32_t life);

// The largest difference of one colour channel between two equally sized pixel sets.
int largestChannelDifference(const guitest::Pixels& a, const guitest::Pixels& b);
// Number of pixels that differ at all.
int differingPixels(const guitest::Pixels& a, const guitest::Pixels& b);

class SimulationTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND window = nullptr;
};

}  // namespace simtest
