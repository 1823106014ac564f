#include "simulation_fixture.h"

#include <algorithm>
#include <cstdlib>

namespace simtest {

LRESULT CALLBACK presentingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    mainCanvas.present(window);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void fillWorld(World& w, int living, int32_t life) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    w.disturbance[k] = 0;
    Species& s = w.species[k];
    s.population = living;
    s.startLife = life;
    s.birthChance = kRateScale;
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      s.life[i] = i < living ? life : 0;
    }
  }
  lifeSlotsChanged(w);
}

namespace {

int channel(COLORREF c, int shift) {
  return static_cast<int>((c >> shift) & 0xFF);
}

}  // namespace

int largestChannelDifference(const guitest::Pixels& a, const guitest::Pixels& b) {
  int largest = 0;
  for (size_t i = 0; i < a.colours().size(); ++i) {
    for (int shift : {0, 8, 16}) {
      largest = std::max(largest,
                         std::abs(channel(a.colours()[i], shift) - channel(b.colours()[i], shift)));
    }
  }
  return largest;
}

int differingPixels(const guitest::Pixels& a, const guitest::Pixels& b) {
  int n = 0;
  for (size_t i = 0; i < a.colours().size(); ++i) {
    n += a.colours()[i] != b.colours()[i] ? 1 : 0;
  }
  return n;
}

void SimulationTest::SetUp() {
  window = guitest::createWindow(kCanvasWidth, kCanvasHeight, presentingWindowProc);
  mainCanvas.create(window, kCanvasWidth, kCanvasHeight);
  mainCanvas.clearBlack();
  dayCount = 0;
}

void SimulationTest::TearDown() {
  DestroyWindow(window);
  guitest::pumpMessages();
}

}  // namespace simtest
