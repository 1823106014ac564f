// The canvas's life: binding to a window, copying to it, clearing, and the drawing attributes.
#include "canvas.h"

Canvas mainCanvas;
Canvas aboutCanvas;

COLORREF canvasColour(int red, int green, int blue) {
  return static_cast<COLORREF>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

void Canvas::create(HWND window, int width, int height) {
  // The About box re-creates its canvas on every opening.
  if (memoryDc != nullptr) {
    DeleteDC(memoryDc);
    memoryDc = nullptr;
  }
  if (bitmap != nullptr) {
    DeleteObject(bitmap);
    bitmap = nullptr;
  }
  this->width = width;
  this->height = height;
  windowDc = GetDC(window);
  bitmap = CreateCompatibleBitmap(windowDc, width, height);
  memoryDc = CreateCompatibleDC(nullptr);
  SelectObject(memoryDc, bitmap);
  ReleaseDC(window, windowDc);
  windowDc = nullptr;
}

void Canvas::present(HWND window) {
  windowDc = BeginPaint(window, &paint);
  BitBlt(windowDc, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
  EndPaint(window, &paint);
  windowDc = nullptr;
}

void Canvas::invalidate(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
}

void Canvas::clearBlack() {
  PatBlt(memoryDc, 0, 0, width, height, BLACKNESS);
}

void Canvas::clearWhite() {
  PatBlt(memoryDc, 0, 0, width, height, WHITENESS);
}

void Canvas::setFont(int height, int red, int green, int blue) {
  fontHeight = height;
  textRed = red;
  textGreen = green;
  textBlue = blue;
}

void Canvas::setPen(int width, int red, int green, int blue) {
  penWidth = width;
  penRed = red;
  penGreen = green;
  penBlue = blue;
}

void Canvas::setBrush(int red, int green, int blue) {
  brushRed = red;
  brushGreen = green;
  brushBlue = blue;
}
