// Where the simulation screen draws its parts, in canvas pixels, for the program's screen and
// the page's alike (the dots' field is in dot_field.h).
#pragma once

#include <algorithm>
#include <cstdint>

#include "world.h"

// The legend: one line per level, its name at kLegendX and its population at kLegendNumberX.
constexpr int kLegendX = 10;
constexpr int kLegendNumberX = 150;
constexpr int kLegendTop = 10;
constexpr int kLegendLineHeight = 20;
constexpr int kLegendFontHeight = 20;

// The day counter, in white.
constexpr int kDayCounterX = 10;
constexpr int kDayCounterY = 100;
constexpr int kDayCounterFontHeight = 30;

// The line graph of the populations: origin (kGraphOriginX, kGraphOriginY), one pixel per day
// to the right, one pixel per kPeoplePerPixel individuals upward; white axes up to kAxisTop
// and right to kAxisRight.
constexpr int kGraphOriginX = 250;
constexpr int kGraphOriginY = 450;
constexpr int kPeoplePerPixel = 20;
constexpr int kAxisRight = 750;
constexpr int kAxisTop = 30;

constexpr int graphY(int32_t population) {
  return kGraphOriginY - population / kPeoplePerPixel;
}

// Segment i joins day index i - 1 to day index i and starts at x = kGraphOriginX - 1 + i.
// The last one that can show after days days on a canvas this wide: none past the history
// table or wholly right of the canvas.
constexpr int lastGraphSegment(int canvasWidth, int days) {
  return std::min({days - 1, kHistoryDays - 1, canvasWidth - kGraphOriginX});
}
