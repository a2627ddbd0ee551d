#pragma once
// Opening a modeless dialog that belongs to the main window and is reached
// through one global record pointer.
#include <windows.h>

#include <new>

// Focuses the dialog when `global` already points to its record. Otherwise
// allocates a zeroed record, sets `global`, creates the dialog from its
// template with `owner` as owner and the record as creation parameter, and
// shows it. The dialog's destroy handler frees the record and nulls `global`.
template <typename R>
void OpenOwnedDialog(HWND owner, R*& global, int template_id, DLGPROC proc) {
  if (global != nullptr) {
    SetFocus(global->hwnd);
    return;
  }
  R* r = new (std::nothrow) R{};
  if (r == nullptr) return;
  global = r;
  HWND hwnd = CreateDialogParamW(reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr)),
                                 MAKEINTRESOURCEW(template_id), owner, proc,
                                 reinterpret_cast<LPARAM>(r));
  if (hwnd == nullptr) {
    // A dialog destroyed during its creation has freed its record already.
    if (global == r) {
      global = nullptr;
      delete r;
    }
    return;
  }
  ShowWindow(hwnd, SW_SHOW);
}
