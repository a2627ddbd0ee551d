#pragma once
// What the Find, Change and Go-to dialogs share: one dialog procedure and one
// opener, written once over a small table of what differs per dialog.
//
// A dialog's record type R provides, through SearchDialogTraits<R>:
//   kTemplate          the dialog resource
//   kXKey, kYKey       its position keys in the profile
//   Global()           a reference to the global that points to the record
//   Init(R*)           looks up the controls (r->hwnd is set)
//   Ok(R*)             the OK action; closes the dialog
#include <windows.h>

#include <string>

#include "app/owned_dialog_win32.h"
#include "app/window_place_win32.h"

template <typename R>
struct SearchDialogTraits;

// True when a dialog may open: the application state exists and holds at
// least one document.
bool SearchDialogsAvailable();
// The edit's text as UTF-8, cut to at most 2,047 bytes on a character
// boundary.
std::string ReadEditUtf8(HWND edit);
bool IsBoxChecked(HWND box);
void CloseDialog(HWND dialog);

template <typename R>
void TearDownSearchDialog(R* r) {
  using T = SearchDialogTraits<R>;
  SaveWindowPlace(r->hwnd, {T::kXKey, T::kYKey});
  SetWindowLongPtrW(r->hwnd, GWLP_USERDATA, 0);
  if (T::Global() == r) T::Global() = nullptr;
  delete r;
}

template <typename R>
void RunSearchDialogCommand(R* r, int id) {
  if (id == IDOK) SearchDialogTraits<R>::Ok(r);
  if (id == IDCANCEL) CloseDialog(r->hwnd);
}

// Returns 0 for every message so the standard dialog handling stays in force.
template <typename R>
INT_PTR CALLBACK SearchDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  using T = SearchDialogTraits<R>;
  try {
    if (message == WM_INITDIALOG) {
      auto* r = reinterpret_cast<R*>(lparam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, lparam);
      r->hwnd = hwnd;
      T::Init(r);
      PlaceWindowFromProfile(hwnd, {T::kXKey, T::kYKey});
      return 0;
    }
    auto* r = reinterpret_cast<R*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (r == nullptr) return 0;
    switch (message) {
      case WM_COMMAND: RunSearchDialogCommand(r, LOWORD(wparam)); break;
      case WM_CLOSE: DestroyWindow(hwnd); break;
      case WM_DESTROY: TearDownSearchDialog(r); break;
      case WM_SYSCOMMAND: if ((wparam & 0xFFF0) == SC_CLOSE) CloseDialog(hwnd); break;
    }
  } catch (...) {
    // Out of memory while reading an entry: the command is dropped.
  }
  return 0;
}

template <typename R>
void OpenSearchDialog(HWND owner) {
  using T = SearchDialogTraits<R>;
  if (!SearchDialogsAvailable()) return;
  OpenOwnedDialog(owner, T::Global(), T::kTemplate, SearchDialogProc<R>);
}
