// The main window: its class, creation and window procedure, and the timer tick.
#include "main_window.h"

#include "about_box.h"
#include "canvas.h"
#include "parameter_dialog.h"
#include "resource.h"
#include "simulation_screen.h"
#include "title_screen.h"
#include "world.h"

int GameMode = Title;
RECT startButtonRect;
HINSTANCE appInstance;
char appTitle[100];
char appClassName[100];

void registerMainClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELMORIA));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(IDC_VELMORIA);
  windowClass.lpszClassName = appClassName;
  windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
  RegisterClassExA(&windowClass);
}

bool createMainWindow(HINSTANCE instance, int showCommand) {
  appInstance = instance;
  HWND window = CreateWindowExA(0, appClassName, appTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return false;
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return true;
}

void runTick(HWND window) {
  if (GameMode == Title) {
    drawTitleFrame(window);
  }
  if (GameMode == Running) {
    drawSimulationFrame(window);
  }
  checkGameOver(window);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      GameMode = Title;
      dayCount = 0;
      mainCanvas.create(window, 1200, 800);
      SetTimer(window, kMainTimerId, kMainTimerMs, nullptr);
      SetRect(&startButtonRect, 220, 280, 550, 370);
      return 0;
    case WM_TIMER:
      runTick(window);
      return 0;
    case WM_LBUTTONDOWN:
      if (GameMode == Title) {
        // The wide call keeps the Unicode template's Japanese texts whatever the system's
        // code page for narrow text is; the same for the About box.
        DialogBoxParamW(appInstance, MAKEINTRESOURCEW(IDD_PARAMETERS), window, parameterDialogProc,
                        0);
      }
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_ABOUT:
          DialogBoxParamW(appInstance, MAKEINTRESOURCEW(IDD_ABOUTBOX), window, aboutDialogProc, 0);
          return 0;
        case IDM_EXIT:
          DestroyWindow(window);
          return 0;
      }
      break;
    case WM_PAINT:
      mainCanvas.present(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
