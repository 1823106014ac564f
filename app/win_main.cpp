// The program's entry: load the names, make the window, run the message loop.
#include <windows.h>

#include "main_window.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  LoadStringA(instance, IDS_APP_TITLE, appTitle, sizeof(appTitle));
  LoadStringA(instance, IDC_VELMORIA, appClassName, sizeof(appClassName));
  registerMainClass(instance);
  if (!createMainWindow(instance, showCommand)) {
    return 0;
  }
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_VELMORIA));

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0)) {
    if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
