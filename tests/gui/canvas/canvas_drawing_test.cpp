// Lines, rectangles, ellipses, clearing and the drawing attributes, read back from the
// canvas's memory DC.
#include "canvas_fixture.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(CanvasConstruction, StartsAtTheMainWindowSize) {
  Canvas fresh;
  EXPECT_EQ(fresh.canvasWidth(), 1200);
  EXPECT_EQ(fresh.canvasHeight(), 800);
  EXPECT_EQ(fresh.memoryDC(), nullptr);
  EXPECT_EQ(mainCanvas.canvasWidth(), 1200);
  EXPECT_EQ(mainCanvas.canvasHeight(), 800);
  EXPECT_EQ(aboutCanvas.canvasWidth(), 1200);
  EXPECT_EQ(aboutCanvas.canvasHeight(), 800);
}

using CanvasDrawingTest = CanvasTest;

TEST_F(CanvasDrawingTest, CreateTakesTheGivenSize) {
  EXPECT_EQ(canvas.canvasWidth(), kWidth);
  EXPECT_EQ(canvas.canvasHeight(), kHeight);
  BITMAP picture{};
  GetObjectA(GetCurrentObject(canvas.memoryDC(), OBJ_BITMAP), sizeof picture, &picture);
  EXPECT_EQ(picture.bmWidth, kWidth);
  EXPECT_EQ(picture.bmHeight, kHeight);
}

TEST_F(CanvasDrawingTest, DefaultsDrawRedWithAOnePixelPen) {
  canvas.drawRectangle(10, 10, 30, 20);
  EXPECT_EQ(pixel(10, 10), kRed);
  EXPECT_EQ(pixel(20, 15), kRed);
  EXPECT_EQ(pixel(11, 11), kRed);
  canvas.drawLine(40, 50, 80, 50);
  EXPECT_EQ(guitest::captureCanvas(canvas, RECT{40, 49, 80, 52}).count(kRed), 40);
}

TEST_F(CanvasDrawingTest, ClearsFillTheWholeCanvas) {
  canvas.clearWhite();
  EXPECT_EQ(all().count(RGB(255, 255, 255)), kWidth * kHeight);
  canvas.drawLine(0, 0, 100, 100);
  canvas.clearBlack();
  EXPECT_EQ(all().countNonBlack(), 0);
}

TEST_F(CanvasDrawingTest, ColoursUseTheLowEightBitsOfEachComponent) {
  canvas.setPen(1, 256 + 10, 512 + 20, -256 + 30);
  canvas.drawLine(10, 10, 60, 10);
  EXPECT_EQ(pixel(30, 10), RGB(10, 20, 30));

  canvas.setPen(1, 1, 2, 3);
  canvas.setBrush(256 + 40, 1024 + 50, -512 + 60);
  canvas.drawRectangle(10, 20, 40, 40);
  EXPECT_EQ(pixel(25, 30), RGB(40, 50, 60));
  EXPECT_EQ(pixel(10, 20), RGB(1, 2, 3));

  canvas.setBrush(-1, 255 + 256, 0);
  canvas.drawEllipse(RECT{60, 20, 100, 60});
  EXPECT_EQ(pixel(80, 40), RGB(255, 255, 0));

  EXPECT_EQ(canvasColour(256 + 10, 0, 0), RGB(10, 0, 0));
  EXPECT_EQ(canvasColour(-1, -256, 255 + 512), RGB(255, 0, 255));
}

TEST_F(CanvasDrawingTest, LineLeavesItsEndPointUnpainted) {
  const COLORREF green = RGB(0, 255, 0);
  canvas.setPen(1, 0, 255, 0);
  canvas.drawLine(10, 20, 30, 20);
  EXPECT_EQ(pixel(10, 20), green);
  EXPECT_EQ(pixel(29, 20), green);
  EXPECT_EQ(pixel(30, 20), kBlack);
  EXPECT_EQ(all().count(green), 20);

  canvas.clearBlack();
  canvas.drawLine(50, 5, 50, 25);
  EXPECT_EQ(pixel(50, 24), green);
  EXPECT_EQ(pixel(50, 25), kBlack);
  EXPECT_EQ(all().count(green), 20);

  canvas.clearBlack();
  canvas.drawLine(60, 60, 70, 70);
  EXPECT_EQ(pixel(60, 60), green);
  EXPECT_EQ(pixel(69, 69), green);
  EXPECT_EQ(pixel(70, 70), kBlack);
}

