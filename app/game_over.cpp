// The end-of-game rule, run at the end of every tick.
#include <cstdio>
#include <iterator>

#include "main_window.h"
#include "world.h"

namespace {

constexpr UINT kShiftJisCodePage = 932;

}  // namespace

void checkGameOver(HWND window) {
  if (GameMode != Running || !anySpeciesExtinct(world)) {
    return;
  }
  // The box runs its own message loop: without the timer no tick can run while it is up.
  KillTimer(window, kMainTimerId);
  char record[100];
  std::snprintf(record, sizeof(record), "記録：%d日", static_cast<int>(dayCount));
  // The record is Shift-JIS like every narrow text of the program: converted from code page
  // 932 itself, not the system's, it reads right on Windows in any language.
  wchar_t shown[100];
  MultiByteToWideChar(kShiftJisCodePage, 0, record, -1, shown, std::size(shown));
  // Owned by the box in front when one is open (the About box, whose loop runs the ticks): the
  // record then disables and re-enables that box, and the main window stays disabled until it
  // closes, instead of taking input again behind a box that is still running.
  MessageBoxW(GetLastActivePopup(window), shown, L"GAME OVER", MB_OK);
  GameMode = Title;
  SetTimer(window, kMainTimerId, kMainTimerMs, nullptr);
  dayCount = 0;
}
