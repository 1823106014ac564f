// Pictures from bitmap files composed onto the canvas as (background OR image) AND mask.
#include "canvas_fixture.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

class CanvasImageTest : public CanvasTest {
 protected:
  void TearDown() override {
    for (const std::string& path : written) {
      std::remove(path.c_str());
    }
    CanvasTest::TearDown();
  }

  std::string writeBitmap(const char* name, int width, int height,
                          const std::vector<COLORREF>& colours) {
    std::string path = guitest::tempFilePath(name);
    EXPECT_TRUE(guitest::writeBitmapFile(path, width, height, colours));
    written.push_back(path);
    return path;
  }

  // A background of stripes so that "left as it was" is not the same as "cleared".
  void drawStripes() {
    for (int y = 0; y < kHeight; y += 4) {
      canvas.setPen(1, y, 255 - y, 128);
      canvas.drawLine(0, y, kWidth, y);
    }
  }

  std::vector<std::string> written;
};

// 6 x 4 pixels, every one different and none black or white.
std::vector<COLORREF> patternColours() {
  std::vector<COLORREF> colours;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      colours.push_back(RGB(20 + 30 * x, 40 + 50 * y, 200 - 10 * x - 20 * y));
    }
  }
  return colours;
}

TEST_F(CanvasImageTest, SameFileForMaskAndImageDrawsThePictureOpaque) {
  const std::vector<COLORREF> colours = patternColours();
  const std::string path = writeBitmap("opaque.bmp", 6, 4, colours);
  canvas.clearWhite();
  drawStripes();
  const guitest::Pixels before = all();

  canvas.drawMaskedImage(window, 30, 40, path.c_str(), path.c_str(), 6, 4);
  guitest::Pixels drawn = guitest::captureCanvas(canvas, RECT{30, 40, 36, 44});
  EXPECT_EQ(drawn.colours(), colours);

  // Nothing outside the picture's rectangle changed.
  guitest::Pixels after = all();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (x >= 30 && x < 36 && y >= 40 && y < 44) {
        continue;
      }
      ASSERT_EQ(after.at(x, y), before.at(x, y)) << x << "," << y;
    }
  }
}

TEST_F(CanvasImageTest, PictureIsScaledToTheGivenSize) {
  const std::string path = writeBitmap(
      "quarters.bmp", 2, 2, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)});
  canvas.drawMaskedImage(nullptr, 100, 50, path.c_str(), path.c_str(), 20, 30);
  // Scaling blends the colours in between; the corners keep the file's own pixels.
  EXPECT_EQ(pixel(100, 50), RGB(255, 0, 0));
  EXPECT_EQ(pixel(119, 50), RGB(0, 255, 0));
  EXPECT_EQ(pixel(100, 79), RGB(0, 0, 255));
  EXPECT_EQ(pixel(119, 79), RGB(255, 255, 0));
  guitest::Pixels pixels = all();
  RECT bounds = pixels.nonBlackBounds();
  EXPECT_EQ(bounds.left, 100);
  EXPECT_EQ(bounds.top, 50);
  EXPECT_EQ(bounds.right, 120);
  EXPECT_EQ(bounds.bottom, 80);
  EXPECT_EQ(pixels.countNonBlack(), 20 * 30);
}

TEST_F(CanvasImageTest, ImageIsOredIntoTheBackgroundThenMasked) {
  // Pixel by pixel: background | image, then & mask.
  const std::string image = writeBitmap(
      "image.bmp", 3, 1, {RGB(0x0C, 0x00, 0xC0), RGB(0x00, 0x00, 0x00), RGB(0xFF, 0xFF, 0xFF)});
  const std::string mask = writeBitmap(
      "mask.bmp", 3, 1, {RGB(0xFF, 0x0F, 0x00), RGB(0xFF, 0xFF, 0xFF), RGB(0x00, 0x00, 0x00)});
  canvas.setPen(1, 0x30, 0x30, 0x30);
  canvas.setBrush(0x30, 0x30, 0x30);
  canvas.drawRectangle(0, 0, 20, 20);

  canvas.drawMaskedImage(window, 5, 5, mask.c_str(), image.c_str(), 3, 1);
  EXPECT_EQ(pixel(5, 5), RGB(0x3C, 0x00, 0x00));
  EXPECT_EQ(pixel(6, 5), RGB(0x30, 0x30, 0x30));
  EXPECT_EQ(pixel(7, 5), RGB(0x00, 0x00, 0x00));
  EXPECT_EQ(pixel(8, 5), RGB(0x30, 0x30, 0x30));
}

TEST_F(CanvasImageTest, MissingFileLeavesTheAreaAsItWasAndTheFrameGoesOn) {
  const std::string present = writeBitmap("present.bmp", 6, 4, patternColours());
  const std::string missing = guitest::tempFilePath("missing.bmp");
  std::remove(missing.c_str());
  drawStripes();
  const guitest::Pixels before = all();

  canvas.drawMaskedImage(window, 30, 40, missing.c_str(), missing.c_str(), 89, 103);
  EXPECT_TRUE(all() == before);
  canvas.drawMaskedImage(window, 30, 40, missing.c_str(), present.c_str(), 6, 4);
  EXPECT_TRUE(all() == before);
  canvas.drawMaskedImage(window, 30, 40, present.c_str(), missing.c_str(), 6, 4);
  EXPECT_TRUE(all() == before);

  // Later drawing in the same frame still works, over the image area too.
  canvas.setPen(1, 255, 255, 255);
  canvas.drawLine(30, 42, 36, 42);
  canvas.setFont(15, 255, 255, 255);
  canvas.drawText(200, 100, "■");
  EXPECT_EQ(guitest::captureCanvas(canvas, RECT{30, 42, 36, 43}).count(RGB(255, 255, 255)), 6);
  EXPECT_GT(guitest::captureCanvas(canvas, RECT{200, 100, 215, 115}).count(RGB(255, 255, 255)), 20);
}

}  // namespace
