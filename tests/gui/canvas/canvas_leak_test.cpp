// Every pen, brush, font and loaded bitmap lives only inside the call that made it, and a
// repeated create gives back the previous DC and bitmap: the process's GDI objects stay put
// however much is drawn.
#include "canvas_fixture.h"

#include <cstdio>
#include <string>

namespace {

using CanvasLeakTest = CanvasTest;

struct ObjectCounts {
  int all;
  int fonts;
  int pens;
  int brushes;
  int bitmaps;
  int dcs;
};

ObjectCounts countObjects() {
  return ObjectCounts{guitest::gdiObjectCount(),           guitest::gdiObjectCount(OBJ_FONT),
                      guitest::gdiObjectCount(OBJ_PEN),    guitest::gdiObjectCount(OBJ_BRUSH),
                      guitest::gdiObjectCount(OBJ_BITMAP), guitest::gdiObjectCount(OBJ_MEMDC)};
}

void expectSameCounts(const ObjectCounts& before, const ObjectCounts& after) {
  EXPECT_EQ(after.all, before.all);
  EXPECT_EQ(after.fonts, before.fonts);
  EXPECT_EQ(after.pens, before.pens);
  EXPECT_EQ(after.brushes, before.brushes);
  EXPECT_EQ(after.bitmaps, before.bitmaps);
  EXPECT_EQ(after.dcs, before.dcs);
}

// The objects selected into the memory DC; a call that deletes its own object without
// selecting the old one back would leave them changed.
struct Selection {
  HGDIOBJ font, pen, brush, bitmap;
  bool operator==(const Selection& o) const {
    return font == o.font && pen == o.pen && brush == o.brush && bitmap == o.bitmap;
  }
};

Selection selectedIn(HDC dc) {
  return Selection{GetCurrentObject(dc, OBJ_FONT), GetCurrentObject(dc, OBJ_PEN),
                   GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_BITMAP)};
}

TEST_F(CanvasLeakTest, DrawingCallsLeaveNoObjectsBehind) {
  const std::string picture = guitest::tempFilePath("leak.bmp");
  ASSERT_TRUE(guitest::writeBitmapFile(picture, 2, 1, {RGB(1, 2, 3), RGB(4, 5, 6)}));
  const std::string missing = guitest::tempFilePath("no-such-picture.bmp");

  const ObjectCounts before = countObjects();
  const Selection selected = selectedIn(canvas.memoryDC());
  for (int i = 0; i < 2000; ++i) {
    canvas.setFont(2 + i % 20, i, 255 - i, 7);
    canvas.setPen(i % 4, i, i * 3, 255);
    canvas.setBrush(i * 5, 9, i);
    canvas.drawText(i % kWidth, i % kHeight, "●");
    canvas.drawLine(0, i % kHeight, kWidth, i % kHeight);
    canvas.drawRectangle(i % 100, i % 50, i % 100 + 20, i % 50 + 20);
    canvas.drawEllipse(RECT{i % 100, i % 50, i % 100 + 30, i % 50 + 10});
    canvas.drawGrid(0, 0, 100, 100, 1 + i % 10, 1 + i % 7);
    if (i % 10 == 0) {
      canvas.drawMaskedImage(window, 5, 5, picture.c_str(), picture.c_str(), 20, 20);
      canvas.drawMaskedImage(window, 5, 5, missing.c_str(), missing.c_str(), 20, 20);
      canvas.drawMaskedImage(window, 5, 5, picture.c_str(), missing.c_str(), 20, 20);
      canvas.clearWhite();
      canvas.clearBlack();
    }
  }
  EXPECT_TRUE(selectedIn(canvas.memoryDC()) == selected);
  expectSameCounts(before, countObjects());
  std::remove(picture.c_str());
}

TEST_F(CanvasLeakTest, EachDrawingCallDeselectsWhatItMade) {
  const std::string picture = guitest::tempFilePath("select.bmp");
  ASSERT_TRUE(guitest::writeBitmapFile(picture, 1, 1, {RGB(9, 9, 9)}));
  HDC dc = canvas.memoryDC();
  const Selection selected = selectedIn(dc);
  const ObjectCounts before = countObjects();

  canvas.drawText(10, 10, "A");
  EXPECT_TRUE(selectedIn(dc) == selected);
  canvas.drawLine(0, 0, 10, 10);
  EXPECT_TRUE(selectedIn(dc) == selected);
  canvas.drawRectangle(0, 0, 10, 10);
  EXPECT_TRUE(selectedIn(dc) == selected);
  canvas.drawEllipse(RECT{0, 0, 10, 10});
  EXPECT_TRUE(selectedIn(dc) == selected);
  canvas.drawGrid(0, 0, 10, 10, 2, 2);
  EXPECT_TRUE(selectedIn(dc) == selected);
  canvas.drawMaskedImage(window, 0, 0, picture.c_str(), picture.c_str(), 4, 4);
  EXPECT_TRUE(selectedIn(dc) == selected);
  expectSameCounts(before, countObjects());
  std::remove(picture.c_str());
}

TEST_F(CanvasLeakTest, RepeatedCreateReleasesThePreviousDcAndBitmap) {
  HDC firstDc = canvas.memoryDC();
  HGDIOBJ firstBitmap = GetCurrentObject(firstDc, OBJ_BITMAP);
  ASSERT_EQ(GetObjectType(firstDc), static_cast<DWORD>(OBJ_MEMDC));
  ASSERT_EQ(GetObjectType(firstBitmap), static_cast<DWORD>(OBJ_BITMAP));
  const ObjectCounts before = countObjects();

  canvas.create(window, 500, 100);
  EXPECT_EQ(GetObjectType(firstDc), 0u);
  EXPECT_EQ(GetObjectType(firstBitmap), 0u);
  expectSameCounts(before, countObjects());

  for (int i = 0; i < 1000; ++i) {
    canvas.create(window, 500, 100);
    canvas.clearBlack();
    canvas.drawText(10, 10, "GAME OVER");
  }
  expectSameCounts(before, countObjects());

  // The newest canvas is whole and drawable.
  EXPECT_EQ(canvas.canvasWidth(), 500);
  canvas.clearWhite();
  EXPECT_EQ(guitest::captureCanvas(canvas).count(RGB(255, 255, 255)), 500 * 100);
}

TEST_F(CanvasLeakTest, CreateOnAFreshCanvasMakesExactlyADcAndABitmap) {
  Canvas fresh;
  const ObjectCounts before = countObjects();
  fresh.create(window, 64, 32);
  const ObjectCounts after = countObjects();
  EXPECT_EQ(after.all, before.all + 2);
  EXPECT_EQ(after.dcs, before.dcs + 1);
  EXPECT_EQ(after.bitmaps, before.bitmaps + 1);

  HDC memory = fresh.memoryDC();
  HGDIOBJ picture = GetCurrentObject(memory, OBJ_BITMAP);
  DeleteDC(memory);
  DeleteObject(picture);
  expectSameCounts(before, countObjects());
}

}  // namespace
