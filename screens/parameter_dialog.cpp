#include "parameter_dialog.h"

#include "main_window.h"
#include "parameters.h"
#include "resource.h"
#include "world.h"

namespace {

void fillDefaults(HWND dialog) {
  for (int i = 0; i < kParameterFieldCount; ++i) {
    SetDlgItemTextA(dialog, IDC_FIELD_FIRST + i, kDefaultParameterTexts[i]);
  }
}

// The edits are numbered in the order the world takes them: for each level its population,
// start life and birth chance, then the four disturbances. They are read as narrow text in the
// system's code page: what the world reads in them (digits, sign, point, exponent) is ASCII and
// comes out the same in every code page.
void storeFields(HWND dialog) {
  char texts[kParameterFieldCount][kFieldTextBytes];
  const char* fields[kParameterFieldCount];
  for (int i = 0; i < kParameterFieldCount; ++i) {
    GetDlgItemTextA(dialog, IDC_FIELD_FIRST + i, texts[i], kFieldTextBytes);
    fields[i] = texts[i];
  }
  storeParameterTexts(world, fields);
}

}  // namespace

INT_PTR CALLBACK parameterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      fillDefaults(dialog);
      return TRUE;

    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          storeFields(dialog);
          seedWorld();
          GameMode = Running;
          EndDialog(dialog, IDOK);
          return FALSE;
        case IDCANCEL:
          // A game can only be started, not backed out of: Esc and the close box do nothing.
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}
