// Helpers for tests that run the program's window and drawing code under Wine on a virtual
// display and check what it drew.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Canvas;

namespace guitest {

// Colour that createWindow's windows paint their background with (the stock grey brush).
constexpr COLORREF kWindowBackground = RGB(128, 128, 128);

// A visible and painted top-level window (a borderless popup, never activated) whose client
// area is clientWidth x clientHeight, at a fixed place on the screen. Messages go to
// `procedure`; one window class is registered per procedure. Destroy it with DestroyWindow.
HWND createWindow(int clientWidth, int clientHeight, WNDPROC procedure = DefWindowProcA,
                  const char* title = "velmoria test");

// Dispatches every message waiting for this thread, including the WM_PAINT of windows with an
// update region, and returns when none is left.
void pumpMessages();

// Screen position of the client area's top-left corner.
POINT clientOrigin(HWND window);

// A copy of a rectangle of pixels, as COLORREF values (red | green << 8 | blue << 16).
class Pixels {
 public:
  Pixels() = default;
  Pixels(RECT area, std::vector<COLORREF> colours);

  int width() const { return area_.right - area_.left; }
  int height() const { return area_.bottom - area_.top; }
  // Pixel at (x, y) in the coordinates of the captured DC, which must lie inside the area.
  COLORREF at(int x, int y) const;
  int count(COLORREF colour) const;
  int countNonBlack() const;
  // Non-black pixels that have exactly this colour (a black colour counts nothing).
  int countNonBlack(COLORREF colour) const;
  // Smallest rectangle (right and bottom exclusive, DC coordinates) holding every non-black
  // pixel; empty (all zero) when there is none.
  RECT nonBlackBounds() const;
  const std::vector<COLORREF>& colours() const { return colours_; }

  bool operator==(const Pixels& other) const;
  bool operator!=(const Pixels& other) const { return !(*this == other); }

 private:
  RECT area_{};
  std::vector<COLORREF> colours_;
};

// Copies `area` of any DC through a 32-bit DIB.
Pixels capture(HDC dc, RECT area);
// From the canvas's memory DC (the whole canvas when no area is given).
Pixels captureCanvas(const Canvas& canvas);
Pixels captureCanvas(const Canvas& canvas, RECT area);
// From the window's client area as the window DC sees it.
Pixels captureClient(HWND window, RECT area);
// From the screen; `area` in client coordinates of `window`, so the result's at() takes
// client coordinates too.
Pixels captureScreen(HWND window, RECT area);

COLORREF canvasPixel(const Canvas& canvas, int x, int y);
COLORREF clientPixel(HWND window, int x, int y);
COLORREF screenPixel(int x, int y);

int countPixels(HDC dc, RECT area, COLORREF colour);
int countNonBlackPixels(HDC dc, RECT area);
int countNonBlackPixels(HDC dc, RECT area, COLORREF colour);

// Number of live GDI objects of this process (DCs, bitmaps, pens, brushes, fonts, regions,
// palettes, including the stock objects). Wine's GetGuiResources(GR_GDIOBJECTS) answers 0,
// so there this walks the GDI handle table instead. Compare counts taken in the same process.
int gdiObjectCount();
// The same, only objects of one GetObjectType type (OBJ_FONT, OBJ_PEN, OBJ_BRUSH,
// OBJ_BITMAP, OBJ_DC, OBJ_MEMDC, ...). Needs the handle table walk (Wine).
int gdiObjectCount(DWORD objectType);

// A path in the temporary folder unique to this process: <temp>\velmoria-<pid>-<name>.
std::string tempFilePath(const char* name);
// Writes a 24-bit Windows bitmap file; `colours` holds width x height COLORREFs, row by row
// from the top.
bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::vector<COLORREF>& colours);

// What a bitmap file holds. The colours, row by row from the top, are read for 24-bit
// uncompressed files only and are empty otherwise (as are all fields for a file that is no
// bitmap or cannot be read).
struct BitmapFile {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::vector<COLORREF> colours;
};
BitmapFile readBitmapFile(const std::string& path);

}  // namespace guitest
