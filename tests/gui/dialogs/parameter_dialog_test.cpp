// The parameter dialog as the game opens it: a click on the title screen of the real main
// window, then keys and buttons inside the dialog's own modal loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_layout.h"
#include "dialog_driver.h"
#include "main_window.h"
#include "main_window_fixture.h"
#include "parameters.h"
#include "world.h"

using namespace dialogtest;

namespace {

const std::wstring kCaption = L"パラメータの設定";
constexpr int kFirstField = 1000;
constexpr int kFieldCount = 16;
constexpr int kNoId = -1;  // the statics' id in an extended template

enum Kind { Group, Label, Field, Note, Button };

struct Control {
  Kind kind;
  std::wstring text;
  int id;
  RECT units;  // x, y, width, height in dialog units (stored as left, top, right, bottom)
};

// Every control in template order, laid out as the dialog's design gives it: three rows per
// species group, the disturbance rows below.
std::vector<Control> expectedControls() {
  std::vector<Control> list;
  list.push_back({Button, L"OK", IDOK, box(94, 252, 50, 14)});
  list.push_back({Group, L"食物連鎖", kNoId, box(7, 7, 235, 152)});
  const wchar_t* groups[4] = {L"大型肉食動物", L"小型肉食動物", L"草食動物", L"緑色植物"};
  const wchar_t* labels[3] = {L"個体数：", L"繁殖度：", L"寿命長："};
  const wchar_t* notes[3] = {L"(0～10000)", L"(0～1)", L"(0～1)"};
  for (int k = 0; k < 4; ++k) {
    int x = k % 2 == 0 ? 8 : 125;
    int y = k < 2 ? 22 : 87;
    int textDrop = k < 2 ? 3 : 4;
    list.push_back({Group, groups[k], kNoId, box(x, y, 113, 61)});
    for (int row = 0; row < 3; ++row) {
      int editY = y + 10 + 16 * row;
      list.push_back({Label, labels[row], kNoId, box(x + 5, editY + textDrop, 25, 8)});
      list.push_back({Field, L"", kFirstField + 3 * k + row, box(x + 31, editY, 40, 14)});
      list.push_back({Note, notes[row], kNoId, box(x + 75, editY + textDrop, 37, 8)});
    }
  }
  list.push_back({Group, L"外乱", kNoId, box(8, 162, 234, 80)});
  struct Row {
    const wchar_t* label;
    RECT labelUnits;
  } rows[4] = {
      {L"ウイルス(大型肉食動物)出現頻度：", box(13, 174, 103, 8)},
      {L"ウイルス(小型肉食動物)出現頻度：", box(13, 191, 103, 8)},
      {L"ウイルス(草食動物)出現頻度：", box(27, 208, 89, 8)},
      {L"乾季(緑色植物)出現頻度：", box(38, 225, 78, 8)},
  };
  for (int d = 0; d < 4; ++d) {
    int editY = 171 + 17 * d;
    list.push_back({Label, rows[d].label, kNoId, rows[d].labelUnits});
    list.push_back({Field, L"", 1012 + d, box(117, editY, 40, 14)});
    list.push_back({Note, L"(0～1)", kNoId, box(161, editY + 4, 37, 8)});
  }
  return list;
}

std::wstring defaultText(int field) {
  std::string narrow = kDefaultParameterTexts[field];
  return std::wstring(narrow.begin(), narrow.end());
}

std::vector<std::wstring> fieldTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  for (int i = 0; i < kFieldCount; ++i) {
    texts.push_back(itemText(dialog, kFirstField + i));
  }
  return texts;
}

void typeInto(HWND dialog, int id, const char* text) {
  SetDlgItemTextA(dialog, id, text);
}