TEST_F(CanvasDrawingTest, PenWidthsZeroAndOneDrawOnePixelWide) {
  for (int width : {0, 1}) {
    SCOPED_TRACE(width);
    canvas.clearBlack();
    canvas.setPen(width, 255, 255, 255);
    canvas.drawLine(10, 40, 60, 40);
    RECT bounds = all().nonBlackBounds();
    EXPECT_EQ(bounds.top, 40);
    EXPECT_EQ(bounds.bottom, 41);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.right, 60);

    canvas.clearBlack();
    canvas.drawLine(100, 10, 100, 50);
    bounds = all().nonBlackBounds();
    EXPECT_EQ(bounds.right - bounds.left, 1);
    EXPECT_EQ(bounds.bottom - bounds.top, 40);

    canvas.clearBlack();
    canvas.drawRectangle(10, 10, 50, 50);
    // Pen outline one pixel all round, brush inside.
    EXPECT_EQ(pixel(11, 30), RGB(255, 0, 0));
    EXPECT_EQ(pixel(10, 30), RGB(255, 255, 255));
  }

  canvas.clearBlack();
  canvas.setPen(5, 255, 255, 255);
  canvas.drawLine(10, 40, 60, 40);
  RECT bounds = all().nonBlackBounds();
  EXPECT_GE(bounds.bottom - bounds.top, 4);
  EXPECT_LE(bounds.bottom - bounds.top, 6);
}

TEST_F(CanvasDrawingTest, RectangleHasPenOutlineAndBrushInside) {
  const COLORREF pen = RGB(0, 0, 255);
  const COLORREF brush = RGB(0, 200, 0);
  canvas.setPen(1, 0, 0, 255);
  canvas.setBrush(0, 200, 0);
  canvas.drawRectangle(10, 10, 40, 30);
  // Right and bottom are outside, as the platform draws rectangles.
  EXPECT_EQ(pixel(10, 10), pen);
  EXPECT_EQ(pixel(39, 29), pen);
  EXPECT_EQ(pixel(39, 10), pen);
  EXPECT_EQ(pixel(10, 29), pen);
  EXPECT_EQ(pixel(40, 30), kBlack);
  EXPECT_EQ(pixel(40, 20), kBlack);
  EXPECT_EQ(pixel(25, 30), kBlack);
  guitest::Pixels pixels = all();
  EXPECT_EQ(pixels.count(pen), 2 * 30 + 2 * 20 - 4);
  EXPECT_EQ(pixels.count(brush), 28 * 18);
  EXPECT_EQ(pixels.countNonBlack(), 30 * 20);
}

TEST_F(CanvasDrawingTest, EllipseFillsItsBoundsWithPenOutline) {
  const COLORREF pen = RGB(255, 255, 0);
  const COLORREF brush = RGB(0, 0, 200);
  canvas.setPen(1, 255, 255, 0);
  canvas.setBrush(0, 0, 200);
  canvas.drawEllipse(RECT{100, 10, 140, 50});
  EXPECT_EQ(pixel(120, 30), brush);
  EXPECT_EQ(pixel(120, 10), pen);
  EXPECT_EQ(pixel(100, 30), pen);
  EXPECT_EQ(pixel(100, 10), kBlack);
  EXPECT_EQ(pixel(139, 49), kBlack);
  guitest::Pixels pixels = all();
  RECT bounds = pixels.nonBlackBounds();
  EXPECT_EQ(bounds.left, 100);
  EXPECT_EQ(bounds.top, 10);
  EXPECT_EQ(bounds.right, 140);
  EXPECT_EQ(bounds.bottom, 50);
  // A disc of diameter 40 covers about pi / 4 of its square.
  EXPECT_NEAR(pixels.countNonBlack(), 1257, 60);
  EXPECT_EQ(pixels.countNonBlack(), pixels.count(pen) + pixels.count(brush));
}

TEST_F(CanvasDrawingTest, AttributeSettersDrawNothingAndOnlyAffectLaterCalls) {
  canvas.drawLine(10, 10, 50, 10);
  canvas.drawText(10, 20, "A");
  const guitest::Pixels before = all();
  ASSERT_GT(before.countNonBlack(), 40);
  const guitest::Pixels topBefore = guitest::captureCanvas(canvas, RECT{0, 0, kWidth, 50});

  canvas.setPen(3, 0, 255, 0);
  canvas.setBrush(0, 0, 255);
  canvas.setFont(30, 255, 255, 255);
  EXPECT_TRUE(all() == before);

  canvas.drawLine(10, 100, 50, 100);
  canvas.drawRectangle(100, 100, 120, 120);
  canvas.drawText(200, 100, "A");
  EXPECT_EQ(pixel(30, 100), RGB(0, 255, 0));
  EXPECT_EQ(pixel(30, 101), RGB(0, 255, 0));
  EXPECT_EQ(pixel(110, 110), RGB(0, 0, 255));
  EXPECT_GT(guitest::captureCanvas(canvas, RECT{200, 100, 240, 140}).count(RGB(255, 255, 255)), 0);
  // What was drawn before keeps its colours.
  EXPECT_TRUE(guitest::captureCanvas(canvas, RECT{0, 0, kWidth, 50}) == topBefore);
}

}  // namespace
