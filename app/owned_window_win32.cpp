// The frame of the windows the main window owns: their places in the
// profile, their creation, and the messages they all answer alike.
#include "app/owned_window_win32.h"

#include <string>

#include "app/profile.h"
#include "app/startup_paths.h"
#include "engine/dpi_scale.h"

namespace {

constexpr int kDefaultX = 0, kDefaultY = 50;

}  // namespace

void PlaceWindowFromProfile(HWND hwnd, const WindowPlaceKeys& keys, int fixed_w, int fixed_h) {
  const char* path = profile_path.c_str();
  const int dpi = WindowDpi(hwnd);
  ProfileRect r{ProfileGetInt(keys.x, ScaleToDpi(kDefaultX, dpi), path),
                ProfileGetInt(keys.y, ScaleToDpi(kDefaultY, dpi), path), ScaleToDpi(fixed_w, dpi),
                ScaleToDpi(fixed_h, dpi)};
  if (keys.w != nullptr && keys.h != nullptr) {
    r.w = ProfileGetInt(keys.w, ScaleToDpi(keys.default_w, dpi), path);
    r.h = ProfileGetInt(keys.h, ScaleToDpi(keys.default_h, dpi), path);
  }
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (r.w <= 0 || r.h <= 0) {
    // The template's size stays; it still decides where the window fits.
    flags |= SWP_NOSIZE;
    RECT now{};
    GetWindowRect(hwnd, &now);
    r.w = now.right - now.left;
    r.h = now.bottom - now.top;
  }
  r = FitToNearestScreen(r);
  SetWindowPos(hwnd, nullptr, r.x, r.y, r.w, r.h, flags);
}

void SaveWindowPlace(HWND hwnd, const WindowPlaceKeys& keys) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  std::vector<ProfileEntry> entries{{keys.x, std::to_string(r.left)}, {keys.y, std::to_string(r.top)}};
  if (keys.w != nullptr && keys.h != nullptr) {
    entries.push_back({keys.w, std::to_string(r.right - r.left)});
    entries.push_back({keys.h, std::to_string(r.bottom - r.top)});
  }
  ProfileSetStrings(entries, profile_path.c_str());
}

INT_PTR HandleOwnedWindowMessage(HWND hwnd, const Sizer& sizer, UINT message, WPARAM wparam,
                                 LPARAM lparam) {
  switch (message) {
    case WM_DPICHANGED: {
      // Standard controls are left to the dialog manager (result 0).
      const RECT* r = reinterpret_cast<const RECT*>(lparam);
      if (r != nullptr)
        SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      LayOutWindow(sizer, hwnd);
      return 0;
    }
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
