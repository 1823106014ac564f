// The line graph of the four populations since the game began (placed as simulation_layout.h
// says), one line per level in its colour.
#pragma once

#include "canvas.h"
#include "simulation_layout.h"
#include "world.h"

// One drawLine per segment and level, days being the number of days run (segments 1 ..
// days - 1). The canvas is left with the pen of the last level.
void drawGraphPerSegment(Canvas& canvas, const World& w, int days);

// The same picture with one polyline per level: the segments of a level meet end to start,
// and a one-pixel line leaves out only its end point, which the next segment paints first.
void drawGraph(Canvas& canvas, const World& w, int days);
