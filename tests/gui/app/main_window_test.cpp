// The main window as the program creates it: its modes, ticks, clicks, commands and painting.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "canvas.h"
#include "dialog_driver.h"
#include "gui_test_support.h"
#include "main_window.h"
#include "main_window_fixture.h"
#include "random_source.h"
#include "resource.h"
#include "world.h"

using namespace dialogtest;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRuleBlue = RGB(0, 0, 255);
constexpr COLORREF kButtonRed = RGB(255, 0, 0);
constexpr COLORREF kLabelYellow = RGB(255, 255, 0);

SIZE canvasBitmapSize() {
  BITMAP bitmap{};
  GetObjectA(GetCurrentObject(mainCanvas.memoryDC(), OBJ_BITMAP), sizeof bitmap, &bitmap);
  return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

void paintCanvasWhite() {
  PatBlt(mainCanvas.memoryDC(), 0, 0, 1200, 800, WHITENESS);
}

void tick(HWND window) {
  SendMessageA(window, WM_TIMER, kMainTimerId, 0);
}

}  // namespace

TEST_F(MainWindowTest, CreationEntersTitleModeWithTimerAndCanvas) {
  // Leave state behind as a finished game would, then create the window anew.
  DestroyWindow(window);
  GameMode = Running;
  dayCount = 99;
  startButtonRect = RECT{};
  ASSERT_TRUE(createMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  window = FindWindowA(appClassName, nullptr);

  EXPECT_EQ(GameMode, Title);
  EXPECT_EQ(dayCount, 0);
  EXPECT_EQ(startButtonRect.left, 220);
  EXPECT_EQ(startButtonRect.top, 280);
  EXPECT_EQ(startButtonRect.right, 550);
  EXPECT_EQ(startButtonRect.bottom, 370);
  EXPECT_EQ(mainCanvas.canvasWidth(), 1200);
  EXPECT_EQ(mainCanvas.canvasHeight(), 800);
  SIZE size = canvasBitmapSize();
  EXPECT_EQ(size.cx, 1200);
  EXPECT_EQ(size.cy, 800);
  // Timer 1 exists exactly when it can be killed.
  EXPECT_TRUE(KillTimer(window, kMainTimerId));
}

TEST_F(MainWindowTest, WindowHasTheTitleTheClassAndTheClassMenu) {
  char caption[100] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Velmoria");
  char className[100] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "MY");

  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetClassLongA(window, GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
  EXPECT_EQ(GetClassLongPtrA(window, GCLP_HCURSOR),
            reinterpret_cast<ULONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)));
  EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0u);
  EXPECT_NE(GetClassLongPtrA(window, GCLP_HICONSM), 0u);
  EXPECT_EQ(GetClassLongPtrA(window, GCLP_MENUNAME), static_cast<ULONG_PTR>(IDC_VELMORIA));
  EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(MainWindowTest, TickInTitleDrawsTheTitleFrame) {
  KillTimer(window, kMainTimerId);
  paintCanvasWhite();
  setRandomState(1);
  tick(window);

  // The rule: three pixels high around y 180, from the left edge to x 1000.
  for (int x : {0, 1, 300, 700, 999}) {
    EXPECT_EQ(guitest::canvasPixel(mainCanvas, x, 180), kRuleBlue) << "x " << x;
  }
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 500, 179), kRuleBlue);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 500, 181), kRuleBlue);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 500, 176), kBlack);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 500, 184), kBlack);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 1005, 180), kBlack);

  // The red ellipse fills startButtonRect but not its corners.
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 230, 325), kButtonRed);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 540, 325), kButtonRed);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 385, 285), kButtonRed);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 385, 365), kButtonRed);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 223, 283), kBlack);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 546, 366), kBlack);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 215, 325), kBlack);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 385, 375), kBlack);

  // Yellow label inside the ellipse, white title above the rule, black everywhere else.
  EXPECT_GT(guitest::countPixels(mainCanvas.memoryDC(), RECT{285, 310, 520, 340}, kLabelYellow),
            100);
  EXPECT_EQ(guitest::countPixels(mainCanvas.memoryDC(), RECT{150, 0, 1200, 280}, kLabelYellow), 0);
  EXPECT_GT(guitest::countPixels(mainCanvas.memoryDC(), RECT{170, 85, 320, 120}, kWhite), 50);
  RECT title = guitest::captureCanvas(mainCanvas, RECT{150, 0, 1200, 175}).nonBlackBounds();
  EXPECT_GE(title.left, 170);
  EXPECT_GE(title.top, 85);
  EXPECT_LE(title.bottom, 120);
  EXPECT_EQ(guitest::countNonBlackPixels(mainCanvas.memoryDC(), RECT{0, 380, 1200, 800}), 0);
  EXPECT_EQ(guitest::countNonBlackPixels(mainCanvas.memoryDC(), RECT{0, 190, 1200, 275}), 0);

  // The title frame neither touches the game's state nor draws from the random source.
  EXPECT_EQ(GameMode, Title);
  EXPECT_EQ(dayCount, 0);
  EXPECT_EQ(randomNext(), 41);
}

