// Watches this thread for modal dialogs and message boxes while a test drives the main
// window: each one is handed to the test once it is initialised, so the test can read it
// and post the answer that closes it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

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

// Clicks a button the way the dialog will see it, after the current message.
void postButton(HWND dialog, int id);

std::wstring windowTextW(HWND window);
// Texts of the dialog's static controls, in their order.
std::vector<std::wstring> staticTexts(HWND dialog);
