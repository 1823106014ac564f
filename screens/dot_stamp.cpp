#include "dot_stamp.h"

#include "dib_surface.h"

const char kDotGlyph[] = "●";

namespace {

// The probe: one square cell per grey level, the glyph drawn at the same place in each, with
// room around it for pixels that fall left of or above the point drawn at.
constexpr int kCell = 8;
constexpr int kGlyphInset = 2;
constexpr int kCellsPerRow = 16;
constexpr int kProbeSize = kCell * kCellsPerRow;  // 256 cells

uint32_t grey(int level) {
  uint32_t v = static_cast<uint32_t>(level);
  return v << 16 | v << 8 | v;
}

void fillCells(const DibSurface& probe) {
  for (int level = 0; level < 256; ++level) {
    int cellX = level % kCellsPerRow * kCell;
    int cellY = level / kCellsPerRow * kCell;
    for (int y = 0; y < kCell; ++y) {
      uint32_t* row = probe.row(cellY + y) + cellX;
      for (int x = 0; x < kCell; ++x) {
        row[x] = grey(level);
      }
    }
  }
}

// Reads one pixel position of the cells into tables; false when the glyph left it alone.
bool readTables(const DibSurface& probe, int cx, int cy, StampPixel& p) {
  bool touched = false;
  for (int level = 0; level < 256; ++level) {
    uint32_t after =
        probe.row(level / kCellsPerRow * kCell + cy)[level % kCellsPerRow * kCell + cx];
    p.red[level] = after & 0x00FF0000u;
    p.green[level] = after & 0x0000FF00u;
    p.blue[level] = after & 0x000000FFu;
    touched = touched || (after & 0x00FFFFFFu) != grey(level);
  }
  return touched;
}

void addToBounds(DotStamp& stamp, int dx, int dy) {
  if (stamp.pixels.empty()) {
    stamp.left = dx;
    stamp.top = dy;
    stamp.right = dx + 1;
    stamp.bottom = dy + 1;
    return;
  }
  stamp.left = dx < stamp.left ? dx : stamp.left;
  stamp.top = dy < stamp.top ? dy : stamp.top;
  stamp.right = dx + 1 > stamp.right ? dx + 1 : stamp.right;
  stamp.bottom = dy + 1 > stamp.bottom ? dy + 1 : stamp.bottom;
}

}  // namespace

bool measureDotStamp(const Canvas& canvas, DotStamp& stamp) {
  DibSurface probe(kProbeSize, kProbeSize);
  if (!probe.valid()) {
    return false;
  }
  fillCells(probe);
  for (int level = 0; level < 256; ++level) {
    canvas.drawTextOn(probe.dc(), level % kCellsPerRow * kCell + kGlyphInset,
                      level / kCellsPerRow * kCell + kGlyphInset, kDotGlyph);
  }
  GdiFlush();

  stamp = DotStamp();
  StampPixel p;
  for (int cy = 0; cy < kCell; ++cy) {
    for (int cx = 0; cx < kCell; ++cx) {
      if (readTables(probe, cx, cy, p)) {
        p.dx = cx - kGlyphInset;
        p.dy = cy - kGlyphInset;
        addToBounds(stamp, p.dx, p.dy);
        stamp.pixels.push_back(p);
      }
    }
  }
  return true;
}