TEST_F(MainWindowTest, TitleFrameShowsTheTitlePictureAt50x50) {
  // The tests run in the program's folder, where the build puts b.dat.
  guitest::BitmapFile picture = guitest::readBitmapFile("b.dat");
  ASSERT_EQ(picture.width, 89);
  ASSERT_EQ(picture.height, 103);
  ASSERT_EQ(picture.bitsPerPixel, 24);

  KillTimer(window, kMainTimerId);
  paintCanvasWhite();
  tick(window);

  guitest::Pixels drawn = guitest::captureCanvas(mainCanvas, RECT{50, 50, 139, 153});
  int differing = 0;
  for (int y = 0; y < 103; ++y) {
    for (int x = 0; x < 89; ++x) {
      differing += drawn.at(50 + x, 50 + y) != picture.colours[y * 89 + x];
    }
  }
  EXPECT_EQ(differing, 0);
  // Nothing of it spills beyond its 89 x 103 pixels.
  EXPECT_EQ(guitest::countNonBlackPixels(mainCanvas.memoryDC(), RECT{0, 0, 50, 175}), 0);
  EXPECT_EQ(guitest::countNonBlackPixels(mainCanvas.memoryDC(), RECT{50, 153, 139, 175}), 0);
  EXPECT_EQ(guitest::countNonBlackPixels(mainCanvas.memoryDC(), RECT{139, 50, 169, 153}), 0);
}

TEST_F(MainWindowTest, TitleFrameWithoutThePictureStillDrawsTheRest) {
  KillTimer(window, kMainTimerId);
  char folder[MAX_PATH] = {};
  char emptyFolder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  GetTempPathA(MAX_PATH, emptyFolder);
  lstrcatA(emptyFolder, "velmoria-no-picture");
  CreateDirectoryA(emptyFolder, nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(emptyFolder));
  paintCanvasWhite();
  tick(window);
  SetCurrentDirectoryA(folder);
  RemoveDirectoryA(emptyFolder);

  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 500, 180), kRuleBlue);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 230, 325), kButtonRed);
  EXPECT_GT(guitest::countPixels(mainCanvas.memoryDC(), RECT{285, 310, 520, 340}, kLabelYellow),
            100);
  EXPECT_GT(guitest::countPixels(mainCanvas.memoryDC(), RECT{170, 85, 320, 120}, kWhite), 50);
}

TEST_F(MainWindowTest, ClickWhileRunningOpensNothing) {
  KillTimer(window, kMainTimerId);
  setPopulations(10, 10, 10, 10);
  GameMode = Running;
  DialogWatch watch([](HWND dialog) { postButton(dialog, IDOK); });

  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(385, 325));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(385, 325));

  EXPECT_EQ(watch.seen(), 0);
  EXPECT_EQ(GameMode, Running);
  EXPECT_EQ(GetWindow(window, GW_ENABLEDPOPUP), nullptr);
}

