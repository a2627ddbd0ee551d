#include "app/window_place_win32.h"

#include "app/app_globals.h"
#include "app/profile.h"

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
