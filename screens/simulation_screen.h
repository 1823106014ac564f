#pragma once

#include <windows.h>

// Runs one day of the world and draws its frame into mainCanvas, then asks for a repaint.
void drawSimulationFrame(HWND window);
