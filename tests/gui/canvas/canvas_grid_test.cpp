// Grid helpers: the point test, cells under points, cell rectangles, and the grid lines as
// drawn pixels, including sides that do not divide evenly and grids with no bands at all.
#include "canvas_fixture.h"

#include <set>

namespace {

using CanvasGridTest = CanvasTest;

void expectCell(POINT cell, int col, int row) {
  EXPECT_EQ(cell.x, col);
  EXPECT_EQ(cell.y, row);
}

void expectRect(RECT rect, int left, int top, int right, int bottom) {
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right, right);
  EXPECT_EQ(rect.bottom, bottom);
}

TEST(GridPointInRect, AllFourEdgesAreInside) {
  Canvas canvas;
  EXPECT_TRUE(canvas.pointInRect(10, 20, 30, 40, 10, 20));
  EXPECT_TRUE(canvas.pointInRect(10, 20, 30, 40, 30, 20));
  EXPECT_TRUE(canvas.pointInRect(10, 20, 30, 40, 10, 40));
  EXPECT_TRUE(canvas.pointInRect(10, 20, 30, 40, 30, 40));
  EXPECT_TRUE(canvas.pointInRect(10, 20, 30, 40, 20, 30));
  EXPECT_FALSE(canvas.pointInRect(10, 20, 30, 40, 9, 30));
  EXPECT_FALSE(canvas.pointInRect(10, 20, 30, 40, 31, 30));
  EXPECT_FALSE(canvas.pointInRect(10, 20, 30, 40, 20, 19));
  EXPECT_FALSE(canvas.pointInRect(10, 20, 30, 40, 20, 41));
}

TEST(GridCellAtPoint, EvenBandsCountFromOneAndOwnTheirFarBoundary) {
  Canvas canvas;
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 25, 25), 1, 1);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 26, 26), 2, 2);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 0, 0), 0, 0);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 1, 1), 1, 1);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 100, 100), 4, 4);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 101, 50), 0, 2);
  // Rows and columns are counted separately, column first in the result.
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 4, 80, 30), 4, 2);
  expectCell(canvas.cellAtPoint(0, 0, 100, 50, 5, 2, 60, 11), 2, 2);
  // An offset rectangle counts from its own edges.
  expectCell(canvas.cellAtPoint(200, 100, 260, 130, 3, 6, 211, 111), 2, 2);
  expectCell(canvas.cellAtPoint(200, 100, 260, 130, 3, 6, 199, 99), 0, 0);
}

TEST(GridCellAtPoint, UnevenSideHasALastBandPastTheEdge) {
  Canvas canvas;
  expectCell(canvas.cellAtPoint(0, 0, 10, 10, 3, 3, 10, 10), 4, 4);
  expectCell(canvas.cellAtPoint(0, 0, 10, 10, 3, 3, 12, 12), 4, 4);
  expectCell(canvas.cellAtPoint(0, 0, 10, 10, 3, 3, 13, 13), 0, 0);
  expectCell(canvas.cellAtPoint(0, 0, 10, 10, 3, 3, 3, 4), 1, 2);
  expectCell(canvas.cellAtPoint(0, 0, 10, 10, 3, 3, 9, 7), 3, 3);
}

TEST(GridCellRect, GivesTheBandsOfRowAndColumn) {
  Canvas canvas;
  expectRect(canvas.cellRect(0, 0, 100, 100, 4, 4, 2, 3), 50, 25, 75, 50);
  expectRect(canvas.cellRect(0, 0, 100, 100, 4, 4, 1, 1), 0, 0, 25, 25);
  expectRect(canvas.cellRect(0, 0, 10, 10, 3, 3, 4, 4), 9, 9, 12, 12);
  expectRect(canvas.cellRect(0, 0, 10, 10, 3, 3, 5, 5), 0, 0, 0, 0);
  expectRect(canvas.cellRect(200, 100, 260, 130, 3, 6, 3, 1), 200, 120, 210, 130);
  // Only the missing index's pair is zero.
  expectRect(canvas.cellRect(0, 0, 100, 100, 4, 4, 0, 2), 25, 0, 50, 0);
  expectRect(canvas.cellRect(0, 0, 100, 100, 4, 4, 3, 9), 0, 50, 0, 75);
}

