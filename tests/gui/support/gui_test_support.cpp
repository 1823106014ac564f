// Test windows and the message pump.
#include "gui_test_support.h"

#include <cstdio>

namespace guitest {

namespace {

// Without a window manager on the virtual display, a window at the screen's corner would have
// its frame drawn partly off-screen; keep every test window well inside.
constexpr int kWindowX = 40;
constexpr int kWindowY = 40;

const char* classFor(WNDPROC procedure) {
  static char name[64];
  std::snprintf(name, sizeof name, "VelmoriaTest%p", reinterpret_cast<void*>(procedure));
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass)) {
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
  }
  return name;
}

}  // namespace

HWND createWindow(int clientWidth, int clientHeight, WNDPROC procedure, const char* title) {
  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window =
      CreateWindowA(classFor(procedure), title, style, kWindowX, kWindowY, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  pumpMessages();
  return window;
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

POINT clientOrigin(HWND window) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return origin;
}

}  // namespace guitest
