// The About box as the menu command opens it over the real main window: its template, its
// animation of random lines, the game going on behind it, and what it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "about_box.h"
#include "canvas.h"
#include "dialog_layout.h"
#include "dialog_driver.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "main_window.h"
#include "random_source.h"
#include "resource.h"
#include "world.h"

using namespace dialogtest;

namespace {

const std::wstring kCaption = L"ﾊﾞｰｼﾞｮﾝ情報";

struct Line {
  COLORREF colour;
  int width, x1, y1, x2, y2;
};

// Replays one frame's draws in the order the box takes them.
Line nextLine() {
  Line line{};
  int blue = randomNext() % 256;
  int green = randomNext() % 256;
  int red = randomNext() % 256;
  line.colour = RGB(red, green, blue);
  line.width = randomNext() % 20;
  line.y2 = randomNext() % 100;
  line.x2 = randomNext() % 500;
  line.y1 = randomNext() % 100;
  line.x1 = randomNext() % 500;
  return line;
}

// The line of the newest frame drawn since the random source stood at `start`, when the
// box made every draw since then; fails when the draws do not come in whole frames.
bool newestLine(uint32_t start, Line& line, int& frames) {
  uint32_t now = randomState();
  setRandomState(start);
  for (frames = 0; frames < 10000 && randomState() != now; ++frames) {
    line = nextLine();
  }
  bool whole = randomState() == now;
  setRandomState(now);
  return whole && frames > 0;
}

// The canvas shows exactly the newest line: one colour, starting at its first point and
// staying within the pen's reach of its two ends.
void expectCanvasShows(const Line& line) {
  guitest::Pixels canvas = guitest::captureCanvas(aboutCanvas);
  bool invisible = line.colour == RGB(0, 0, 0) || (line.x1 == line.x2 && line.y1 == line.y2);
  if (invisible) {
    EXPECT_EQ(canvas.countNonBlack(), 0);
    return;
  }
  EXPECT_GT(canvas.countNonBlack(), 0);
  EXPECT_EQ(canvas.countNonBlack(line.colour), canvas.countNonBlack()) << "one colour only";
  EXPECT_EQ(canvas.at(line.x1, line.y1), line.colour) << "the line starts at its first point";
  RECT drawn = canvas.nonBlackBounds();
  int reach = line.width / 2 + 1;
  EXPECT_GE(drawn.left, std::min(line.x1, line.x2) - reach);
  EXPECT_LE(drawn.right, std::max(line.x1, line.x2) + reach + 1);
  EXPECT_GE(drawn.top, std::min(line.y1, line.y2) - reach);
  EXPECT_LE(drawn.bottom, std::max(line.y1, line.y2) + reach + 1);
}

// Checks the open box against its template (a function of its own, so that ASSERT can stop it).
void expectTemplate(HWND dialog, HWND owner) {
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
  LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
            WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);

  RECT client;
  GetClientRect(dialog, &client);
  RECT size = box(0, 0, 230, 75);
  MapDialogRect(dialog, &size);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  // Placed relative to the owner's client area.
  RECT place = box(22, 17, 0, 0);
  MapDialogRect(dialog, &place);
  POINT ownerOrigin = guitest::clientOrigin(owner);
  POINT origin = guitest::clientOrigin(dialog);
  EXPECT_EQ(origin.x - ownerOrigin.x, place.left);
  EXPECT_EQ(origin.y - ownerOrigin.y, place.top);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(_wcsicmp(font.lfFaceName, L"System"), 0) << font.lfFaceName;

  HWND icon = GetWindow(dialog, GW_CHILD);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(GetDlgCtrlID(icon), 2);
  EXPECT_EQ(_wcsicmp(className(icon).c_str(), L"Static"), 0);
  EXPECT_EQ(GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
  EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0) << "shows the program's icon";
  RECT iconAt = box(16, 51, 20, 20);
  MapDialogRect(dialog, &iconAt);
  RECT iconRect = childRectInDialog(dialog, icon);
  EXPECT_EQ(iconRect.left, iconAt.left);
  EXPECT_EQ(iconRect.top, iconAt.top);

  HWND version = GetWindow(icon, GW_HWNDNEXT);
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(windowText(version), L"Velmoria Version 1.0");
  EXPECT_TRUE(GetWindowLongW(version, GWL_STYLE) & SS_NOPREFIX);
  expectPlacedAt(dialog, version, box(49, 48, 170, 8));

