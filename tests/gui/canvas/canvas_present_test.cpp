// Copying the canvas to its window: invalidate leads to WM_PAINT, where present puts the
// whole picture on the screen in one block.
#include "canvas.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

namespace {

Canvas shown;
// Only the window the canvas is bound to presents it; until then windows paint their own
// background.
HWND presentingWindow = nullptr;
int paints = 0;
int erases = 0;

LRESULT CALLBACK presentingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (window != presentingWindow) {
        break;
      }
      ++paints;
      shown.present(window);
      return 0;
    case WM_ERASEBKGND:
      ++erases;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Four coloured quarters and a white frame: a copy that is shifted, cut short or scaled
// would not match it.
void drawQuarters(int width, int height) {
  shown.clearBlack();
  shown.setPen(1, 255, 0, 0);
  shown.setBrush(255, 0, 0);
  shown.drawRectangle(0, 0, width / 2, height / 2);
  shown.setPen(1, 0, 255, 0);
  shown.setBrush(0, 255, 0);
  shown.drawRectangle(width / 2, 0, width, height / 2);
  shown.setPen(1, 0, 0, 255);
  shown.setBrush(0, 0, 255);
  shown.drawRectangle(0, height / 2, width / 2, height);
  shown.setPen(1, 255, 255, 255);
  shown.drawLine(0, 0, width - 1, 0);
  shown.drawLine(width - 1, 0, width - 1, height - 1);
  shown.drawLine(width - 1, height - 1, 0, height - 1);
  shown.drawLine(0, height - 1, 0, 0);
  shown.setFont(15, 255, 255, 0);
  shown.drawText(width / 2 + 5, height / 2 + 5, "記録：12日");
}

TEST(CanvasPresent, InvalidateRepaintsTheWindowWithTheCanvasWithoutErasing) {
  HWND window = guitest::createWindow(240, 160, presentingProcedure);
  shown.create(window, 240, 160);
  presentingWindow = window;
  drawQuarters(240, 160);
  const guitest::Pixels canvasPixels = guitest::captureCanvas(shown);
  ASSERT_GT(canvasPixels.count(RGB(255, 255, 0)), 10);

  const int paintsBefore = paints;
  const int erasesBefore = erases;
  shown.invalidate(window);
  // Invalidating only marks the window; the copy happens when WM_PAINT is handled.
  EXPECT_EQ(paints, paintsBefore);
  guitest::pumpMessages();
  EXPECT_EQ(paints, paintsBefore + 1);
  EXPECT_EQ(erases, erasesBefore);

  const RECT client{0, 0, 240, 160};
  EXPECT_TRUE(guitest::captureClient(window, client) == canvasPixels);
  EXPECT_TRUE(guitest::captureScreen(window, client) == canvasPixels);

  // A later frame replaces the whole picture.
  shown.clearBlack();
  shown.setPen(1, 0, 255, 255);
  shown.drawLine(10, 10, 200, 10);
  shown.invalidate(window);
  guitest::pumpMessages();
  guitest::Pixels second = guitest::captureScreen(window, client);
  EXPECT_EQ(second.count(RGB(0, 255, 255)), 190);
  EXPECT_EQ(second.countNonBlack(), 190);
  DestroyWindow(window);
  guitest::pumpMessages();
}

TEST(CanvasPresent, WindowLargerThanTheCanvasKeepsItsBackgroundBeyondIt) {
  HWND window = guitest::createWindow(300, 200, presentingProcedure);
  shown.create(window, 120, 80);
  presentingWindow = window;
  EXPECT_EQ(guitest::clientPixel(window, 200, 150), guitest::kWindowBackground);
  drawQuarters(120, 80);
  const guitest::Pixels canvasPixels = guitest::captureCanvas(shown);

  shown.invalidate(window);
  guitest::pumpMessages();
  guitest::Pixels screen = guitest::captureScreen(window, RECT{0, 0, 300, 200});
  EXPECT_TRUE(guitest::captureScreen(window, RECT{0, 0, 120, 80}) == canvasPixels);
  EXPECT_EQ(screen.at(120, 40), guitest::kWindowBackground);
  EXPECT_EQ(screen.at(60, 80), guitest::kWindowBackground);
  EXPECT_EQ(screen.at(299, 199), guitest::kWindowBackground);
  EXPECT_EQ(screen.count(guitest::kWindowBackground), 300 * 200 - 120 * 80);
  DestroyWindow(window);
  guitest::pumpMessages();
}

TEST(CanvasPresent, WindowSmallerThanTheCanvasShowsItsTopLeftPart) {
  HWND window = guitest::createWindow(100, 60, presentingProcedure);
  shown.create(window, 240, 160);
  presentingWindow = window;
  drawQuarters(240, 160);
  shown.invalidate(window);
  guitest::pumpMessages();
  const RECT client{0, 0, 100, 60};
  EXPECT_TRUE(guitest::captureScreen(window, client) == guitest::captureCanvas(shown, client));
  EXPECT_EQ(guitest::captureScreen(window, client).count(RGB(255, 0, 0)), 99 * 59);
  DestroyWindow(window);
  guitest::pumpMessages();
}

}  // namespace
