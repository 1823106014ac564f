#include "dot_painter.h"

#include <algorithm>

#include "dib_surface.h"
#include "dot_field.h"
#include "dot_stamp.h"
#include "species.h"

namespace {

void setDotFont(Canvas& canvas, int k) {
  const SpeciesColour& c = kSpeciesColours[k];
  canvas.setFont(kDotFontHeight, c.red, c.green, c.blue);
}

// Measuring a dot takes 256 text calls, so each colour is measured once and kept.
struct KnownStamp {
  bool measured = false;
  COLORREF colour = 0;
  DotStamp stamp;
};
KnownStamp knownStamps[kSpeciesCount];

// The dot of level k in the canvas's current font, or nullptr when it cannot be measured.
const DotStamp* stampFor(const Canvas& canvas, int k) {
  const SpeciesColour& c = kSpeciesColours[k];
  COLORREF colour = canvasColour(c.red, c.green, c.blue);
  KnownStamp& known = knownStamps[k];
  if (!known.measured || known.colour != colour) {
    if (!measureDotStamp(canvas, known.stamp)) {
      known.measured = false;
      return nullptr;
    }
    known.colour = colour;
    known.measured = true;
  }
  return &known.stamp;
}

}  // namespace

void forgetMeasuredDots() {
  for (KnownStamp& known : knownStamps) {
    known.measured = false;
  }
}

namespace {

// The part of the canvas any dot can reach.
RECT fieldArea(const Canvas& canvas, const DotStamp* const stamps[]) {
  RECT area{kDotFieldWidth, kDotFieldTop + kDotFieldHeight, 0, kDotFieldTop};
  for (int k = 0; k < kSpeciesCount; ++k) {
    const DotStamp& s = *stamps[k];
    if (s.pixels.empty()) {
      continue;
    }
    area.left = std::min<LONG>(area.left, s.left);
    area.top = std::min<LONG>(area.top, kDotFieldTop + s.top);
    area.right = std::max<LONG>(area.right, kDotFieldWidth - 1 + s.right);
    area.bottom = std::max<LONG>(area.bottom, kDotFieldTop + kDotFieldHeight - 1 + s.bottom);
  }
  area.left = std::max<LONG>(area.left, 0);
  area.top = std::max<LONG>(area.top, 0);
  area.right = std::min<LONG>(area.right, canvas.canvasWidth());
  area.bottom = std::min<LONG>(area.bottom, canvas.canvasHeight());
  return area;
}

}  // namespace

void paintDotsPerCall(Canvas& canvas, const World& w) {
  scatterDots(w, [&](int k, int x, int y) {
    setDotFont(canvas, k);
    canvas.drawText(x, y, kDotGlyph);
  });
  // The font of the last level stays set, whether or not it had a dot.
  setDotFont(canvas, kSpeciesCount - 1);
}

void paintDots(Canvas& canvas, const World& w) {
  const DotStamp* stamps[kSpeciesCount];
  for (int k = 0; k < kSpeciesCount; ++k) {
    setDotFont(canvas, k);
    stamps[k] = stampFor(canvas, k);
    if (stamps[k] == nullptr) {
      paintDotsPerCall(canvas, w);  // no memory to measure with: the slow way, this frame
      return;
    }
  }
  RECT area = fieldArea(canvas, stamps);
  if (area.right <= area.left || area.bottom <= area.top) {
    scatterDots(w, [](int, int, int) {});
    return;
  }

  DibSurface field(area.right - area.left, area.bottom - area.top);
  if (!field.valid()) {
    paintDotsPerCall(canvas, w);  // no memory to compose in: the slow way, this frame
    return;
  }
  field.copyFrom(canvas.memoryDC(), area.left, area.top);
  const int width = field.width();
  const int height = field.height();
  uint32_t* pixels = field.pixels();
  scatterDots(w, [&](int k, int x, int y) {
    int fx = x - area.left;
    int fy = y - area.top;
    for (const StampPixel& p : stamps[k]->pixels) {
      int px = fx + p.dx;
      int py = fy + p.dy;
      if (px >= 0 && px < width && py >= 0 && py < height) {
        uint32_t& below = pixels[py * width + px];
        below = stampPixel(p, below);
      }
    }
  });
  field.copyTo(canvas.memoryDC(), area.left, area.top);
}
