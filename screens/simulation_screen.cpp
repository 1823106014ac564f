#include "simulation_screen.h"

#include "canvas.h"
#include "world.h"

// Placeholder until the simulation screen is built: runs the day only.
void drawSimulationFrame(HWND window) {
  stepWorld();
  dayCount = dayCount + 1;
  mainCanvas.invalidate(window);
}
