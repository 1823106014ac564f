// A 32-bit top-down DIB section with its own memory DC, for reading and writing pixels of a
// canvas directly. Lives only as long as the drawing operation that makes it. Making one can
// fail (out of memory or GDI objects): valid() tells, and a surface that is not has no pixels.
#pragma once

#include <windows.h>

#include <cstdint>

class DibSurface {
 public:
  DibSurface(int width, int height);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  bool valid() const { return pixels_ != nullptr; }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixels as 0x00RRGGBB words, row by row from the top. Call GdiFlush() after GDI drew
  // into the surface and before reading them.
  uint32_t* pixels() const { return pixels_; }
  uint32_t* row(int y) const { return pixels_ + static_cast<ptrdiff_t>(y) * width_; }

  // Copies a block between this surface and another DC, both at their own coordinates.
  void copyFrom(HDC source, int sourceX, int sourceY);
  void copyTo(HDC target, int targetX, int targetY) const;

 private:
  int width_;
  int height_;
  uint32_t* pixels_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
};

// For tests: while set, every surface made fails as when the system has no memory left.
void failDibSurfacesForTests(bool fail);
