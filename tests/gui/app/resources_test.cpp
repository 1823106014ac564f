// The resources the program reads through the narrow interfaces under code page 932: the
// names, the menu, the accelerators and the icons, and the title picture beside the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialog_driver.h"
#include "main_window.h"
#include "main_window_fixture.h"
#include "resource.h"

using namespace dialogtest;

namespace {

HINSTANCE program() {
  return GetModuleHandleA(nullptr);
}

std::wstring menuTextW(HMENU menu, UINT item, UINT flags) {
  wchar_t text[100] = {};
  GetMenuStringW(menu, item, text, 100, flags);
  return text;
}

std::string menuTextA(HMENU menu, UINT item, UINT flags) {
  char text[100] = {};
  GetMenuStringA(menu, item, text, sizeof text, flags);
  return text;
}

// An icon group as stored: how many images, and each one's size and colour depth.
#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct GroupHeader {
  WORD reserved, type, count;
  GroupEntry entries[1];
};
#pragma pack(pop)

const GroupHeader* iconGroup(int id) {
  HRSRC found = FindResourceExA(program(), RT_GROUP_ICON, MAKEINTRESOURCEA(id),
                                MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  return found ? static_cast<const GroupHeader*>(LockResource(LoadResource(program(), found)))
               : nullptr;
}

}  // namespace

TEST(Resources, EverythingCarriesTheJapaneseLanguageTag) {
  const WORD japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
  struct {
    LPCSTR type;
    int id;
  } resources[] = {{RT_MENU, IDC_VELMORIA},
                   {RT_ACCELERATOR, IDC_VELMORIA},
                   {RT_GROUP_ICON, IDI_VELMORIA},
                   {RT_GROUP_ICON, IDI_SMALL},
                   {RT_STRING, IDS_APP_TITLE / 16 + 1},
                   {RT_STRING, IDC_VELMORIA / 16 + 1},
                   {RT_DIALOG, IDD_ABOUTBOX},
                   {RT_DIALOG, IDD_PARAMETERS}};
  for (const auto& resource : resources) {
    EXPECT_NE(FindResourceExA(program(), resource.type, MAKEINTRESOURCEA(resource.id), japanese),
              nullptr)
        << "resource " << resource.id;
  }
}

TEST(Resources, StringsGiveTheTitleAndTheClassName) {
  char text[100] = {};
  EXPECT_EQ(LoadStringA(program(), IDS_APP_TITLE, text, sizeof text), 8);
  EXPECT_STREQ(text, "Velmoria");
  EXPECT_EQ(LoadStringA(program(), IDC_VELMORIA, text, sizeof text), 2);
  EXPECT_STREQ(text, "MY");
}

TEST_F(MainWindowTest, ClassMenuReadsInJapanese) {
  HMENU menu = GetMenu(window);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(menuTextW(menu, 0, MF_BYPOSITION), L"ﾌｧｲﾙ(&F)");
  EXPECT_EQ(menuTextW(menu, 1, MF_BYPOSITION), L"ﾍﾙﾌﾟ(&H)");

  HMENU file = GetSubMenu(menu, 0);
  ASSERT_EQ(GetMenuItemCount(file), 1);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_EXIT));
  EXPECT_EQ(menuTextW(file, IDM_EXIT, MF_BYCOMMAND), L"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");

  HMENU help = GetSubMenu(menu, 1);
  ASSERT_EQ(GetMenuItemCount(help), 1);
  EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_ABOUT));
  EXPECT_EQ(menuTextW(help, IDM_ABOUT, MF_BYCOMMAND), L"ﾊﾞｰｼﾞｮﾝ情報(&A) ...");

  // The narrow interface hands out the same texts in Shift-JIS.
  EXPECT_EQ(menuTextA(menu, 0, MF_BYPOSITION), "ﾌｧｲﾙ(&F)");
  EXPECT_EQ(menuTextA(file, IDM_EXIT, MF_BYCOMMAND), "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
  EXPECT_EQ(menuTextA(help, IDM_ABOUT, MF_BYCOMMAND), "ﾊﾞｰｼﾞｮﾝ情報(&A) ...");
}

