// The end-of-game rule, run at the end of every tick.
#include <cstdio>

#include "main_window.h"
#include "world.h"

void checkGameOver(HWND window) {
  if (GameMode != Running || !anySpeciesExtinct(world)) {
    return;
  }
  // The box runs its own message loop: without the timer no tick can run while it is up.
  KillTimer(window, kMainTimerId);
  char record[100];
  std::snprintf(record, sizeof(record), "記録：%d日", static_cast<int>(dayCount));
  MessageBoxA(window, record, "GAME OVER", MB_OK);
  GameMode = Title;
  SetTimer(window, kMainTimerId, kMainTimerMs, nullptr);
  dayCount = 0;
}
