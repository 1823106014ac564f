// The end of a game: the record box, and the order in which the timer, the mode and the day
// count change around it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "canvas.h"
#include "dialog_driver.h"
#include "gui_test_support.h"
#include "main_window.h"
#include "main_window_fixture.h"
#include "resource.h"
#include "world.h"

using namespace dialogtest;

namespace {

// What the test saw while the record box was up.
struct BoxSeen {
  HWND owner = nullptr;
  std::wstring caption;
  std::vector<std::wstring> texts;
  char captionA[64] = {};
  bool timerRunning = true;
  int mode = -1;
  int days = -1;
  bool hasOk = false;
  bool hasCancel = true;
  bool showsIcon = true;
};

void readBox(HWND box, HWND mainWindow, BoxSeen& seen) {
  seen.owner = GetWindow(box, GW_OWNER);
  seen.caption = windowText(box);
  GetWindowTextA(box, seen.captionA, sizeof seen.captionA);
  seen.texts = staticTexts(box);
  // Killing a timer succeeds only if it was still running.
  seen.timerRunning = KillTimer(mainWindow, kMainTimerId);
  seen.mode = GameMode;
  seen.days = dayCount;
  seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
  seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr || GetDlgItem(box, IDNO) != nullptr;
  seen.showsIcon = false;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0) {
      seen.showsIcon = true;
    }
  }
  postButton(box, IDOK);
}

bool contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  for (const std::wstring& t : texts) {
    if (t == text) {
      return true;
    }
  }
  return false;
}

}  // namespace

TEST_F(MainWindowTest, ExtinctionShowsTheRecordWithTheTimerStoppedThenReturnsToTitle) {
  setPopulations(40, 30, 0, 10);
  GameMode = Running;
  dayCount = 37;
  BoxSeen seen;
  DialogWatch watch([&](HWND box) { readBox(box, window, seen); });

  checkGameOver(window);

  ASSERT_EQ(watch.seen(), 1);
  EXPECT_EQ(seen.owner, window);
  EXPECT_EQ(seen.caption, L"GAME OVER");
  EXPECT_STREQ(seen.captionA, "GAME OVER");
  EXPECT_TRUE(contains(seen.texts, L"記録：37日"));
  EXPECT_TRUE(seen.hasOk);
  EXPECT_FALSE(seen.hasCancel);
  EXPECT_FALSE(seen.showsIcon);
  // While the box is up: no timer, and the game's mode and days as the last frame left them.
  EXPECT_FALSE(seen.timerRunning);
  EXPECT_EQ(seen.mode, Running);
  EXPECT_EQ(seen.days, 37);
  // After it: the title mode, a fresh day count and the timer running again.
  EXPECT_EQ(GameMode, Title);
  EXPECT_EQ(dayCount, 0);
  EXPECT_TRUE(KillTimer(window, kMainTimerId));
}

TEST_F(MainWindowTest, NoRecordWhileEverySpeciesLivesOrOnTheTitleScreen) {
  DialogWatch watch([&](HWND box) { postButton(box, IDOK); });

  setPopulations(1, 1, 1, 1);
  GameMode = Running;
  dayCount = 5;
  checkGameOver(window);
  EXPECT_EQ(watch.seen(), 0);
  EXPECT_EQ(GameMode, Running);
  EXPECT_EQ(dayCount, 5);

  // A negative population counts as died out as well.
  setPopulations(1, 1, 1, 1);
  world.species[0].population = -3;
  GameMode = Title;
  checkGameOver(window);
  EXPECT_EQ(watch.seen(), 0);
  EXPECT_EQ(GameMode, Title);
  EXPECT_EQ(dayCount, 5);
  EXPECT_TRUE(KillTimer(window, kMainTimerId));

  GameMode = Running;
  SetTimer(window, kMainTimerId, kMainTimerMs, nullptr);
  checkGameOver(window);
  EXPECT_EQ(watch.seen(), 1);
  EXPECT_EQ(GameMode, Title);
}

TEST_F(MainWindowTest, GameWithAnEmptyLevelEndsAfterItsFirstDayAndTheTitleReturns) {
  SendMessageA(window, WM_TIMER, kMainTimerId, 0);
  ASSERT_EQ(guitest::canvasPixel(mainCanvas, 500, 180), RGB(0, 0, 255));
  BoxSeen seen;
  int boxes = 0;
  bool canvasShowedTitle = true;
  DialogWatch watch([&](HWND box) {
    if (windowText(box) != L"GAME OVER") {
      return;  // the parameter dialog, played by its script
    }
    ++boxes;
    // The window still shows the last day's frame, not the title.
    canvasShowedTitle = guitest::canvasPixel(mainCanvas, 500, 180) == RGB(0, 0, 255);
    readBox(box, window, seen);
  });
  // The player empties the herbivores' level in the dialog; the main timer plays the game.
  runWhenShown(L"パラメータの設定", {[](HWND dialog) {
                 SetDlgItemTextA(dialog, IDC_FIELD_FIRST + 6, "0");
                 clickButton(dialog, IDOK);
                 return true;
               }});
  clickTitleScreen(window);
  ASSERT_EQ(GameMode, Running);
  ASSERT_EQ(world.species[2].population, 0);
  EXPECT_TRUE(pumpUntil([&] { return boxes == 1 && GameMode == Title; }, 30000));

  ASSERT_EQ(boxes, 1);
  EXPECT_TRUE(contains(seen.texts, L"記録：1日"));
  EXPECT_EQ(seen.days, 1);
  EXPECT_FALSE(canvasShowedTitle);
  EXPECT_EQ(GameMode, Title);
  EXPECT_EQ(dayCount, 0);

  // The next tick draws the title screen again.
  KillTimer(window, kMainTimerId);
  SendMessageA(window, WM_TIMER, kMainTimerId, 0);
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 500, 180), RGB(0, 0, 255));
  EXPECT_EQ(guitest::canvasPixel(mainCanvas, 230, 325), RGB(255, 0, 0));
  EXPECT_EQ(boxes, 1);
}
