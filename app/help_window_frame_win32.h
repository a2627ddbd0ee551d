#pragma once
// What the help windows (About, License, Changelog) share: one modeless
// window of a fixed size, owned by the main window, one instance at a time,
// whose only control fills it and whose position lives in the profile.
//
// A window's record type R has `hwnd` and `sizer` and provides, through
// HelpWindowTraits<R>:
//   kTemplate, kControl  the dialog resource and its one control
//   kSlot                its slot in own_windows
//   kXKey, kYKey         its position keys in the profile
//   kWidth, kHeight      its size in pixels, whatever the template says
//   Global()             a reference to the global that points to the record
//   Init(R*)             the window's own creation steps
//   Release(R*)          the window's own destruction steps
//   Handle(R*, message, wparam, lparam)  its other messages (0: not handled)
#include <windows.h>

#include "app/own_windows_win32.h"
#include "app/owned_dialog_win32.h"
#include "app/window_layout_win32.h"
#include "app/window_place_win32.h"

template <typename R>
struct HelpWindowTraits;

template <typename R>
void StartHelpWindow(R* r, HWND hwnd) {
  using T = HelpWindowTraits<R>;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
  r->hwnd = hwnd;
  own_windows[T::kSlot] = hwnd;
  SetUpWindowSizer(&r->sizer, hwnd);
  AddSizerControl(&r->sizer, hwnd, T::kControl, {0, 0, 1, 1});
  PlaceWindowFromProfile(hwnd, {T::kXKey, T::kYKey}, T::kWidth, T::kHeight);
  T::Init(r);
}

template <typename R>
void EndHelpWindow(R* r) {
  using T = HelpWindowTraits<R>;
  T::Release(r);
  SaveWindowPlace(r->hwnd, {T::kXKey, T::kYKey});
  SetWindowLongPtrW(r->hwnd, GWLP_USERDATA, 0);
  if (own_windows[T::kSlot] == r->hwnd) own_windows[T::kSlot] = nullptr;
  if (T::Global() == r) T::Global() = nullptr;
  delete r;
}

template <typename R>
INT_PTR HandleHelpWindowMessage(R* r, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      EndHelpWindow(r);
      return 0;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) LayOutWindow(r->sizer, r->hwnd);
      return 0;
    case WM_CLOSE:
      DestroyWindow(r->hwnd);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) SendMessageW(r->hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) != SC_CLOSE) return 0;  // moving and the rest: as usual
      SendMessageW(r->hwnd, WM_CLOSE, 0, 0);
      return 1;
  }
  return HelpWindowTraits<R>::Handle(r, message, wparam, lparam);
}

template <typename R>
INT_PTR CALLBACK HelpWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_INITDIALOG) {
      if (lparam != 0) StartHelpWindow(reinterpret_cast<R*>(lparam), hwnd);
      return 0;  // each window sets its own focus
    }
    auto* r = reinterpret_cast<R*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return r != nullptr ? HandleHelpWindowMessage(r, message, wparam, lparam) : 0;
  } catch (...) {
    // Out of memory in a handler: the message is dropped.
    return 0;
  }
}

// Focuses the window when it is open; otherwise creates and shows it.
template <typename R>
void OpenHelpWindow(HWND owner) {
  using T = HelpWindowTraits<R>;
  OpenOwnedDialog(owner, T::Global(), T::kTemplate, HelpWindowProc<R>);
}
