// Geometry of a rectangle cut into equal bands, counted from its top and left edges. When a
// side does not divide evenly the last band reaches past the edge.
#include "canvas.h"

namespace {

// Width of one band, or 0 when the side cannot be cut into that many bands (zero or negative
// bands, or more bands than pixels), where walking the bands would never end.
int bandStep(int from, int to, int bands) {
  if (bands <= 0) {
    return 0;
  }
  int step = (to - from) / bands;
  return step > 0 ? step : 0;
}

// 1-based number of the band with start < value <= start + step, or 0.
int bandAt(int from, int to, int step, int value) {
  if (step == 0) {
    return 0;
  }
  int number = 1;
  for (int start = from; start < to; start += step, ++number) {
    if (start < value && value <= start + step) {
      return number;
    }
  }
  return 0;
}

// Start and end of band `number` (1-based), or (0, 0) when there is no such band.
void bandBounds(int from, int to, int step, int number, LONG& start, LONG& end) {
  start = 0;
  end = 0;
  if (step == 0) {
    return;
  }
  int n = 1;
  for (int m = from; m < to; m += step, ++n) {
    if (n == number) {
      start = m;
      end = m + step;
      return;
    }
  }
}

}  // namespace

bool Canvas::pointInRect(int left, int top, int right, int bottom, int x, int y) {
  return left <= x && x <= right && top <= y && y <= bottom;
}

void Canvas::drawGrid(int left, int top, int right, int bottom, int rows, int cols) {
  if (rows == 0 || cols == 0) {
    return;
  }
  // Unlike the cell helpers, the lines keep a negative step. A side given from its far edge
  // (top below bottom, or left right of right) has no lines of its own, but the other
  // direction's lines still run across it; only a zero step, which never moves, draws nothing.
  const int rowStep = (bottom - top) / rows;
  const int colStep = (right - left) / cols;
  if (rowStep == 0 || colStep == 0) {
    return;
  }
  HPEN pen = CreatePen(PS_SOLID, penWidth, canvasColour(penRed, penGreen, penBlue));
  HGDIOBJ previous = SelectObject(memoryDc, pen);
  // A negative step over a side that is not inverted (a negative band count) would walk away
  // from the far edge for ever: those lines are left out.
  for (int y = top; rowStep > 0 && y <= bottom; y += rowStep) {
    MoveToEx(memoryDc, left, y, nullptr);
    LineTo(memoryDc, right, y);
  }
  for (int x = left; colStep > 0 && x <= right; x += colStep) {
    MoveToEx(memoryDc, x, top, nullptr);
    LineTo(memoryDc, x, bottom);
  }
  SelectObject(memoryDc, previous);
  DeleteObject(pen);
}

POINT Canvas::cellAtPoint(int left, int top, int right, int bottom, int rows, int cols, int x,
                          int y) {
  POINT cell;
  cell.x = bandAt(left, right, bandStep(left, right, cols), x);
  cell.y = bandAt(top, bottom, bandStep(top, bottom, rows), y);
  return cell;
}

RECT Canvas::cellRect(int left, int top, int right, int bottom, int rows, int cols, int row,
                      int col) {
  RECT cell;
  bandBounds(top, bottom, bandStep(top, bottom, rows), row, cell.top, cell.bottom);
  bandBounds(left, right, bandStep(left, right, cols), col, cell.left, cell.right);
  return cell;
}
