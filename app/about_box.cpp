#include "about_box.h"

#include "canvas.h"
#include "random_source.h"

namespace {

constexpr UINT_PTR kAboutTimerId = 1;
constexpr UINT kAboutTimerMs = 50;
constexpr int kAboutWidth = 500;
constexpr int kAboutHeight = 100;

// One random line in a random colour and width on a black field. The draws are taken one
// statement at a time because their order is part of the shared random sequence.
void drawAboutFrame(HWND dialog) {
  aboutCanvas.clearBlack();

  int blue = randomNext() % 256;
  int green = randomNext() % 256;
  int red = randomNext() % 256;
  int width = randomNext() % 20;
  aboutCanvas.setPen(width, red, green, blue);

  int y2 = randomNext() % kAboutHeight;
  int x2 = randomNext() % kAboutWidth;
  int y1 = randomNext() % kAboutHeight;
  int x1 = randomNext() % kAboutWidth;
  aboutCanvas.drawLine(x1, y1, x2, y2);

  aboutCanvas.invalidate(dialog);
}

}  // namespace

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      aboutCanvas.create(dialog, kAboutWidth, kAboutHeight);
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
