#pragma once
// What the Folders and Switch windows share: a resizable modeless window
// owned by the main window (opened with OpenOwnedDialog), one instance at a
// time, reached through a global record pointer, whose rectangle lives in
// four profile keys.
#include <windows.h>

#include "app/own_windows_win32.h"
#include "app/window_place_win32.h"


// The messages both windows answer alike: Escape and the close box close
// the window, WM_CLOSE destroys it, a click takes the mouse capture until
// the button is released, the pointer over the window is the text cursor,
// and a paint only validates. True when the message was one of them.
bool HandleBrowseFrameMessage(HWND hwnd, UINT message, WPARAM wparam, INT_PTR* result);

// Starts the window's creation: the record goes into the window's user data
// and its handle into the record and the own-window slot.
template <typename R>
void StartBrowseWindow(R* r, HWND hwnd, OwnWindowSlot slot) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
  r->hwnd = hwnd;
  own_windows[slot] = hwnd;
}

// WM_DESTROY: the rectangle goes to the profile, the record is freed and the
// global and the slot are cleared.
template <typename R>
void EndBrowseWindow(R* r, R*& global, OwnWindowSlot slot, const WindowPlaceKeys& keys) {
  SaveWindowPlace(r->hwnd, keys);
  SetWindowLongPtrW(r->hwnd, GWLP_USERDATA, 0);
  if (own_windows[slot] == r->hwnd) own_windows[slot] = nullptr;
  if (global == r) global = nullptr;
  delete r;
}

// The dialog procedure of either window: `Init` at WM_INITDIALOG (the focus
// then goes to the first control), `Handle` for the rest once the record is
// known.
template <typename R, void (*Init)(R*, HWND), INT_PTR (*Handle)(R*, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK BrowseDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_INITDIALOG) {
      Init(reinterpret_cast<R*>(lparam), hwnd);
      return TRUE;
    }
    auto* r = reinterpret_cast<R*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return r != nullptr ? Handle(r, message, wparam, lparam) : 0;
  } catch (...) {
    // Out of memory in a handler: the message is dropped.
    return 0;
  }
}
