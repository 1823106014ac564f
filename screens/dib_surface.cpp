#include "dib_surface.h"

namespace {
bool failForTests = false;
}  // namespace

void failDibSurfacesForTests(bool fail) {
  failForTests = fail;
}

DibSurface::DibSurface(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  if (!failForTests) {
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (bitmap_ != nullptr) {
    dc_ = CreateCompatibleDC(nullptr);
  }
  if (dc_ == nullptr) {
    return;  // not valid: no pixels
  }
  pixels_ = static_cast<uint32_t*>(bits);
  previousBitmap_ = SelectObject(dc_, bitmap_);
}

DibSurface::~DibSurface() {
  if (dc_ != nullptr) {
    SelectObject(dc_, previousBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) {
    DeleteObject(bitmap_);
  }
}

void DibSurface::copyFrom(HDC source, int sourceX, int sourceY) {
  BitBlt(dc_, 0, 0, width_, height_, source, sourceX, sourceY, SRCCOPY);
  GdiFlush();
}

void DibSurface::copyTo(HDC target, int targetX, int targetY) const {
  BitBlt(target, targetX, targetY, width_, height_, dc_, 0, 0, SRCCOPY);
}
