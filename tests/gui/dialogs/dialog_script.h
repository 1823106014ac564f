// Drives the game's modal dialogs from inside their own message loops, the way a player
// would: a script of steps is bound to a dialog caption and run on a thread timer, one step
// per tick, so that keys posted by one step are handled before the next step looks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogtest {

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

// Player-like input to the dialog: a key pressed on the focused control, a button clicked.
void pressKey(HWND dialog, UINT virtualKey);
void clickButton(HWND dialog, int id);

// The game's main window, made as WinMain makes it, in Title mode; and its end.
HWND openGameWindow();
void closeGameWindow(HWND window);

// Opens the parameter dialog as the player does: a click on the title screen.
void clickTitleScreen(HWND window);

}  // namespace dialogtest
