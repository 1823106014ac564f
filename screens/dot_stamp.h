// What one population dot does to the pixels under it. The dot is the glyph "●" drawn with
// the canvas's own text call at font height 2; its edges are anti-aliased, so what it leaves
// depends on what lies below. Drawing it once over every grey level tells, for each pixel it
// touches and each colour channel, what every value underneath turns into; applying those
// tables in memory then gives the very picture the text call would.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// The dot's text, in the program's code page.
extern const char kDotGlyph[];
constexpr int kDotFontHeight = 2;

struct StampPixel {
  int dx;  // from the point given to drawText
  int dy;
  // New channel values, already in place in a 0x00RRGGBB word, by the old channel value.
  uint32_t red[256];
  uint32_t green[256];
  uint32_t blue[256];
};

struct DotStamp {
  std::vector<StampPixel> pixels;  // only those the glyph changes
  int left = 0;                    // bounds of the pixels, relative like dx and dy,
  int top = 0;                     // right and bottom exclusive
  int right = 0;
  int bottom = 0;
};

// Learns the dot in the canvas's current font (set with setFont) by drawing it 256 times, as the
// canvas draws text, on a surface of its own: what the canvas holds and its size do not
// matter. False when there is no memory for that surface.
bool measureDotStamp(const Canvas& canvas, DotStamp& stamp);

// Applies the stamp to one 0x00RRGGBB pixel (the top byte is kept).
inline uint32_t stampPixel(const StampPixel& p, uint32_t below) {
  return (below & 0xFF000000u) | p.red[(below >> 16) & 0xFF] | p.green[(below >> 8) & 0xFF] |
         p.blue[below & 0xFF];
}
