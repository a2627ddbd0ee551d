// The frame of the windows the main window owns: their places in the
// profile, their creation, and the messages they all answer alike.
#include "app/owned_window_win32.h"

#include "app/profile.h"
#include "app/startup_paths.h"

void PlaceWindowFromProfile(HWND hwnd, const WindowPlaceKeys& keys, int fixed_w, int fixed_h) {
  const char* path = profile_path.c_str();
  int x = ProfileGetInt(keys.x, 0, path);
  int y = ProfileGetInt(keys.y, 50, path);
  int w = fixed_w, h = fixed_h;
  if (keys.w != nullptr && keys.h != nullptr) {
    w = ProfileGetInt(keys.w, keys.default_w, path);
    h = ProfileGetInt(keys.h, keys.default_h, path);
  }
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (w <= 0 || h <= 0) flags |= SWP_NOSIZE;
  SetWindowPos(hwnd, nullptr, x, y, w, h, flags);
}

void SaveWindowPlace(HWND hwnd, const WindowPlaceKeys& keys) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  const char* path = profile_path.c_str();
  ProfileSetInt(keys.x, r.left, path);
  ProfileSetInt(keys.y, r.top, path);
  if (keys.w == nullptr || keys.h == nullptr) return;
  ProfileSetInt(keys.w, r.right - r.left, path);
  ProfileSetInt(keys.h, r.bottom - r.top, path);
}

INT_PTR HandleOwnedWindowMessage(HWND hwnd, const Sizer& sizer, UINT message, WPARAM wparam) {
  switch (message) {
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) LayOutWindow(sizer, hwnd);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) SendMessageW(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) != SC_CLOSE) return 0;  // moving, sizing and the rest: as usual
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      return 1;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
  }
  return 0;
}

HWND CreateOwnedDialog(HWND owner, int template_id, DLGPROC proc, void* record) {
  HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                                 proc, reinterpret_cast<LPARAM>(record));
  if (hwnd != nullptr) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}
