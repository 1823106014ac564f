// The About box (dialog 103) and its animation of random lines.
#pragma once

#include <windows.h>

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
