// Text, rectangles, ellipses and lines. Each call makes its own font, pen or brush, and puts
// back what the memory DC held before deleting it.
#include "canvas.h"

#include <cstring>

void Canvas::drawText(int x, int y, const char* text) {
  drawTextOn(memoryDc, x, y, text);
}

void Canvas::drawTextOn(HDC target, int x, int y, const char* text) const {
  HFONT font = CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_CHARACTER_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "ＭＳ ゴシック");
  HGDIOBJ previous = SelectObject(target, font);
  SetBkMode(target, TRANSPARENT);
  SetTextColor(target, canvasColour(textRed, textGreen, textBlue));
  TextOutA(target, x, y, text, static_cast<int>(std::strlen(text)));
  SelectObject(target, previous);
  DeleteObject(font);
}

void Canvas::drawRectangle(int left, int top, int right, int bottom) {
  HPEN pen = CreatePen(PS_SOLID, penWidth, canvasColour(penRed, penGreen, penBlue));
  HBRUSH brush = CreateSolidBrush(canvasColour(brushRed, brushGreen, brushBlue));
  HGDIOBJ previousPen = SelectObject(memoryDc, pen);
  HGDIOBJ previousBrush = SelectObject(memoryDc, brush);
  Rectangle(memoryDc, left, top, right, bottom);
  SelectObject(memoryDc, previousBrush);
  SelectObject(memoryDc, previousPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void Canvas::drawEllipse(RECT bounds) {
  HPEN pen = CreatePen(PS_SOLID, penWidth, canvasColour(penRed, penGreen, penBlue));
  HBRUSH brush = CreateSolidBrush(canvasColour(brushRed, brushGreen, brushBlue));
  HGDIOBJ previousPen = SelectObject(memoryDc, pen);
  HGDIOBJ previousBrush = SelectObject(memoryDc, brush);
  Ellipse(memoryDc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  SelectObject(memoryDc, previousBrush);
  SelectObject(memoryDc, previousPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void Canvas::drawLine(int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, penWidth, canvasColour(penRed, penGreen, penBlue));
  HGDIOBJ previous = SelectObject(memoryDc, pen);
  MoveToEx(memoryDc, x1, y1, nullptr);
  LineTo(memoryDc, x2, y2);
  SelectObject(memoryDc, previous);
  DeleteObject(pen);
}

// A run of joined lines with the line's pen: each line leaves out its end point, which the
// next one paints first, so the picture is that of one drawLine per pair of points.
void Canvas::drawPolyline(const POINT* points, int count) {
  HPEN pen = CreatePen(PS_SOLID, penWidth, canvasColour(penRed, penGreen, penBlue));
  HGDIOBJ previous = SelectObject(memoryDc, pen);
  Polyline(memoryDc, points, count);
  SelectObject(memoryDc, previous);
  DeleteObject(pen);
}
