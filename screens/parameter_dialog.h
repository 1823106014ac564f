#pragma once

#include <windows.h>

// Dialog 129: the sixteen fields that start a game.
INT_PTR CALLBACK parameterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
