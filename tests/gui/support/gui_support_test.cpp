// The helpers themselves: the leak and pixel tests of the program rely on them counting and
// reading what is really there.
#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(GdiObjectCount, FollowsObjectsMadeAndDeleted) {
  const int before = guitest::gdiObjectCount();
  const int pensBefore = guitest::gdiObjectCount(OBJ_PEN);
  const int fontsBefore = guitest::gdiObjectCount(OBJ_FONT);
  HPEN pens[7];
  for (HPEN& pen : pens) {
    pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  }
  HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                           "Arial");
  EXPECT_EQ(guitest::gdiObjectCount(), before + 8);
  EXPECT_EQ(guitest::gdiObjectCount(OBJ_PEN), pensBefore + 7);
  EXPECT_EQ(guitest::gdiObjectCount(OBJ_FONT), fontsBefore + 1);

  for (HPEN pen : pens) {
    DeleteObject(pen);
  }
  DeleteObject(font);
  EXPECT_EQ(guitest::gdiObjectCount(), before);
  EXPECT_EQ(guitest::gdiObjectCount(OBJ_PEN), pensBefore);
}

TEST(GdiObjectCount, CountsAnObjectDeletedWhileStillSelected) {
  HDC dc = CreateCompatibleDC(nullptr);
  const int fontsBefore = guitest::gdiObjectCount(OBJ_FONT);
  HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                           "Arial");
  HGDIOBJ original = SelectObject(dc, font);
  DeleteObject(font);
  // The object outlives its deletion as long as a DC holds it, so a drawing call that forgets
  // to deselect shows up in the count.
  EXPECT_EQ(guitest::gdiObjectCount(OBJ_FONT), fontsBefore + 1);
  SelectObject(dc, original);
  EXPECT_EQ(guitest::gdiObjectCount(OBJ_FONT), fontsBefore);
  DeleteDC(dc);
}

TEST(Pixels, CountAndBoundNonBlackPixels) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  HGDIOBJ original = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 40, 30, BLACKNESS);
  HBRUSH brush = CreateSolidBrush(RGB(200, 10, 20));
  RECT filled{5, 7, 12, 10};
  FillRect(dc, &filled, brush);
  SetPixel(dc, 30, 20, RGB(1, 1, 1));

  guitest::Pixels whole = guitest::capture(dc, RECT{0, 0, 40, 30});
  EXPECT_EQ(whole.width(), 40);
  EXPECT_EQ(whole.height(), 30);
  EXPECT_EQ(whole.count(RGB(200, 10, 20)), 21);
  EXPECT_EQ(whole.countNonBlack(), 22);
  EXPECT_EQ(whole.at(5, 7), RGB(200, 10, 20));
  EXPECT_EQ(whole.at(12, 7), RGB(0, 0, 0));
  RECT bounds = whole.nonBlackBounds();
  EXPECT_EQ(bounds.left, 5);
  EXPECT_EQ(bounds.top, 7);
  EXPECT_EQ(bounds.right, 31);
  EXPECT_EQ(bounds.bottom, 21);

  // A part of the DC keeps the DC's coordinates.
  guitest::Pixels part = guitest::capture(dc, RECT{10, 8, 20, 12});
  EXPECT_EQ(part.at(11, 9), RGB(200, 10, 20));
  EXPECT_EQ(part.at(12, 9), RGB(0, 0, 0));
  EXPECT_EQ(guitest::countNonBlackPixels(dc, RECT{10, 8, 20, 12}, RGB(200, 10, 20)), 4);
  EXPECT_EQ(guitest::countPixels(dc, RECT{0, 0, 40, 30}, RGB(1, 1, 1)), 1);

  SelectObject(dc, original);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(Window, HasTheClientSizeAndShowsOnTheScreen) {
  HWND window = guitest::createWindow(150, 90);
  ASSERT_NE(window, nullptr);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 150);
  EXPECT_EQ(client.bottom, 90);
  EXPECT_TRUE(IsWindowVisible(window));

  // The class background reaches both the window DC and the screen.
  EXPECT_EQ(guitest::clientPixel(window, 75, 45), guitest::kWindowBackground);
  guitest::Pixels onScreen = guitest::captureScreen(window, client);
  EXPECT_EQ(onScreen.count(guitest::kWindowBackground), 150 * 90);
  const POINT origin = guitest::clientOrigin(window);
  EXPECT_EQ(guitest::screenPixel(origin.x + 149, origin.y + 89), guitest::kWindowBackground);

  // What is painted into the window shows on the screen after the messages are handled.
  HDC dc = GetDC(window);
  HBRUSH brush = CreateSolidBrush(RGB(30, 160, 90));
  RECT corner{0, 0, 10, 10};
  FillRect(dc, &corner, brush);
  ReleaseDC(window, dc);
  DeleteObject(brush);
  guitest::pumpMessages();
  EXPECT_EQ(guitest::captureScreen(window, client).count(RGB(30, 160, 90)), 100);
  EXPECT_EQ(guitest::screenPixel(origin.x + 10, origin.y + 10), guitest::kWindowBackground);
  DestroyWindow(window);
  guitest::pumpMessages();
}

TEST(BitmapFile, ReadsAndLoadsBackAsWritten) {
  const std::vector<COLORREF> colours{RGB(255, 0, 0),  RGB(0, 255, 0),     RGB(0, 0, 255),
                                      RGB(10, 20, 30), RGB(255, 255, 255), RGB(0, 0, 0)};
  const std::string path = guitest::tempFilePath("support.bmp");
  ASSERT_TRUE(guitest::writeBitmapFile(path, 3, 2, colours));
  guitest::BitmapFile read = guitest::readBitmapFile(path);
  EXPECT_EQ(read.width, 3);
  EXPECT_EQ(read.height, 2);
  EXPECT_EQ(read.bitsPerPixel, 24);
  EXPECT_EQ(read.colours, colours);
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ original = SelectObject(dc, bitmap);
  guitest::Pixels loaded = guitest::capture(dc, RECT{0, 0, 3, 2});
  EXPECT_EQ(loaded.colours(), colours);
  SelectObject(dc, original);
  DeleteDC(dc);
  DeleteObject(bitmap);
  std::remove(path.c_str());

  EXPECT_NE(guitest::tempFilePath("a.bmp"), guitest::tempFilePath("b.bmp"));
  EXPECT_FALSE(guitest::writeBitmapFile(path, 2, 2, colours));
}

}  // namespace
