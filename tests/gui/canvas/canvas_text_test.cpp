// Text through the canvas: Shift-JIS strings in the Japanese Gothic face, the text colour,
// a transparent background, and the tiny glyphs the simulation's dots are made of.
#include "canvas_fixture.h"

namespace {

using CanvasTextTest = CanvasTest;

// Every non-black pixel is a shade of `colour` over black: no other hue shows.
bool onlyShadesOf(const guitest::Pixels& pixels, COLORREF colour) {
  for (COLORREF c : pixels.colours()) {
    for (int shift : {0, 8, 16}) {
      if (((colour >> shift) & 0xFF) == 0 && ((c >> shift) & 0xFF) != 0) {
        return false;
      }
    }
  }
  return true;
}

TEST_F(CanvasTextTest, TextSitsInItsCellInTheTextColourOverWhatWasThere) {
  canvas.setBrush(0, 0, 255);
  canvas.setPen(1, 0, 0, 255);
  canvas.drawRectangle(100, 100, 160, 140);

  canvas.setFont(15, 255, 255, 0);
  canvas.drawText(20, 30, "■");
  // The square, apart from the blue rectangle, lies inside the 15-pixel cell from (20, 30).
  guitest::Pixels pixels = guitest::captureCanvas(canvas, RECT{0, 0, 100, 100});
  RECT bounds = pixels.nonBlackBounds();
  EXPECT_GE(bounds.left, 20);
  EXPECT_GE(bounds.top, 30);
  EXPECT_LE(bounds.right, 20 + 15);
  EXPECT_LE(bounds.bottom, 30 + 15);
  EXPECT_GE(bounds.right - bounds.left, 8);
  EXPECT_GE(bounds.bottom - bounds.top, 8);
  EXPECT_EQ(pixels.at((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2),
            RGB(255, 255, 0));
  // A transparent background: no cell filled in the DC's white background colour.
  EXPECT_TRUE(onlyShadesOf(pixels, RGB(255, 255, 0)));
  EXPECT_EQ(pixels.count(RGB(255, 255, 255)), 0);

  // Over the blue rectangle the cell's corners keep the blue.
  canvas.setFont(15, 255, 0, 0);
  canvas.drawText(110, 110, "■");
  EXPECT_EQ(pixel(110, 110), RGB(0, 0, 255));
  EXPECT_EQ(pixel(124, 124), RGB(0, 0, 255));
  EXPECT_EQ(pixel(117, 117), RGB(255, 0, 0));
}

TEST_F(CanvasTextTest, ShiftJisTextComesOutAsJapaneseGlyphs) {
  // A filled and a hollow circle: read as anything but Shift-JIS the two byte pairs would not
  // give one round glyph each with the centre filled and empty.
  canvas.setFont(15, 255, 255, 255);
  canvas.drawText(20, 20, "●");
  canvas.drawText(60, 20, "○");
  guitest::Pixels disc = guitest::captureCanvas(canvas, RECT{10, 10, 50, 50});
  guitest::Pixels ring = guitest::captureCanvas(canvas, RECT{50, 10, 90, 50});
  RECT discBounds = disc.nonBlackBounds();
  RECT ringBounds = ring.nonBlackBounds();
  ASSERT_GT(disc.countNonBlack(), 0);
  ASSERT_GT(ring.countNonBlack(), 0);
  const int discWidth = discBounds.right - discBounds.left;
  const int discHeight = discBounds.bottom - discBounds.top;
  EXPECT_GE(discWidth, 8);
  EXPECT_LE(discWidth, 15);
  EXPECT_NEAR(discWidth, discHeight, 1);
  EXPECT_EQ(
      disc.at((discBounds.left + discBounds.right) / 2, (discBounds.top + discBounds.bottom) / 2),
      RGB(255, 255, 255));
  EXPECT_EQ(disc.at(discBounds.left, discBounds.top), RGB(0, 0, 0));
  EXPECT_NEAR(ringBounds.right - ringBounds.left, discWidth, 1);
  EXPECT_EQ(
      ring.at((ringBounds.left + ringBounds.right) / 2, (ringBounds.top + ringBounds.bottom) / 2),
      RGB(0, 0, 0));

  // Two full-width characters take about twice the font height; their four bytes read
  // as four narrow characters would not.
  canvas.clearBlack();
  canvas.drawText(20, 20, "記録");
  guitest::Pixels word = all();
  RECT wordBounds = word.nonBlackBounds();
  EXPECT_GE(wordBounds.right - wordBounds.left, 24);
  EXPECT_LE(wordBounds.right, 20 + 30);
  EXPECT_LE(wordBounds.bottom, 20 + 15);
}

TEST_F(CanvasTextTest, HeightTwoMakesATinyDot) {
  canvas.setFont(2, 0, 255, 0);
  canvas.drawText(50, 60, "●");
  guitest::Pixels pixels = all();
  ASSERT_GT(pixels.countNonBlack(), 0);
  RECT bounds = pixels.nonBlackBounds();
  EXPECT_GE(bounds.left, 50);
  EXPECT_GE(bounds.top, 60);
  EXPECT_LE(bounds.right - bounds.left, 3);
  EXPECT_LE(bounds.bottom - bounds.top, 3);
  EXPECT_TRUE(onlyShadesOf(pixels, RGB(0, 255, 0)));
}

TEST_F(CanvasTextTest, FontHeightSetsTheGlyphSize) {
  canvas.setFont(12, 255, 255, 255);
  canvas.drawText(10, 10, "■");
  canvas.setFont(40, 255, 255, 255);
  canvas.drawText(100, 10, "■");
  RECT small = guitest::captureCanvas(canvas, RECT{0, 0, 90, 90}).nonBlackBounds();
  RECT large = guitest::captureCanvas(canvas, RECT{90, 0, 200, 90}).nonBlackBounds();
  EXPECT_LE(small.bottom - small.top, 12);
  EXPECT_GT(large.bottom - large.top, 24);
  EXPECT_LE(large.bottom - large.top, 40);
  EXPECT_LE(large.bottom, 10 + 40);
}

}  // namespace
