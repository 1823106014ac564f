#include "about_box.h"

#include "about_line.h"
#include "canvas.h"

namespace {

constexpr UINT_PTR kAboutTimerId = 1;
constexpr UINT kAboutTimerMs = 50;

// One frame: the next random line alone on black.
void drawAboutFrame(HWND dialog) {
  aboutCanvas.clearBlack();
  AboutLine line = nextAboutLine();
  aboutCanvas.setPen(line.penWidth, line.red, line.green, line.blue);
  aboutCanvas.drawLine(line.x1, line.y1, line.x2, line.y2);
  aboutCanvas.invalidate(dialog);
}

}  // namespace

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      aboutCanvas.create(dialog, kAboutPictureWidth, kAboutPictureHeight);
      SetTimer(dialog, kAboutTimerId, kAboutTimerMs, NULL);
      return TRUE;

    case WM_TIMER:
      drawAboutFrame(dialog);
      return FALSE;

    case WM_PAINT:
      aboutCanvas.present(dialog);
      return FALSE;

    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        KillTimer(dialog, kAboutTimerId);
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}
