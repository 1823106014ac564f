#include "simulation_screen.h"

#include <cstdio>

#include "canvas.h"
#include "population_graph.h"
#include "simulation_layout.h"
#include "species.h"
#include "world.h"

namespace {

void setFontFor(int height, int k) {
  const SpeciesColour& c = kSpeciesColours[k];
  mainCanvas.setFont(height, c.red, c.green, c.blue);
}

void drawLegend(const World& w) {
  char number[16];
  for (int k = 0; k < kSpeciesCount; ++k) {
    int y = kLegendTop + kLegendLineHeight * k;
    setFontFor(kLegendFontHeight, k);
    mainCanvas.drawText(kLegendX, y, kSpeciesNames[k]);
    std::snprintf(number, sizeof number, "%d", w.species[k].population);
    mainCanvas.drawText(kLegendNumberX, y, number);
  }
}

void drawAxes() {
  mainCanvas.setPen(1, 255, 255, 255);
  mainCanvas.drawLine(kGraphOriginX, kGraphOriginY, kAxisRight, kGraphOriginY);
  mainCanvas.drawLine(kGraphOriginX, kAxisTop, kGraphOriginX, kGraphOriginY);
}

void drawDayCounter(int days) {
  char text[32];
  mainCanvas.setFont(kDayCounterFontHeight, 255, 255, 255);
  std::snprintf(text, sizeof text, "%d日", days);
  mainCanvas.drawText(kDayCounterX, kDayCounterY, text);
}

}  // namespace

void drawSimulationFrame(HWND window, DotPainter paintDotsWith) {
  mainCanvas.clearBlack();
  stepWorld();
  dayCount = dayCount + 1;
  drawLegend(world);
  drawAxes();
  drawGraph(mainCanvas, world, dayCount);
  drawDayCounter(dayCount);
  paintDotsWith(mainCanvas, world);
  mainCanvas.invalidate(window);
}

void drawSimulationFrame(HWND window) {
  drawSimulationFrame(window, paintDots);
}
