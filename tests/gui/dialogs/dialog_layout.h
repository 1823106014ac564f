// Checks of where a dialog put its controls, in dialog units as its template gives them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

namespace dialogtest {

inline RECT box(int x, int y, int width, int height) {
  return RECT{x, y, x + width, y + height};
}

inline RECT childRectInDialog(HWND dialog, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Position and size are converted from dialog units each on its own, as the dialog does.
inline void expectPlacedAt(HWND dialog, HWND child, RECT units) {
  RECT place = units;
  MapDialogRect(dialog, &place);
  RECT size{0, 0, units.right - units.left, units.bottom - units.top};
  MapDialogRect(dialog, &size);
  RECT actual = childRectInDialog(dialog, child);
  EXPECT_EQ(actual.left, place.left);
  EXPECT_EQ(actual.top, place.top);
  EXPECT_EQ(actual.right - actual.left, size.right);
  EXPECT_EQ(actual.bottom - actual.top, size.bottom);
}

}  // namespace dialogtest