TEST(GridCellRect, CellsAndPointsAgree) {
  Canvas canvas;
  for (int row = 1; row <= 4; ++row) {
    for (int col = 1; col <= 4; ++col) {
      RECT cell = canvas.cellRect(0, 0, 10, 10, 3, 3, row, col);
      POINT inside = canvas.cellAtPoint(0, 0, 10, 10, 3, 3, cell.right, cell.bottom);
      EXPECT_EQ(inside.x, col);
      EXPECT_EQ(inside.y, row);
      POINT before = canvas.cellAtPoint(0, 0, 10, 10, 3, 3, cell.left, cell.top);
      EXPECT_EQ(before.x, col - 1);
      EXPECT_EQ(before.y, row - 1);
    }
  }
}

TEST(GridWithoutBands, PointsAndCellsGiveNoBand) {
  Canvas canvas;
  // Zero bands, negative bands, and more bands than pixels: no step to walk with.
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 0, 4, 30, 30), 2, 0);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, 4, 0, 30, 30), 0, 2);
  expectCell(canvas.cellAtPoint(0, 0, 10, 10, 20, 11, 5, 5), 0, 0);
  expectCell(canvas.cellAtPoint(0, 0, 100, 100, -2, -3, 30, 30), 0, 0);
  expectRect(canvas.cellRect(0, 0, 100, 100, 0, 4, 1, 2), 25, 0, 50, 0);
  expectRect(canvas.cellRect(0, 0, 100, 100, 4, 0, 1, 2), 0, 0, 0, 25);
  expectRect(canvas.cellRect(0, 0, 10, 10, 11, 20, 1, 1), 0, 0, 0, 0);
  expectRect(canvas.cellRect(0, 0, 100, 100, -1, -1, 1, 1), 0, 0, 0, 0);
  // An empty rectangle has no bands either.
  expectCell(canvas.cellAtPoint(5, 5, 5, 5, 1, 1, 5, 5), 0, 0);
  expectRect(canvas.cellRect(5, 5, 5, 5, 1, 1, 1, 1), 0, 0, 0, 0);
}

// Rows of the canvas that are painted all across left..right-1, and columns painted all
// down top..bottom-1.
std::set<int> fullRows(const guitest::Pixels& pixels, int left, int top, int right, int bottom) {
  std::set<int> rows;
  for (int y = top - 2; y <= bottom + 2; ++y) {
    bool full = true;
    for (int x = left; x < right; ++x) {
      full = full && pixels.at(x, y) != RGB(0, 0, 0);
    }
    if (full) {
      rows.insert(y);
    }
  }
  return rows;
}

std::set<int> fullColumns(const guitest::Pixels& pixels, int left, int top, int right, int bottom) {
  std::set<int> columns;
  for (int x = left - 2; x <= right + 2; ++x) {
    bool full = true;
    for (int y = top; y < bottom; ++y) {
      full = full && pixels.at(x, y) != RGB(0, 0, 0);
    }
    if (full) {
      columns.insert(x);
    }
  }
  return columns;
}

TEST_F(CanvasGridTest, EvenGridHasLinesOnEveryBoundaryAndBothFarEdges) {
  canvas.setPen(1, 0, 255, 0);
  canvas.drawGrid(20, 30, 30, 40, 4, 4);
  guitest::Pixels pixels = all();
  EXPECT_EQ(fullRows(pixels, 20, 30, 30, 40), (std::set<int>{30, 32, 34, 36, 38, 40}));
  EXPECT_EQ(fullColumns(pixels, 20, 30, 30, 40), (std::set<int>{20, 22, 24, 26, 28, 30}));
  // Drawn with the canvas pen, and the lines' end points are left out.
  EXPECT_EQ(pixel(25, 32), RGB(0, 255, 0));
  EXPECT_EQ(pixel(30, 40), RGB(0, 0, 0));
  EXPECT_EQ(pixel(21, 31), RGB(0, 0, 0));
  RECT bounds = pixels.nonBlackBounds();
  expectRect(bounds, 20, 30, 31, 41);
}

