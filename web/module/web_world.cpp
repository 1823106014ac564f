// The world as the page drives it: the dialog's sixteen texts, one tick at a time, the dots of
// each frame and the About box's lines, all drawing from the one random source in this module;
// and what the page shows as the program does (default texts, the levels' names and colours,
// the simulation screen's layout), so that the page holds no copy of its own.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "about_line.h"
#include "dot_field.h"
#include "parameters.h"
#include "simulation_layout.h"
#include "species.h"
#include "world.h"

namespace {

char fieldTexts[kParameterFieldCount][kFieldTextBytes];

// The part of the canvas the dots can touch: the field plus the dot's own size. Nothing else
// of the simulation screen lies inside it, so the page puts it over a black frame as it is.
constexpr int kDotSize = 2;
constexpr int kDotAreaWidth = kDotFieldWidth - 1 + kDotSize;
constexpr int kDotAreaHeight = kDotFieldHeight - 1 + kDotSize;
uint32_t dotArea[kDotAreaWidth * kDotAreaHeight];  // RGBA bytes, as ImageData holds them

// A level's colour as a little-endian RGBA word, as ImageData holds it.
constexpr uint32_t dotColour(int k) {
  const SpeciesColour& c = kSpeciesColours[k];
  return 0xFF000000u | uint32_t(c.blue) << 16 | uint32_t(c.green) << 8 | uint32_t(c.red);
}

int dotsPainted = 0;

struct LayoutEntry {
  const char* name;
  int value;
};
const LayoutEntry kLayout[] = {
    {"legendX", kLegendX},
    {"legendNumberX", kLegendNumberX},
    {"legendTop", kLegendTop},
    {"legendLineHeight", kLegendLineHeight},
    {"legendFontHeight", kLegendFontHeight},
    {"dayCounterX", kDayCounterX},
    {"dayCounterY", kDayCounterY},
    {"dayCounterFontHeight", kDayCounterFontHeight},
    {"graphOriginX", kGraphOriginX},
    {"graphOriginY", kGraphOriginY},
    {"axisRight", kAxisRight},
    {"axisTop", kAxisTop},
};

int32_t aboutLine[8];

}  // namespace

extern "C" {

// Where the page writes field index's text (UTF-8, at most kFieldTextBytes bytes with
// terminator).
EMSCRIPTEN_KEEPALIVE char* webFieldBuffer(int index) {
  return fieldTexts[index];
}
EMSCRIPTEN_KEEPALIVE int webFieldBytes() {
  return kFieldTextBytes;
}
EMSCRIPTEN_KEEPALIVE int webFieldCount() {
  return kParameterFieldCount;
}
// The text the dialog opens with in field index (ASCII).
EMSCRIPTEN_KEEPALIVE const char* webDefaultFieldText(int index) {
  return kDefaultParameterTexts[index];
}

// How many levels there are, and level k's name (UTF-8) and colour (0xRRGGBB).
EMSCRIPTEN_KEEPALIVE int webSpeciesCount() {
  return kSpeciesCount;
}
EMSCRIPTEN_KEEPALIVE const char* webSpeciesName(int k) {
  return kSpeciesNames[k];
}
EMSCRIPTEN_KEEPALIVE int webSpeciesColour(int k) {
  const SpeciesColour& c = kSpeciesColours[k];
  return c.red << 16 | c.green << 8 | c.blue;
}

// The dialog's OK: store the fields, seed, and start counting days from zero.
EMSCRIPTEN_KEEPALIVE void webConfirmFields() {
  const char* texts[kParameterFieldCount];
  for (int i = 0; i < kParameterFieldCount; ++i) {
    fieldTexts[i][kFieldTextBytes - 1] = '\0';
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
    uint32_t colour = dotColour(k);
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

// Where the simulation screen draws its legend, day counter and graph (simulation_layout.h):
// entry i's name and value.
EMSCRIPTEN_KEEPALIVE int webLayoutCount() {
  return sizeof kLayout / sizeof kLayout[0];
}
EMSCRIPTEN_KEEPALIVE const char* webLayoutName(int i) {
  return kLayout[i].name;
}
EMSCRIPTEN_KEEPALIVE int webLayoutValue(int i) {
  return kLayout[i].value;
}
// The graph's y for a population.
EMSCRIPTEN_KEEPALIVE int webGraphY(int population) {
  return graphY(population);
}
EMSCRIPTEN_KEEPALIVE int webLastGraphSegment(int canvasWidth, int days) {
  return lastGraphSegment(canvasWidth, days);
}

// The About box's picture size, and its next frame: blue, green, red, pen width, then x1, y1,
// x2, y2.
EMSCRIPTEN_KEEPALIVE int webAboutPictureWidth() {
  return kAboutPictureWidth;
}
EMSCRIPTEN_KEEPALIVE int webAboutPictureHeight() {
  return kAboutPictureHeight;
}
EMSCRIPTEN_KEEPALIVE const int32_t* webAboutLine() {
  AboutLine line = nextAboutLine();
  aboutLine[0] = line.blue;
  aboutLine[1] = line.green;
  aboutLine[2] = line.red;
  aboutLine[3] = line.penWidth;
  aboutLine[4] = line.x1;
  aboutLine[5] = line.y1;
  aboutLine[6] = line.x2;
  aboutLine[7] = line.y2;
  return aboutLine;
}

}  // extern "C"
