// A picture from two bitmap files, composed as (background OR image) AND mask.
#include "canvas.h"

void Canvas::drawMaskedImage(HWND, int x, int y, const char* maskFile, const char* imageFile,
                             int width, int height) {
  HDC source = CreateCompatibleDC(memoryDc);
  const UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION;
  maskBitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, maskFile, IMAGE_BITMAP, width, height, flags));
  imageBitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, imageFile, IMAGE_BITMAP, width, height, flags));

  // With only one of the two pictures the area would end up neither the old background nor
  // the picture, so a file that does not load leaves the area as it was.
  if (maskBitmap != nullptr && imageBitmap != nullptr) {
    HGDIOBJ original = SelectObject(source, imageBitmap);
    BitBlt(memoryDc, x, y, width, height, source, 0, 0, SRCPAINT);
    SelectObject(source, maskBitmap);
    BitBlt(memoryDc, x, y, width, height, source, 0, 0, SRCAND);
    SelectObject(source, original);
  }

  if (imageBitmap != nullptr) {
    DeleteObject(imageBitmap);
    imageBitmap = nullptr;
  }
  if (maskBitmap != nullptr) {
    DeleteObject(maskBitmap);
    maskBitmap = nullptr;
  }
  DeleteDC(source);
}
