// Tells a script where a window of the program sits on the screen, as Wine places it:
//   window_probe <class name>   prints "left top width height" of its client area
// and exits with 1 when no such window is there.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  if (window == nullptr || !IsWindowVisible(window)) {
    return 1;
  }
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  return 0;
}
