// The line graph of the four populations since the game began: origin (250, 450), one pixel
// per day to the right, one pixel per 20 individuals upward, one line per level in its colour.
#pragma once

#include "canvas.h"
#include "world.h"

constexpr int kGraphOriginX = 250;
constexpr int kGraphOriginY = 450;
constexpr int kPeoplePerPixel = 20;

// Segment i joins day index i - 1 to day index i and starts at x = kGraphOriginX - 1 + i.
// The last one that can show: none past the history table or wholly right of the canvas.
int lastGraphSegment(const Canvas& canvas, int days);

// One drawLine per segment and level, days being the number of days run (segments 1 ..
// days - 1). The canvas is left with the pen of the last level.
void drawGraphPerSegment(Canvas& canvas, const World& w, int days);

// The same picture with one polyline per level: the segments of a level meet end to start,
// and a one-pixel line leaves out only its end point, which the next segment paints first.
void drawGraph(Canvas& canvas, const World& w, int days);
