#include "dialog_driver.h"

#include <deque>

namespace dialogtest {

namespace {

DialogWatch* activeWatch = nullptr;

constexpr UINT kStepMs = 20;
// A script that has not finished by then is stuck; its dialog is ended so the test can fail.
constexpr DWORD kScriptTimeoutMs = 60000;

struct Script {
  std::wstring caption;
  std::vector<Step> steps;
  size_t next = 0;
};

std::deque<Script> scripts;
UINT_PTR stepTimer = 0;
DWORD scriptStart = 0;

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The visible top-level windows of this thread.
std::vector<HWND> threadWindows() {
  std::vector<HWND> all;
  EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> visible;
  for (HWND window : all) {
    if (IsWindowVisible(window)) {
      visible.push_back(window);
    }
  }
  return visible;
}

// Ends every open dialog of this thread; reports whether there was one.
bool endThreadDialogs() {
  bool any = false;
  for (HWND window : threadWindows()) {
    if (className(window) == L"#32770") {
      EndDialog(window, IDOK);
      any = true;
    }
  }
  return any;
}

void CALLBACK runNextStep(HWND, UINT, UINT_PTR, DWORD) {
  // A step may open another modal loop in which this timer keeps ticking; the step in
  // progress is only left once it returns.
  static bool inStep = false;
  if (scripts.empty() || inStep) {
    return;
  }
  if (GetTickCount() - scriptStart > kScriptTimeoutMs) {
    scripts.clear();
    endThreadDialogs();
    return;
  }
  Script& script = scripts.front();
  HWND dialog = findThreadWindow(script.caption);
  if (dialog == nullptr) {
    return;
  }
  inStep = true;
  bool done = script.steps[script.next](dialog);
  inStep = false;
  if (done && ++script.next == script.steps.size()) {
    scripts.pop_front();
    scriptStart = GetTickCount();
  }
}

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

void runWhenShown(const std::wstring& caption, std::vector<Step> steps) {
  if (scripts.empty()) {
    scriptStart = GetTickCount();
  }
  scripts.push_back(Script{caption, std::move(steps)});
  if (stepTimer == 0) {
    stepTimer = SetTimer(nullptr, 0, kStepMs, runNextStep);
  }
}

bool scriptsDone() {
  return scripts.empty();
}

bool abandonScripts() {
  bool stuck = !scripts.empty();
  scripts.clear();
  bool open = endThreadDialogs();
  return stuck || open;
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) {
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        continue;  // the quit of a closed game window; the next test makes its own
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

HWND findThreadWindow(const std::wstring& caption) {
  for (HWND window : threadWindows()) {
    if (windowText(window) == caption) {
      return window;
    }
  }
  return nullptr;
}

std::wstring windowText(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring className(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring itemText(HWND dialog, int id) {
  return windowText(GetDlgItem(dialog, id));
}

std::vector<std::wstring> staticTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiW(className(child).c_str(), L"Static") == 0) {
      texts.push_back(windowText(child));
    }
  }
  return texts;
}

void pressKey(HWND dialog, UINT virtualKey) {
  HWND focus = GetFocus();
  HWND target = focus != nullptr ? focus : dialog;
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void clickButton(HWND dialog, int id) {
  SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void postButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void clickTitleScreen(HWND window) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 320));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 320));
}

}  // namespace dialogtest
