// A canvas bound to a real window on the virtual display, cleared to black.
#pragma once

#include "canvas.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

class CanvasTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;

  void SetUp() override {
    window = guitest::createWindow(kWidth, kHeight);
    canvas.create(window, kWidth, kHeight);
    canvas.clearBlack();
  }
  void TearDown() override {
    // The program's canvases live as long as the process; a test's canvas gives its picture
    // back so that tests do not pile up DCs.
    HDC memory = canvas.memoryDC();
    HGDIOBJ picture = GetCurrentObject(memory, OBJ_BITMAP);
    DeleteDC(memory);
    DeleteObject(picture);
    DestroyWindow(window);
    guitest::pumpMessages();
  }

  guitest::Pixels all() const { return guitest::captureCanvas(canvas); }
  COLORREF pixel(int x, int y) const { return guitest::canvasPixel(canvas, x, y); }

  HWND window = nullptr;
  Canvas canvas;
};
