// An off-screen picture bound to a window, with the current text, pen and brush attributes.
// Every drawing call makes its own pen, brush or font and releases it before returning;
// only the memory DC and its bitmap live from create() on.
#pragma once

#include <windows.h>

class Canvas {
 public:
  void create(HWND window, int width, int height);
  void present(HWND window);
  void invalidate(HWND window);

  void clearBlack();
  void clearWhite();

  void setFont(int height, int red, int green, int blue);
  void setPen(int width, int red, int green, int blue);
  void setBrush(int red, int green, int blue);

  void drawText(int x, int y, const char* text);
  // The same text call on another device context, for a caller's surface of its own.
  void drawTextOn(HDC target, int x, int y, const char* text) const;
  void drawRectangle(int left, int top, int right, int bottom);
  void drawEllipse(RECT bounds);
  void drawLine(int x1, int y1, int x2, int y2);
  void drawPolyline(const POINT* points, int count);
  void drawMaskedImage(HWND window, int x, int y, const char* maskFile, const char* imageFile,
                       int width, int height);

  // Grid helpers for board-like screens.
  bool pointInRect(int left, int top, int right, int bottom, int x, int y);
  void drawGrid(int left, int top, int right, int bottom, int rows, int cols);
  POINT cellAtPoint(int left, int top, int right, int bottom, int rows, int cols, int x, int y);
  RECT cellRect(int left, int top, int right, int bottom, int rows, int cols, int row, int col);

  HDC memoryDC() const { return memoryDc; }
  int canvasWidth() const { return width; }
  int canvasHeight() const { return height; }

 private:
  PAINTSTRUCT paint{};
  HDC windowDc = nullptr;
  HDC memoryDc = nullptr;
  HBITMAP bitmap = nullptr;
  HBITMAP maskBitmap = nullptr;
  HBITMAP imageBitmap = nullptr;
  int width = 1200;
  int height = 800;
  int textRed = 255, textGreen = 0, textBlue = 0;
  int fontHeight = 15;
  int penRed = 255, penGreen = 0, penBlue = 0;
  int penWidth = 1;
  int brushRed = 255, brushGreen = 0, brushBlue = 0;
};

// Colour value of the platform from three components, each reduced to its low 8 bits.
COLORREF canvasColour(int red, int green, int blue);

extern Canvas mainCanvas;
extern Canvas aboutCanvas;
