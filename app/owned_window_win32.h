#pragma once
// The one frame of the modeless windows the main window owns (Find, Change,
// Go-to, Folders, Switch, Preferences, About, Changelog, License). Each is
// reached through one global record pointer, null while the window is
// closed; opening an open window only focuses it; the record lives in the
// window's user data; the window's place (and, for a resizable window, its
// size) is kept in the profile; destroying the window saves its place, frees
// the record and nulls the global.
//
// A record type R has `hwnd` and `sizer` and describes its window through
// OwnedWindowTraits<R>, which derives from OwnedWindowDefaults:
//   kTemplate           the dialog resource
//   kPlace              its profile keys (size keys only for a resizable window)
//   kWidth, kHeight     its size in pixels at 96 DPI when no size is kept (0: the
//                       template's)
//   kPanes              the controls that follow the client edges, with their anchors
//   kFocusFirstControl  the dialog manager focuses the first control (else Init does)
//   Global()            the global that points to the record
//   MayOpen()           false: the opener does nothing, not even focus the window
//   Prepare(R*)         what the record needs before the window; false: not opened
//   Init(R*)            the window's own creation steps, once it is placed
//   Release(R*)         its own destruction steps, before its place is saved
//   ApplyDpi(R*, dpi)   the window's DPI changed: re-create what it draws with
//                       (fonts, images) at the new one; the frame then moves it
//                       to the suggested rectangle and lays its panes out
//   Handle(R*, message, wparam, lparam, INT_PTR* result)  its own messages;
//                       false leaves the message to the frame
#include <windows.h>

#include <initializer_list>
#include <new>

#include "app/sizer.h"
#include "app/window_layout_win32.h"

// A window's profile keys: its top-left corner (default 0, 50) and, for a
// resizable window, its size. The defaults are at 96 DPI.
struct WindowPlaceKeys {
  const char* x;
  const char* y;
  const char* w = nullptr;  // null: the size is not stored
  const char* h = nullptr;
  int default_w = 0, default_h = 0;
};

// Moves the window to the stored corner without reordering or activating
// it. Its size comes from the stored size when the keys have one, else from
// fixed_w × fixed_h (at 96 DPI) when those are positive; otherwise it is
// kept. Defaults are scaled to the window's DPI, and the rectangle is fitted
// to the screen nearest to it.
void PlaceWindowFromProfile(HWND hwnd, const WindowPlaceKeys& keys, int fixed_w, int fixed_h);
// Writes the window's screen corner, and its size when the keys have one.
void SaveWindowPlace(HWND hwnd, const WindowPlaceKeys& keys);

// A control that follows the client edges by its anchors.
struct PaneAnchor {
  int id;
  SizerAnchors anchors;
};

struct OwnedWindowDefaults {
  static constexpr int kWidth = 0, kHeight = 0;
  static constexpr std::initializer_list<PaneAnchor> kPanes = {};
  static constexpr bool kFocusFirstControl = false;
  static bool MayOpen() { return true; }
  template <typename R>
  static bool Prepare(R*) { return true; }
  template <typename R>
  static void Init(R*) {}
  template <typename R>
  static void Release(R*) {}
  template <typename R>
  static void ApplyDpi(R*, int) {}
  template <typename R>
  static bool Handle(R*, UINT, WPARAM, LPARAM, INT_PTR*) { return false; }
};

template <typename R>
struct OwnedWindowTraits;

// What every owned window does alike with the messages its own handler
// leaves: a new size moves its panes, Cancel (Escape) and the close box
// close it, WM_CLOSE destroys it, a new DPI moves it to the rectangle the
// system suggests and lays its panes out again.
INT_PTR HandleOwnedWindowMessage(HWND hwnd, const Sizer& sizer, UINT message, WPARAM wparam,
                                 LPARAM lparam);
// Creates the dialog from its template, owned by `owner`, with `record` as
// its creation parameter, and shows it. Null when it could not be created.
HWND CreateOwnedDialog(HWND owner, int template_id, DLGPROC proc, void* record);

template <typename R>
void StartOwnedWindow(R* r, HWND hwnd) {
  using T = OwnedWindowTraits<R>;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
  r->hwnd = hwnd;
  SetUpWindowSizer(&r->sizer, hwnd);
  for (const PaneAnchor& pane : T::kPanes) AddSizerControl(&r->sizer, hwnd, pane.id, pane.anchors);
  PlaceWindowFromProfile(hwnd, T::kPlace, T::kWidth, T::kHeight);
  T::Init(r);
}

template <typename R>
void EndOwnedWindow(R* r) {
  using T = OwnedWindowTraits<R>;
  T::Release(r);
  SaveWindowPlace(r->hwnd, T::kPlace);
  SetWindowLongPtrW(r->hwnd, GWLP_USERDATA, 0);
  if (T::Global() == r) T::Global() = nullptr;
  delete r;
}

template <typename R>
INT_PTR CALLBACK OwnedWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  using T = OwnedWindowTraits<R>;
  try {
    if (message == WM_INITDIALOG) {
      if (lparam != 0) StartOwnedWindow(reinterpret_cast<R*>(lparam), hwnd);
      return T::kFocusFirstControl;
    }
    auto* r = reinterpret_cast<R*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (r == nullptr) return 0;
    if (message == WM_DESTROY) {
      EndOwnedWindow(r);
      return 0;
    }
    INT_PTR result = 0;
    if (T::Handle(r, message, wparam, lparam, &result)) return result;
    if (message == WM_DPICHANGED) T::ApplyDpi(r, LOWORD(wparam));
    return HandleOwnedWindowMessage(hwnd, r->sizer, message, wparam, lparam);
  } catch (...) {
    // Out of memory in a handler: the message is dropped.
    return 0;
  }
}

// Focuses the window when it is open; otherwise creates its record and the
// window, owned by `owner`, and shows it.
template <typename R>
void OpenOwnedWindow(HWND owner) {
  using T = OwnedWindowTraits<R>;
  if (!T::MayOpen()) return;
  R*& global = T::Global();
  if (global != nullptr) {
    SetFocus(global->hwnd);
    return;
  }
  R* r = new (std::nothrow) R{};
  if (r == nullptr) return;
  if (!T::Prepare(r)) {
    delete r;
    return;
  }
  global = r;
  // A window destroyed during its creation has freed its record already.
  if (CreateOwnedDialog(owner, T::kTemplate, OwnedWindowProc<R>, r) == nullptr && global == r) {
    global = nullptr;
    delete r;
  }
}
