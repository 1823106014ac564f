#include "dialog_watch.h"

namespace {

DialogWatch* activeWatch = nullptr;

}  // namespace

DialogWatch::DialogWatch(Handler handler) : handler_(std::move(handler)) {
  activeWatch = this;
  hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, afterMessage, nullptr, GetCurrentThreadId());
}

DialogWatch::~DialogWatch() {
  UnhookWindowsHookEx(hook_);
  activeWatch = nullptr;
}

LRESULT CALLBACK DialogWatch::afterMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && activeWatch != nullptr) {
    ++activeWatch->seen_;
    activeWatch->handler_(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void postButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring windowTextW(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::vector<std::wstring> staticTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
      texts.push_back(windowTextW(child));
    }
  }
  return texts;
}
