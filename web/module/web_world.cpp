// The world as the page drives it: the dialog's sixteen texts, one tick at a time, the dots of
// each frame and the About box's lines, all drawing from the one random source in this module.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "dot_field.h"
#include "parameters.h"
#include "random_source.h"
#include "world.h"

namespace {

// The dialog reads each edit into a buffer of this many bytes, terminator included.
constexpr int kFieldBytes = 200;
char fieldTexts[kParameterFieldCount][kFieldBytes];

// The part of the canvas the dots can touch: the field plus the dot's own size. Nothing else
// of the simulation screen lies inside it, so the page puts it over a black frame as it is.
constexpr int kDotSize = 2;
constexpr int kDotAreaWidth = kDotFieldWidth - 1 + kDotSize;
constexpr int kDotAreaHeight = kDotFieldHeight - 1 + kDotSize;
uint32_t dotArea[kDotAreaWidth * kDotAreaHeight];  // RGBA bytes, as ImageData holds them

// The species' colours as little-endian RGBA words: red, magenta, yellow, green.
constexpr uint32_t kDotColours[kSpeciesCount] = {0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu,
                                                 0xFF00FF00u};

int dotsPainted = 0;

int32_t aboutLine[8];

}  // namespace

extern "C" {

// Where the page writes field index's text (UTF-8, at most kFieldBytes bytes with terminator).
EMSCRIPTEN_KEEPALIVE char* webFieldBuffer(int index) {
  return fieldTexts[index];
}
EMSCRIPTEN_KEEPALIVE int webFieldBytes() {
  return kFieldBytes;
}

// The dialog's OK: store the fields, seed, and start counting days from zero.
EMSCRIPTEN_KEEPALIVE void webConfirmFields() {
  const char* texts[kParameterFieldCount];
  for (int i = 0; i < kParameterFieldCount; ++i) {
    fieldTexts[i][kFieldBytes - 1] = '\0';
    texts[i] = fieldTexts[i];
  }
  storeParameterTexts(world, texts);
  seedWorld();
  dayCount = 0;
}

// One day of the running game; returns the day's number, counted from 1.
EMSCRIPTEN_KEEPALIVE int webStepDay() {
  stepWorld();
  dayCount += 1;
  return dayCount;
}

EMSCRIPTEN_KEEPALIVE int webPopulation(int species) {
  return world.species[species].population;
}
EMSCRIPTEN_KEEPALIVE int webGameOver() {
  return anySpeciesExtinct(world) ? 1 : 0;
}
// The history table: kSpeciesCount rows of kHistoryDays values.
EMSCRIPTEN_KEEPALIVE const int32_t* webHistory() {
  return &world.history[0][0];
}
EMSCRIPTEN_KEEPALIVE int webHistoryDays() {
  return kHistoryDays;
}

// Scatters this frame's dots into the dot area (black where there is none, later dots over
// earlier ones) and returns it; its size and place come from webDotArea*.
EMSCRIPTEN_KEEPALIVE const uint32_t* webPaintDots() {
  const uint32_t black = 0xFF000000u;
  for (uint32_t& p : dotArea) {
    p = black;
  }
  dotsPainted = 0;
  scatterDots(world, [](int k, int x, int y) {
    dotsPainted += 1;
    uint32_t colour = kDotColours[k];
    uint32_t* row = dotArea + (y - kDotFieldTop) * kDotAreaWidth + x;
    for (int dy = 0; dy < kDotSize; ++dy, row += kDotAreaWidth) {
      for (int dx = 0; dx < kDotSize; ++dx) {
        row[dx] = colour;
      }
    }
  });
  return dotArea;
}
EMSCRIPTEN_KEEPALIVE int webDotsPainted() {
  return dotsPainted;
}
EMSCRIPTEN_KEEPALIVE int webDotAreaWidth() {
  return kDotAreaWidth;
}
EMSCRIPTEN_KEEPALIVE int webDotAreaHeight() {
  return kDotAreaHeight;
}
EMSCRIPTEN_KEEPALIVE int webDotAreaTop() {
  return kDotFieldTop;
}

// One frame of the About box: blue, green, red, pen width, then x1, y1, x2, y2, drawn in the
// order the box draws them.
EMSCRIPTEN_KEEPALIVE const int32_t* webAboutLine() {
  int32_t& blue = aboutLine[0];
  int32_t& green = aboutLine[1];
  int32_t& red = aboutLine[2];
  int32_t& width = aboutLine[3];
  blue = randomNext() % 256;
  green = randomNext() % 256;
  red = randomNext() % 256;
  width = randomNext() % 20;
  int32_t& x1 = aboutLine[4];
  int32_t& y1 = aboutLine[5];
  int32_t& x2 = aboutLine[6];
  int32_t& y2 = aboutLine[7];
  y2 = randomNext() % 100;
  x2 = randomNext() % 500;
  y1 = randomNext() % 100;
  x1 = randomNext() % 500;
  return aboutLine;
}

}  // extern "C"
