#include "population_graph.h"

#include "species.h"

namespace {

void setGraphPen(Canvas& canvas, int k) {
  const SpeciesColour& c = kSpeciesColours[k];
  canvas.setPen(1, c.red, c.green, c.blue);
}

}  // namespace

void drawGraphPerSegment(Canvas& canvas, const World& w, int days) {
  int last = lastGraphSegment(canvas.canvasWidth(), days);
  for (int k = 0; k < kSpeciesCount; ++k) {
    setGraphPen(canvas, k);
    const int32_t* history = w.history[k];
    for (int i = 1; i <= last; ++i) {
      canvas.drawLine(kGraphOriginX - 1 + i, graphY(history[i - 1]), kGraphOriginX + i,
                      graphY(history[i]));
    }
  }
}

void drawGraph(Canvas& canvas, const World& w, int days) {
  int last = lastGraphSegment(canvas.canvasWidth(), days);
  POINT points[kHistoryDays];
  for (int k = 0; k < kSpeciesCount; ++k) {
    setGraphPen(canvas, k);
    if (last < 1) {
      continue;
    }
    const int32_t* history = w.history[k];
    for (int i = 0; i <= last; ++i) {
      points[i] = POINT{kGraphOriginX + i, graphY(history[i])};
    }
    canvas.drawPolyline(points, last + 1);
  }
}
