// The main window: its class, creation, window procedure, the timer tick and the game modes.
#pragma once

#include <windows.h>

enum GameModeValue { Title = 0, Running = 1 };

extern int GameMode;
extern RECT startButtonRect;
extern HINSTANCE appInstance;
extern char appTitle[100];
extern char appClassName[100];

constexpr UINT_PTR kMainTimerId = 1;
constexpr UINT kMainTimerMs = 100;

void registerMainClass(HINSTANCE instance);
bool createMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One timer tick: the frame of the current mode, then the end-of-game rule.
void runTick(HWND window);
void checkGameOver(HWND window);
