// Reading pixels back from memory DCs, windows and the screen.
#include "gui_test_support.h"

#include "canvas.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace guitest {

Pixels::Pixels(RECT area, std::vector<COLORREF> colours)
    : area_(area), colours_(std::move(colours)) {}

COLORREF Pixels::at(int x, int y) const {
  return colours_[static_cast<size_t>((y - area_.top) * width() + (x - area_.left))];
}

int Pixels::count(COLORREF colour) const {
  int n = 0;
  for (COLORREF c : colours_) {
    n += c == colour ? 1 : 0;
  }
  return n;
}

int Pixels::countNonBlack() const {
  return static_cast<int>(colours_.size()) - count(RGB(0, 0, 0));
}

int Pixels::countNonBlack(COLORREF colour) const {
  return colour == RGB(0, 0, 0) ? 0 : count(colour);
}

RECT Pixels::nonBlackBounds() const {
  RECT bounds{0, 0, 0, 0};
  bool found = false;
  for (int y = area_.top; y < area_.bottom; ++y) {
    for (int x = area_.left; x < area_.right; ++x) {
      if (at(x, y) == RGB(0, 0, 0)) {
        continue;
      }
      if (!found) {
        bounds = RECT{x, y, x + 1, y + 1};
        found = true;
      }
      if (x < bounds.left)
        bounds.left = x;
      if (x >= bounds.right)
        bounds.right = x + 1;
      if (y >= bounds.bottom)
        bounds.bottom = y + 1;
    }
  }
  return bounds;
}

bool Pixels::operator==(const Pixels& other) const {
  return EqualRect(&area_, &other.area_) && colours_ == other.colours_;
}

namespace {

// Copies `width` x `height` pixels from (x, y) of `source` and labels them with `area`.
Pixels copyPixels(HDC source, int x, int y, RECT area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) {
    return Pixels(area, {});
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC target = CreateCompatibleDC(source);
  HBITMAP dib = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ original = SelectObject(target, dib);
  BitBlt(target, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();

  std::vector<COLORREF> colours(static_cast<size_t>(width) * height);
  const auto* bgrx = static_cast<const std::uint8_t*>(bits);
  for (size_t i = 0; i < colours.size(); ++i) {
    colours[i] = RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]);
  }
  SelectObject(target, original);
  DeleteObject(dib);
  DeleteDC(target);
  return Pixels(area, std::move(colours));
}

}  // namespace

Pixels capture(HDC dc, RECT area) {
  return copyPixels(dc, area.left, area.top, area);
}

Pixels captureCanvas(const Canvas& canvas) {
  return capture(canvas.memoryDC(), RECT{0, 0, canvas.canvasWidth(), canvas.canvasHeight()});
}

Pixels captureCanvas(const Canvas& canvas, RECT area) {
  return capture(canvas.memoryDC(), area);
}

Pixels captureClient(HWND window, RECT area) {
  HDC dc = GetDC(window);
  Pixels pixels = capture(dc, area);
  ReleaseDC(window, dc);
  return pixels;
}

Pixels captureScreen(HWND window, RECT area) {
  const POINT origin = clientOrigin(window);
  HDC screen = GetDC(nullptr);
  Pixels pixels = copyPixels(screen, origin.x + area.left, origin.y + area.top, area);
  ReleaseDC(nullptr, screen);
  return pixels;
}

COLORREF canvasPixel(const Canvas& canvas, int x, int y) {
  return GetPixel(canvas.memoryDC(), x, y);
}

COLORREF clientPixel(HWND window, int x, int y) {
  return captureClient(window, RECT{x, y, x + 1, y + 1}).at(x, y);
}

COLORREF screenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  Pixels pixels = copyPixels(screen, x, y, RECT{x, y, x + 1, y + 1});
  ReleaseDC(nullptr, screen);
  return pixels.at(x, y);
}

int countPixels(HDC dc, RECT area, COLORREF colour) {
  return capture(dc, area).count(colour);
}

int countNonBlackPixels(HDC dc, RECT area) {
  return capture(dc, area).countNonBlack();
}

int countNonBlackPixels(HDC dc, RECT area, COLORREF colour) {
  return capture(dc, area).countNonBlack(colour);
}

}  // namespace guitest