TEST(Resources, AcceleratorsAreAltQuestionMarkAndAltSlashForTheAboutBox) {
  HACCEL table = LoadAcceleratorsA(program(), MAKEINTRESOURCEA(IDC_VELMORIA));
  ASSERT_NE(table, nullptr);
  ACCEL entries[4] = {};
  ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
  for (const ACCEL& entry : entries) {
    if (entry.cmd == 0) {
      continue;
    }
    // Characters, not virtual keys: Alt is the only modifier.
    EXPECT_EQ(entry.fVirt & ~0x80, FALT) << "key " << entry.key;
    EXPECT_EQ(entry.cmd, IDM_ABOUT);
  }
  EXPECT_EQ(entries[0].key, '?');
  EXPECT_EQ(entries[1].key, '/');
}

namespace {

void setAltDown(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = keys[VK_LMENU] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

MSG keyMessage(HWND window, UINT message, WPARAM character, LPARAM flags) {
  MSG key{};
  key.hwnd = window;
  key.message = message;
  key.wParam = character;
  key.lParam = flags;
  return key;
}

}  // namespace

TEST_F(MainWindowTest, AltQuestionMarkAndAltSlashOpenTheAboutBox) {
  KillTimer(window, kMainTimerId);
  HACCEL table = LoadAcceleratorsA(program(), MAKEINTRESOURCEA(IDC_VELMORIA));
  std::wstring caption;
  DialogWatch watch([&](HWND dialog) {
    caption = windowText(dialog);
    postButton(dialog, IDOK);
  });

  // The message loop sees the characters that Alt+? and Alt+/ produce.
  setAltDown(true);
  MSG question = keyMessage(window, WM_SYSCHAR, '?', 0x20000001);
  EXPECT_TRUE(TranslateAcceleratorA(window, table, &question));
  EXPECT_EQ(watch.seen(), 1);
  MSG slash = keyMessage(window, WM_SYSCHAR, '/', 0x20000001);
  EXPECT_TRUE(TranslateAcceleratorA(window, table, &slash));
  EXPECT_EQ(watch.seen(), 2);
  EXPECT_EQ(caption, L"ﾊﾞｰｼﾞｮﾝ情報");

  // Without Alt the same characters are ordinary typing.
  setAltDown(false);
  MSG plain = keyMessage(window, WM_CHAR, '/', 1);
  EXPECT_FALSE(TranslateAcceleratorA(window, table, &plain));
  EXPECT_EQ(watch.seen(), 2);
  EXPECT_TRUE(IsWindow(window));
}

TEST(Resources, IconGroupsHoldSixteenColourPictures) {
  const GroupHeader* large = iconGroup(IDI_VELMORIA);
  ASSERT_NE(large, nullptr);
  ASSERT_EQ(large->count, 2);
  const GroupHeader* small = iconGroup(IDI_SMALL);
  ASSERT_NE(small, nullptr);
  ASSERT_EQ(small->count, 1);

  const GroupEntry* entries[] = {&large->entries[0], &large->entries[1], &small->entries[0]};
  const int sizes[] = {32, 16, 16};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(entries[i]->width, sizes[i]);
    EXPECT_EQ(entries[i]->height, sizes[i]);
    EXPECT_EQ(entries[i]->colourCount, 16);
    EXPECT_EQ(entries[i]->bitCount, 4);
  }

  // Both load as icons of their sizes, and each shows something on a see-through ground.
  for (int i = 0; i < 3; ++i) {
    int id = i < 2 ? IDI_VELMORIA : IDI_SMALL;
    HICON icon = static_cast<HICON>(
        LoadImageA(program(), MAKEINTRESOURCEA(id), IMAGE_ICON, sizes[i], sizes[i], 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, sizes[i]);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmMask);
    int clear = 0;
    for (int y = 0; y < sizes[i]; ++y) {
      for (int x = 0; x < sizes[i]; ++x) {
        clear += GetPixel(dc, x, y) != RGB(0, 0, 0);
      }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_GT(clear, 0);
    EXPECT_LT(clear, sizes[i] * sizes[i] * 3 / 4);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}
