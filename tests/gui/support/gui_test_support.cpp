// Test windows and the message pump.
#include "gui_test_support.h"

#include <cstdio>

namespace guitest {

namespace {

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
  // Wine waits two seconds for a window manager to withdraw a managed window when it is hidden
  // or destroyed, and the virtual display has none. A borderless popup that is never activated
  // stays unmanaged, so tests can make and destroy windows freely.
  HWND window = CreateWindowA(classFor(procedure), title, WS_POPUP, kWindowX, kWindowY, clientWidth,
                              clientHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
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
