#pragma once

#include <windows.h>

// Draws one title frame into mainCanvas and asks the window to repaint.
void drawTitleFrame(HWND window);
