#pragma once

#include <windows.h>

#include "dot_painter.h"

// Runs one day of the world and draws its frame into mainCanvas, then asks for a repaint.
void drawSimulationFrame(HWND window);
// The same with another way of drawing the dots (the per-call one, for comparison).
void drawSimulationFrame(HWND window, DotPainter paintDotsWith);
