// Drives the game's modal dialogs and message boxes from inside their own message loops, the
// way a player would, in two ways:
// - a DialogWatch hands each dialog to the test right after WM_INITDIALOG, so that the test
//   reads the state around the dialog's opening and posts the answer that closes it;
// - a script of steps is bound to a dialog caption and run on a thread timer, one step per
//   tick, so that keys posted by one step are handled before the next step looks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogtest {

class DialogWatch {
 public:
  using Handler = std::function<void(HWND dialog)>;

  // The handler runs inside the dialog's own message loop, right after WM_INITDIALOG.
  explicit DialogWatch(Handler handler);
  ~DialogWatch();
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;

  int seen() const { return seen_; }

 private:
  static LRESULT CALLBACK afterMessage(int code, WPARAM wParam, LPARAM lParam);

  Handler handler_;
  HHOOK hook_ = nullptr;
  int seen_ = 0;
};

// Returns true when done; a step that returns false runs again on the next tick.
using Step = std::function<bool(HWND dialog)>;

// Queues a script for the next visible window of this thread captioned `caption`. Scripts
// run one after another in the order they were queued.
void runWhenShown(const std::wstring& caption, std::vector<Step> steps);
// True when every queued script has run all its steps.
bool scriptsDone();
// Forgets unfinished scripts and ends every dialog of this thread still open; reports
// whether there was anything to clean up (a test whose script got stuck).
bool abandonScripts();

// Dispatches this thread's messages until `done` holds or timeoutMs pass; returns `done`.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs);

// The visible top-level window of this thread with this caption, or nullptr.
HWND findThreadWindow(const std::wstring& caption);

std::wstring windowText(HWND window);
std::wstring className(HWND window);
std::wstring itemText(HWND dialog, int id);
// Texts of the dialog's static controls, in their order.
std::vector<std::wstring> staticTexts(HWND dialog);

// Player-like input to the dialog: a key pressed on the focused control, a button clicked.
void pressKey(HWND dialog, UINT virtualKey);
void clickButton(HWND dialog, int id);
// The click as the dialog will see it after the current message: for a DialogWatch handler,
// which runs before the dialog's loop has started.
void postButton(HWND dialog, int id);

// Opens the parameter dialog as the player does: a click on the title screen.
void clickTitleScreen(HWND window);

}  // namespace dialogtest
