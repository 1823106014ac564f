#include "parameter_dialog.h"

// Placeholder until the parameter dialog is built.
INT_PTR CALLBACK parameterDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}