namespace {

// Waits inside the parameter dialog's loop for the main window's timer to redraw the title,
// then confirms the defaults (the dialog has no other way out).
HWND waitingDialog = nullptr;
bool titleRedrawnBehindDialog = false;

void CALLBACK confirmOnceTitleIsDrawn(HWND, UINT, UINT_PTR, DWORD) {
  static int checks = 0;
  titleRedrawnBehindDialog = guitest::canvasPixel(mainCanvas, 500, 180) == RGB(0, 0, 255);
  if (titleRedrawnBehindDialog || ++checks > 500) {
    KillTimer(waitingDialog, 77);
    postButton(waitingDialog, IDOK);
  }
}

}  // namespace

TEST_F(MainWindowTest, ClickAnywhereInTitleOpensTheParameterDialogWhileTitleKeepsDrawing) {
  paintCanvasWhite();
  HWND owner = nullptr;
  bool hadFields = false;
  bool mainWindowDisabled = false;
  titleRedrawnBehindDialog = false;
  DialogWatch watch([&](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    hadFields = GetDlgItem(dialog, IDC_FIELD_FIRST) != nullptr &&
                GetDlgItem(dialog, IDC_FIELD_LAST) != nullptr;
    mainWindowDisabled = !IsWindowEnabled(window);
    waitingDialog = dialog;
    SetTimer(dialog, 77, 20, confirmOnceTitleIsDrawn);
  });

  // Far from the red ellipse: the whole client area starts a game.
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(900, 600));
  KillTimer(window, kMainTimerId);

  ASSERT_EQ(watch.seen(), 1);
  EXPECT_EQ(owner, window);
  EXPECT_TRUE(hadFields);
  EXPECT_TRUE(mainWindowDisabled);
  EXPECT_TRUE(titleRedrawnBehindDialog);
  EXPECT_EQ(GameMode, Running);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(MainWindowTest, ExitCommandDestroysTheWindowAndEndsTheLoop) {
  MSG quit{};
  ASSERT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
  EXPECT_FALSE(IsWindow(window));
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheLoopToo) {
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  MSG quit{};
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, OtherCommandsAreLeftToTheDefaultProcedure) {
  KillTimer(window, kMainTimerId);
  DialogWatch watch([](HWND dialog) { postButton(dialog, IDOK); });
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT + 1, 0), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(watch.seen(), 0);
}

TEST_F(MainWindowTest, ResizingKeepsTheCanvasAndPaintsItAtTheTopLeft) {
  KillTimer(window, kMainTimerId);
  MoveWindow(window, 40, 40, 420, 320, TRUE);
  tick(window);
  guitest::pumpMessages();
  EXPECT_EQ(mainCanvas.canvasWidth(), 1200);
  EXPECT_EQ(canvasBitmapSize().cx, 1200);
  EXPECT_EQ(canvasBitmapSize().cy, 800);
  EXPECT_EQ(guitest::clientPixel(window, 100, 180), RGB(0, 0, 255));
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 900, 180), RGB(0, 0, 255));

  // Wider than the canvas: the canvas keeps its size and the class background shows beyond.
  MoveWindow(window, 10, 10, 1500, 950, TRUE);
  guitest::pumpMessages();
  RECT client{};
  GetClientRect(window, &client);
  ASSERT_GT(client.right, 1250);
  ASSERT_GT(client.bottom, 820);
  EXPECT_EQ(canvasBitmapSize().cx, 1200);
  EXPECT_EQ(canvasBitmapSize().cy, 800);
  EXPECT_EQ(guitest::clientPixel(window, 500, 180), RGB(0, 0, 255));
  EXPECT_EQ(guitest::clientPixel(window, 1100, 180), RGB(0, 0, 0));
  EXPECT_EQ(guitest::clientPixel(window, 1199, 180), RGB(0, 0, 0));
  COLORREF background = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(guitest::clientPixel(window, 1200, 180), background);
  EXPECT_EQ(guitest::clientPixel(window, 1240, 400), background);
  EXPECT_EQ(guitest::clientPixel(window, 500, 810), background);
  EXPECT_EQ(guitest::clientPixel(window, 230, 325), RGB(255, 0, 0));
}
