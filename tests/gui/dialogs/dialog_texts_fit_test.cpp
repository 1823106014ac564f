// Every static text of the parameter dialog and the About box shows whole: measured with the
// control's own font and the format a static draws with, it fits the control's client area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "main_window_fixture.h"
#include "resource.h"

using namespace dialogtest;

namespace {

// The DrawText format a static control paints its text with, or 0 for a static that shows
// no text (an icon, a frame).
UINT staticTextFormat(HWND control) {
  LONG style = GetWindowLongW(control, GWL_STYLE);
  UINT format = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
      return format | DT_LEFT | DT_WORDBREAK;
    case SS_CENTER:
      return format | DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT:
      return format | DT_RIGHT | DT_WORDBREAK;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
      return format | DT_LEFT | DT_SINGLELINE;
    default:
      return 0;
  }
}

struct StaticFit {
  std::wstring text;
  SIZE needs;  // as the control would lay the text out within its width
  SIZE has;    // its client area
};

std::vector<StaticFit> measureStatics(HWND dialog) {
  std::vector<StaticFit> fits;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    UINT format = staticTextFormat(c);
    if (_wcsicmp(className(c).c_str(), L"Static") != 0 || format == 0) {
      continue;
    }
    std::wstring text = windowText(c);
    RECT client;
    GetClientRect(c, &client);
    HDC dc = GetDC(c);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
    RECT laid{0, 0, client.right, 0};
    DrawTextW(dc, text.c_str(), -1, &laid, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(c, dc);
    fits.push_back({text, {laid.right, laid.bottom}, {client.right, client.bottom}});
  }
  return fits;
}

void expectAllFit(HWND dialog, size_t expectedStatics) {
  std::vector<StaticFit> fits = measureStatics(dialog);
  EXPECT_EQ(fits.size(), expectedStatics);
  for (const StaticFit& f : fits) {
    std::string shown(f.text.size() * 3 + 1, '\0');
    shown.resize(WideCharToMultiByte(CP_UTF8, 0, f.text.c_str(), -1, &shown[0],
                                     static_cast<int>(shown.size()), nullptr, nullptr) -
                 1);
    EXPECT_TRUE(f.needs.cx <= f.has.cx && f.needs.cy <= f.has.cy)
        << shown << " needs " << f.needs.cx << "x" << f.needs.cy << " pixels, its control has "
        << f.has.cx << "x" << f.has.cy;
  }
}

using DialogTextsFitTest = MainWindowTest;

TEST_F(DialogTextsFitTest, ParameterDialog) {
  runWhenShown(L"パラメータの設定", {[](HWND dialog) {
                 // Per level three labels and three notes, per disturbance a label and a note.
                 expectAllFit(dialog, 4 * 6 + 4 * 2);
                 clickButton(dialog, IDOK);
                 return true;
               }});
  clickTitleScreen(window);
  EXPECT_TRUE(scriptsDone());
}

TEST_F(DialogTextsFitTest, AboutBox) {
  runWhenShown(L"ﾊﾞｰｼﾞｮﾝ情報", {[](HWND dialog) {
                 expectAllFit(dialog, 2);
                 clickButton(dialog, IDOK);
                 return true;
               }});
  SendMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
  EXPECT_TRUE(scriptsDone());
}

}  // namespace