TEST_F(CanvasGridTest, UnevenGridStopsAtTheLastBoundaryInside) {
  canvas.setPen(1, 255, 255, 255);
  canvas.drawGrid(100, 50, 110, 60, 3, 3);
  guitest::Pixels pixels = all();
  EXPECT_EQ(fullRows(pixels, 100, 50, 110, 60), (std::set<int>{50, 53, 56, 59}));
  EXPECT_EQ(fullColumns(pixels, 100, 50, 110, 60), (std::set<int>{100, 103, 106, 109}));
  RECT bounds = pixels.nonBlackBounds();
  expectRect(bounds, 100, 50, 110, 60);

  // Rows and columns cut separately.
  canvas.clearBlack();
  canvas.drawGrid(0, 0, 12, 8, 2, 3);
  pixels = all();
  EXPECT_EQ(fullRows(pixels, 2, 2, 12, 8), (std::set<int>{0, 4, 8}));
  EXPECT_EQ(fullColumns(pixels, 2, 2, 12, 8), (std::set<int>{0, 4, 8, 12}));
}

TEST_F(CanvasGridTest, GridWithoutBandsDrawsNothing) {
  canvas.setPen(1, 255, 255, 255);
  canvas.drawGrid(0, 0, 10, 10, 0, 4);
  canvas.drawGrid(0, 0, 10, 10, 4, 0);
  canvas.drawGrid(0, 0, 10, 10, 0, 0);
  canvas.drawGrid(0, 0, 10, 10, 11, 2);
  canvas.drawGrid(0, 0, 10, 10, 2, 20);
  canvas.drawGrid(0, 0, 10, 10, -1, -1);
  canvas.drawGrid(50, 50, 50, 50, 1, 1);
  EXPECT_EQ(all().countNonBlack(), 0);

  // One band each way is still a grid: its outline, short of the far corner, where both last
  // lines end.
  canvas.drawGrid(0, 0, 10, 10, 1, 1);
  EXPECT_EQ(all().countNonBlack(), 4 * 10 - 1);
  EXPECT_EQ(pixel(10, 10), RGB(0, 0, 0));
}

// A side given from its far edge draws none of its own lines, but the other direction's lines
// still cross it; so does a side whose band count is negative.
TEST_F(CanvasGridTest, InvertedSideStillGetsTheOtherDirectionsLines) {
  struct Case {
    int left, top, right, bottom, rows, cols;
    RECT span;  // where the lines lie, right and bottom exclusive
    std::set<int> lineRows, lineColumns;
  } cases[] = {
      // Top below bottom: columns drawn upwards, short of the bottom edge given.
      {20, 60, 40, 30, 3, 2, {20, 31, 41, 61}, {}, {20, 30, 40}},
      // Left right of right: rows drawn leftwards.
      {60, 20, 30, 40, 2, 3, {31, 20, 61, 41}, {20, 30, 40}, {}},
      // Both inverted: no lines at all.
      {60, 60, 30, 30, 3, 3, {}, {}, {}},
      // Negative rows over an upright side: only the columns.
      {100, 100, 110, 110, -2, 2, {100, 100, 111, 110}, {}, {100, 105, 110}},
  };
  canvas.setPen(1, 255, 255, 255);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << "," << c.top << "," << c.right << "," << c.bottom
                                    << " bands " << c.rows << "x" << c.cols);
    canvas.clearBlack();
    canvas.drawGrid(c.left, c.top, c.right, c.bottom, c.rows, c.cols);
    guitest::Pixels pixels = all();
    const RECT& s = c.span;
    if (c.lineRows.empty() && c.lineColumns.empty()) {
      EXPECT_EQ(pixels.countNonBlack(), 0);
      continue;
    }
    EXPECT_EQ(fullRows(pixels, s.left, s.top, s.right, s.bottom), c.lineRows);
    EXPECT_EQ(fullColumns(pixels, s.left, s.top, s.right, s.bottom), c.lineColumns);
    expectRect(pixels.nonBlackBounds(), s.left, s.top, s.right, s.bottom);
  }
}

}  // namespace