  HWND notice = GetWindow(version, GW_HWNDNEXT);
  ASSERT_NE(notice, nullptr);
  std::wstring noticeText = windowText(notice);
  EXPECT_NE(noticeText.find(L"Velmoria"), std::wstring::npos) << "the maker's notice";
  expectPlacedAt(dialog, notice, box(49, 58, 119, 8));
  // The notice fits its one line.
  HDC dc = GetDC(notice);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(notice, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, noticeText.c_str(), static_cast<int>(noticeText.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(notice, dc);
  RECT noticeRect;
  GetClientRect(notice, &noticeRect);
  EXPECT_LE(extent.cx, noticeRect.right);

  HWND ok = GetWindow(notice, GW_HWNDNEXT);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(GetDlgCtrlID(ok), IDOK);
  EXPECT_EQ(windowText(ok), L"OK");
  EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  expectPlacedAt(dialog, ok, box(190, 58, 30, 11));
  EXPECT_EQ(GetWindow(ok, GW_HWNDNEXT), nullptr);
}

class AboutBoxTest : public MainWindowTest {
 protected:
  // The menu command, as the menu item and both accelerators send it.
  void openFromMenu(std::vector<Step> steps) {
    runWhenShown(kCaption, std::move(steps));
    SendMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_TRUE(scriptsDone());
    EXPECT_EQ(findThreadWindow(kCaption), nullptr) << "the box is still open";
  }

  // Starts a long game (plants plentiful and fertile) from the parameter dialog.
  void startLongGame() {
    runWhenShown(L"パラメータの設定", {[](HWND dialog) {
                   SetDlgItemTextA(dialog, 1009, "10000");
                   SetDlgItemTextA(dialog, 1011, "0.5");
                   clickButton(dialog, IDOK);
                   return true;
                 }});
    clickTitleScreen(window);
    ASSERT_EQ(GameMode, Running);
  }
};

TEST_F(AboutBoxTest, ShowsItsTextsIconAndOkButtonWhereTheTemplatePutsThem) {
  openFromMenu({[&](HWND dialog) {
    EXPECT_EQ(windowText(dialog), kCaption);
    expectTemplate(dialog, window);
    clickButton(dialog, IDOK);
    return true;
  }});
  EXPECT_TRUE(IsWindow(window)) << "the box leaves the main window as it was";
}

TEST_F(AboutBoxTest, EndsWithOkEscapeOrTheCloseBoxAndReportsWhich) {
  struct Way {
    const char* name;
    std::function<void(HWND)> close;
    INT_PTR result;
  } ways[] = {
      {"OK", [](HWND dialog) { clickButton(dialog, IDOK); }, IDOK},
      {"Enter", [](HWND dialog) { pressKey(dialog, VK_RETURN); }, IDOK},
      {"Esc", [](HWND dialog) { pressKey(dialog, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
       IDCANCEL},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    runWhenShown(kCaption, {[&](HWND dialog) {
                   way.close(dialog);
                   return true;
                 }});
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX),
                                     window, aboutDialogProc, 0);
    EXPECT_EQ(result, way.result);
    EXPECT_TRUE(scriptsDone());
  }
}

TEST_F(AboutBoxTest, DrawsOneRandomLineEveryFrameAndShowsItInTheDialog) {
  const uint32_t start = 0x1234567u;
  setRandomState(start);
  int framesSeen = 0;
  openFromMenu({
      [&](HWND dialog) {
        Line line;
        int frames = 0;
        if (randomState() == start) {
          return false;  // no frame yet
        }
        // The title screen behind the box draws nothing random: every draw is the box's.
        EXPECT_TRUE(newestLine(start, line, frames)) << "draws in whole frames of eight";
        framesSeen = frames;
        expectCanvasShows(line);

        // Painted to the top-left of the client area, above the texts.
        UpdateWindow(dialog);
        RECT client;
        GetClientRect(dialog, &client);
        int top = client.bottom;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
          top = std::min(top, static_cast<int>(childRectInDialog(dialog, c).top));
        }
        RECT shown{0, 0, std::min(500, static_cast<int>(client.right)), std::min(100, top)};
        EXPECT_EQ(guitest::captureClient(dialog, shown),
                  guitest::captureCanvas(aboutCanvas, shown));
        return true;
      },
      [&](HWND dialog) {
        // A few frames later only the newest line is left.
        if (framesSeen == 0) {
          clickButton(dialog, IDOK);
          return true;
        }
        Line line;
        int frames = 0;
        if (!newestLine(start, line, frames) || frames < framesSeen + 3) {
          return false;
        }
        expectCanvasShows(line);
        clickButton(dialog, IDOK);
        return true;
      },
  });
  EXPECT_GT(framesSeen, 0);
}

TEST_F(AboutBoxTest, ARunningGameKeepsAdvancingBehindTheBox) {
  startLongGame();
  int openedOnDay = -1;
  uint32_t stateAtOpening = 0;
  openFromMenu({
      [&](HWND) {
        openedOnDay = dayCount;
        stateAtOpening = randomState();
        return true;
      },
      [&](HWND dialog) {
        if (dayCount < openedOnDay + 3) {
          return false;
        }
        EXPECT_EQ(GameMode, Running);
        EXPECT_NE(randomState(), stateAtOpening);
        guitest::Pixels canvas = guitest::captureCanvas(aboutCanvas);
        EXPECT_EQ(canvas.width(), 500);
        EXPECT_EQ(canvas.height(), 100);
        clickButton(dialog, IDOK);
        return true;
      },
  });
  EXPECT_GE(dayCount, openedOnDay + 3);
  EXPECT_EQ(GameMode, Running);
}

// A game that ends behind the box: the record is the box's own, so that the box stays in
// front and the main window keeps waiting for it.
TEST_F(AboutBoxTest, AGameThatEndsBehindItLeavesItInFront) {
  startLongGame();
  HWND recordOwner = nullptr;
  DialogWatch watch([&](HWND box) {
    if (windowText(box) == L"GAME OVER") {
      recordOwner = GetWindow(box, GW_OWNER);
      postButton(box, IDOK);
    }
  });
  openFromMenu({
      [&](HWND) {
        // The herbivores die out: the next tick ends the game.
        for (int32_t& life : world.species[Herbivore].life) {
          life = 0;
        }
        lifeSlotsChanged(world);
        return true;
      },
      [&](HWND dialog) {
        if (GameMode != Title) {
          return false;
        }
        EXPECT_EQ(recordOwner, dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(window));
        clickButton(dialog, IDOK);
        return true;
      },
  });
  EXPECT_NE(recordOwner, nullptr);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(AboutBoxTest, OpensFromTheTitleScreenWhichKeepsBeingDrawnBehindIt) {
  int titleFrames = 0;
  openFromMenu({
      [&](HWND) {
        // Wipe the main canvas: only a title frame drawn while the box is open repaints it.
        mainCanvas.clearBlack();
        return true;
      },
      [&](HWND dialog) {
        titleFrames = guitest::captureCanvas(mainCanvas, RECT{0, 0, 1000, 400}).countNonBlack();
        if (titleFrames == 0) {
          return false;
        }
        EXPECT_EQ(GameMode, Title);
        pressKey(dialog, VK_ESCAPE);
        return true;
      },
  });
  EXPECT_GT(titleFrames, 0);
  EXPECT_EQ(GameMode, Title);
}

TEST_F(AboutBoxTest, OpeningAndClosingManyTimesLeavesNoDrawingObjectsOrTimerBehind) {
  auto openAndClose = [&] {
    const uint32_t before = randomState();
    openFromMenu({[&](HWND dialog) {
      if (randomState() == before) {
        return false;  // wait for a frame, so that every opening draws
      }
      pressKey(dialog, VK_ESCAPE);
      return true;
    }});
  };
  openAndClose();  // the first opening makes the canvas that lives on
  guitest::pumpMessages();
  const int objects = guitest::gdiObjectCount();
  for (int i = 0; i < 20; ++i) {
    openAndClose();
  }
  guitest::pumpMessages();
  EXPECT_EQ(guitest::gdiObjectCount(), objects);

  // Its timer went with it: with the title screen behind, nothing draws randomly any more.
  const uint32_t after = randomState();
  pumpUntil([] { return false; }, 300);
  EXPECT_EQ(randomState(), after);
}

}  // namespace