// Checks the open dialog against its layout (a function of its own, so that ASSERT can stop it).
void expectLayout(HWND dialog, HWND owner) {
  EXPECT_EQ(GetParent(dialog), owner) << "owned by the main window";
  LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);

  RECT size = box(0, 0, 251, 273);
  MapDialogRect(dialog, &size);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");

  std::vector<Control> expected = expectedControls();
  HWND child = GetWindow(dialog, GW_CHILD);
  for (size_t i = 0; i < expected.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
    const Control& want = expected[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
    ASSERT_NE(child, nullptr) << "missing";
    EXPECT_EQ(GetDlgCtrlID(child), want.id);

    expectPlacedAt(dialog, child, want.units);

    LONG childStyle = GetWindowLongW(child, GWL_STYLE);
    LONG exStyle = GetWindowLongW(child, GWL_EXSTYLE);
    std::wstring cls = className(child);
    switch (want.kind) {
      case Button:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Button"), 0);
        EXPECT_EQ(childStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_TRUE(childStyle & WS_TABSTOP);
        EXPECT_EQ(windowText(child), want.text);
        break;
      case Group:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Button"), 0);
        EXPECT_EQ(childStyle & BS_TYPEMASK, BS_GROUPBOX);
        EXPECT_FALSE(childStyle & WS_TABSTOP);
        EXPECT_EQ(windowText(child), want.text);
        break;
      case Label:
      case Note:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Static"), 0);
        EXPECT_EQ(childStyle & SS_TYPEMASK, SS_LEFT);
        EXPECT_FALSE(childStyle & WS_TABSTOP);
        EXPECT_EQ(windowText(child), want.text);
        break;
      case Field:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Edit"), 0);
        EXPECT_FALSE(childStyle & ES_MULTILINE);
        EXPECT_TRUE(childStyle & ES_AUTOHSCROLL);
        EXPECT_TRUE(childStyle & WS_TABSTOP);
        EXPECT_TRUE((childStyle & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << "bordered";
        EXPECT_TRUE(exStyle & WS_EX_RIGHT) << "right-aligned";
        EXPECT_EQ(windowText(child), defaultText(want.id - kFirstField));
        break;
    }
  }
  EXPECT_EQ(child, nullptr) << "more controls than the layout has";
}

class ParameterDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (!HasFatalFailure()) {
      ASSERT_EQ(GameMode, Title);
    }
  }

  // Opens the dialog with a click on the title screen and runs `steps` in it; returns when
  // the dialog has closed.
  void playDialog(std::vector<Step> steps) {
    runWhenShown(kCaption, std::move(steps));
    clickTitleScreen(window);
    EXPECT_TRUE(scriptsDone());
    EXPECT_EQ(findThreadWindow(kCaption), nullptr) << "the dialog is still open";
  }
};

TEST_F(ParameterDialogTest, ShowsEveryControlOfItsLayoutInTemplateOrder) {
  playDialog({[&](HWND dialog) {
    expectLayout(dialog, window);
    clickButton(dialog, IDOK);
    return true;
  }});
}

TEST_F(ParameterDialogTest, OpensWithTheFocusOnOkAndTabVisitsOkThenEveryField) {
  std::vector<int> visited;
  std::vector<int> walked;
  playDialog({
      [&](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        HWND item = GetDlgItem(dialog, IDOK);
        for (int i = 0; i < kFieldCount + 1; ++i) {
          item = GetNextDlgTabItem(dialog, item, FALSE);
          walked.push_back(GetDlgCtrlID(item));
        }
        visited.push_back(GetDlgCtrlID(GetFocus()));
        pressKey(dialog, VK_TAB);
        return true;
      },
      [&](HWND dialog) {
        visited.push_back(GetDlgCtrlID(GetFocus()));
        if (visited.size() < kFieldCount + 2) {
          pressKey(dialog, VK_TAB);
          return false;
        }
        clickButton(dialog, IDOK);
        return true;
      },
  });
  std::vector<int> order{IDOK};
  for (int id = kFirstField; id < kFirstField + kFieldCount; ++id) {
    order.push_back(id);
  }
  order.push_back(IDOK);  // and round again
  EXPECT_EQ(visited, order);
  EXPECT_EQ(walked, std::vector<int>(order.begin() + 1, order.end()));
}

TEST_F(ParameterDialogTest, EnterAtOnceStartsAGameWithTheDefaults) {
  world.species[2].life[2500] = 7;  // left over from an earlier game
  playDialog({[&](HWND dialog) {
    pressKey(dialog, VK_RETURN);
    return true;
  }});
  EXPECT_EQ(GameMode, Running);
  for (const Species& s : world.species) {
    EXPECT_EQ(s.population, 2000);
    EXPECT_EQ(s.startLife, 5000);
    EXPECT_EQ(s.birthChance, 2000);
    EXPECT_EQ(s.life[0], 5000);
    EXPECT_EQ(s.life[1999], 5000);
    EXPECT_EQ(s.life[2000], 0);
  }
  EXPECT_EQ(world.species[2].life[2500], 0);
  for (int32_t d : world.disturbance) {
    EXPECT_EQ(d, 1000);
  }
}

TEST_F(ParameterDialogTest, OkStoresEachTypedFieldWhereItBelongsAndSeeds) {
  const char* typed[kFieldCount] = {"12.9", "0.57", "0.3",  "7",    " 40", "0.29",
                                    "-5",   "1e-1", "3",    "2",    "abc", "0.0001",
                                    "0",    "-1",   "9999", "0.25x"};
  for (Species& s : world.species) {
    s.life[4000] = 123;
  }
  playDialog({[&](HWND dialog) {
    for (int i = 0; i < kFieldCount; ++i) {
      typeInto(dialog, kFirstField + i, typed[i]);
    }
    clickButton(dialog, IDOK);
    return true;
  }});

  EXPECT_EQ(GameMode, Running);
  // Populations are whole numbers, rates times 10000 truncated, nothing range-checked.
  EXPECT_EQ(world.species[0].population, 12);
  EXPECT_EQ(world.species[0].startLife, 5699);
  EXPECT_EQ(world.species[0].birthChance, 3000);
  EXPECT_EQ(world.species[1].population, 7);
  EXPECT_EQ(world.species[1].startLife, 400000);
  EXPECT_EQ(world.species[1].birthChance, 2900);
  EXPECT_EQ(world.species[2].population, -5);
  EXPECT_EQ(world.species[2].startLife, 1000);
  EXPECT_EQ(world.species[2].birthChance, 30000);
  EXPECT_EQ(world.species[3].population, 2);
  EXPECT_EQ(world.species[3].startLife, 0);
  EXPECT_EQ(world.species[3].birthChance, 1);
  EXPECT_EQ(world.disturbance[0], 0);
  EXPECT_EQ(world.disturbance[1], -10000);
  EXPECT_EQ(world.disturbance[2], 99990000);
  EXPECT_EQ(world.disturbance[3], 2500);

  // Seeded: the first `population` slots hold the start life, every other slot is cleared.
  EXPECT_EQ(world.species[0].life[11], 5699);
  EXPECT_EQ(world.species[0].life[12], 0);
  EXPECT_EQ(world.species[1].life[6], 400000);
  EXPECT_EQ(world.species[1].life[7], 0);
  EXPECT_EQ(world.species[2].life[0], 0);
  EXPECT_EQ(world.species[3].life[1], 0);
  for (const Species& s : world.species) {
    EXPECT_EQ(s.life[4000], 0);
  }
}

TEST_F(ParameterDialogTest, EscapeCancelAndTheCloseBoxLeaveItOpenAndUnchanged) {
  std::vector<std::wstring> before;
  playDialog({
      [&](HWND dialog) {
        typeInto(dialog, 1004, "0.75");
        before = fieldTexts(dialog);
        pressKey(dialog, VK_ESCAPE);
        return true;
      },
      [&](HWND dialog) {
        EXPECT_TRUE(IsWindowVisible(dialog)) << "after Esc";
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "after IDCANCEL";
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "after WM_CLOSE";
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      },
      [&](HWND dialog) {
        EXPECT_TRUE(IsWindowVisible(dialog)) << "after the close box";
        EXPECT_EQ(fieldTexts(dialog), before);
        EXPECT_EQ(GameMode, Title);
        clickButton(dialog, IDOK);
        return true;
      },
  });
  EXPECT_EQ(GameMode, Running);
  EXPECT_EQ(world.species[1].startLife, 7500);
}

TEST_F(ParameterDialogTest, EveryOpeningShowsTheDefaultsAgain) {
  playDialog({[&](HWND dialog) {
    for (int i = 0; i < kFieldCount; ++i) {
      typeInto(dialog, kFirstField + i, "5");
    }
    clickButton(dialog, IDOK);
    return true;
  }});
  ASSERT_EQ(world.species[0].population, 5);
  GameMode = Title;  // as if that game were over

  std::vector<std::wstring> shown;
  playDialog({[&](HWND dialog) {
    shown = fieldTexts(dialog);
    clickButton(dialog, IDOK);
    return true;
  }});
  for (int i = 0; i < kFieldCount; ++i) {
    EXPECT_EQ(shown[i], defaultText(i)) << "field " << kFirstField + i;
  }
}

}  // namespace
