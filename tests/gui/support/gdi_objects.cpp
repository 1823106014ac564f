// Counting the process's GDI objects.
#include "gui_test_support.h"

#include <cstdint>

namespace guitest {

namespace {

// Wine keeps every GDI object of the process in one table of 65536 slots and accepts a handle
// whose upper 16 bits are zero as naming whatever object occupies that slot, so asking
// GetObjectType about each slot number counts the live objects.
int countHandleTable(DWORD objectType) {
  int count = 0;
  for (std::uint32_t slot = 1; slot <= 0xFFFF; ++slot) {
    DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(slot)));
    if (type != 0 && (objectType == 0 || type == objectType)) {
      ++count;
    }
  }
  return count;
}

}  // namespace

int gdiObjectCount() {
  DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) {
    return static_cast<int>(reported);
  }
  return countHandleTable(0);
}

int gdiObjectCount(DWORD objectType) {
  return countHandleTable(objectType);
}

}  // namespace guitest
