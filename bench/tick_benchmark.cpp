// Times whole running ticks at full load under Wine: the day's step, the frame and its copy to
// a real window, with the dots composed in memory and, in the same run, drawn one text call
// each. Prints the figures and their ratio; it judges nothing.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <vector>

#include "dot_field.h"
#include "dot_painter.h"
#include "gui_test_support.h"
#include "population_graph.h"
#include "random_source.h"
#include "simulation_fixture.h"
#include "simulation_screen.h"
#include "world.h"

namespace {

constexpr int32_t kFullLoadLife = 1000000;

double nowMs() {
  static LARGE_INTEGER frequency{};
  if (frequency.QuadPart == 0) {
    QueryPerformanceFrequency(&frequency);
  }
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A history that wanders over the graph, so that late days draw a full width of lines.
void fillHistory(World& w) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      w.history[k][d] = 4000 + static_cast<int32_t>(3000.0 * std::sin(0.02 * d + k));
    }
  }
}

int shownDots(const World& w) {
  int n = 0;
  for (const Species& s : w.species) {
    n += static_cast<int>(
        std::count_if(s.life, s.life + kDotSlots, [](int32_t v) { return v > 0; }));
  }
  return n;
}

struct Figures {
  std::vector<double> ms;
  int dots = 0;
};

// One running tick as the main window runs it, with the world put back to full load (and the
// day back to `day`) before each, outside the timing.
Figures timeTicks(HWND window, DotPainter painter, int ticks, int day) {
  Figures f;
  for (int t = 0; t < ticks; ++t) {
    simtest::fillWorld(world, kDotSlots, kFullLoadLife);
    dayCount = day;
    double start = nowMs();
    drawSimulationFrame(window, painter);
    UpdateWindow(window);  // WM_PAINT: the canvas goes to the window now
    GdiFlush();
    f.ms.push_back(nowMs() - start);
    f.dots = shownDots(world);
  }
  return f;
}

Figures timeSteps(int ticks) {
  Figures f;
  for (int t = 0; t < ticks; ++t) {
    simtest::fillWorld(world, kDotSlots, kFullLoadLife);
    dayCount = 0;
    double start = nowMs();
    stepWorld();
    f.ms.push_back(nowMs() - start);
  }
  return f;
}

// The dots alone: every one of the 80,000 slots shown.
Figures timeDots(DotPainter painter, int rounds) {
  Figures f;
  simtest::fillWorld(world, kDotSlots, kFullLoadLife);
  for (int t = 0; t < rounds; ++t) {
    mainCanvas.clearBlack();
    double start = nowMs();
    painter(mainCanvas, world);
    GdiFlush();
    f.ms.push_back(nowMs() - start);
  }
  f.dots = shownDots(world);
  return f;
}

// The graph alone, at its full width.
Figures timeGraph(void (*draw)(Canvas&, const World&, int), int rounds) {
  Figures f;
  for (int t = 0; t < rounds; ++t) {
    mainCanvas.clearBlack();
    double start = nowMs();
    draw(mainCanvas, world, kHistoryDays);
    GdiFlush();
    f.ms.push_back(nowMs() - start);
  }
  return f;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void print(const char* what, const Figures& f) {
  std::printf("%-34s n=%-3zu median %8.2f ms  min %8.2f  max %8.2f", what, f.ms.size(),
              median(f.ms), *std::min_element(f.ms.begin(), f.ms.end()),
              *std::max_element(f.ms.begin(), f.ms.end()));
  if (f.dots > 0) {
    std::printf("  (%d dots)", f.dots);
  }
  std::printf("\n");
}

void ratio(const char* what, const Figures& reference, const Figures& fast) {
  std::printf("%-34s per-call / fast = %.1f\n", what, median(reference.ms) / median(fast.ms));
}

}  // namespace

int main(int argc, char** argv) {
  int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  int referenceTicks = std::max(1, ticks / 5);

  HWND window = guitest::createWindow(simtest::kCanvasWidth, simtest::kCanvasHeight,
                                      simtest::presentingWindowProc, "tick benchmark");
  mainCanvas.create(window, simtest::kCanvasWidth, simtest::kCanvasHeight);
  fillHistory(world);

  // The first fast frame also measures the four dot colours.
  Figures first = timeTicks(window, paintDots, 1, 0);
  print("first tick (measures the dots)", first);

  std::printf("-- full load: %d living in the first %d slots of every level --\n", kDotSlots,
              kDotSlots);
  Figures step = timeSteps(ticks);
  print("step alone", step);
  Figures dotsFast = timeDots(paintDots, ticks);
  Figures dotsReference = timeDots(paintDotsPerCall, referenceTicks);
  print("dots alone, in memory", dotsFast);
  print("dots alone, one text call each", dotsReference);
  ratio("dots alone", dotsReference, dotsFast);

  Figures graphFast = timeGraph(drawGraph, ticks);
  Figures graphReference = timeGraph(drawGraphPerSegment, ticks);
  print("graph alone, polylines", graphFast);
  print("graph alone, one line per segment", graphReference);
  ratio("graph alone", graphReference, graphFast);

  for (int day : {1, 950}) {
    std::printf("-- ticks from day %d (%d graph segments per level) --\n", day + 1,
                std::min(day, 950));
    Figures fast = timeTicks(window, paintDots, ticks, day);
    Figures reference = timeTicks(window, paintDotsPerCall, referenceTicks, day);
    print("tick, dots in memory", fast);
    print("tick, dots one text call each", reference);
    ratio("tick", reference, fast);
  }
  DestroyWindow(window);
  return 0;
}
