// The profile's .ini file through the private-profile calls, narrow or wide
// by the path.
#include "app/profile.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

const char kSection[] = "orvinale";

// Paths without a multi-byte sequence go to the narrow calls unchanged;
// the others (a configuration folder under a non-ASCII user name) need the
// wide calls.
bool WantsWide(const char* path) { return path && *path && IsValidUtf8(path) == 1; }

}  // namespace

ProfileRect FitToNearestScreen(const ProfileRect& stored) {
  // Windows makes no window smaller than its tracking minimum: the fit must
  // place the window as it will be, or a tiny one pushed to the screen's
  // edge ends up past it.
  ProfileRect r = stored;
  r.w = std::max<int32_t>(r.w, GetSystemMetrics(SM_CXMINTRACK));
  r.h = std::max<int32_t>(r.h, GetSystemMetrics(SM_CYMINTRACK));
  // A hand-edited profile may hold any numbers: the far edges must not wrap.
  auto end_of = [](int32_t start, int32_t size) {
    return static_cast<LONG>(std::clamp<int64_t>(int64_t{start} + size, INT32_MIN, INT32_MAX));
  };
  const RECT rect{r.x, r.y, end_of(r.x, r.w), end_of(r.y, r.h)};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return r;
  const RECT& work = info.rcWork;
  return FitRectToScreen(r, ScreenArea{work.left, work.top, work.right, work.bottom});
}

int ProfileGetInt(const char* key, int fallback, const char* path) {
  std::wstring wpath, wsection, wkey;
  if (WantsWide(path) && Utf8ToWide(path, &wpath) && Utf8ToWide(kSection, &wsection) && Utf8ToWide(key, &wkey))
    return static_cast<int>(GetPrivateProfileIntW(wsection.c_str(), wkey.c_str(), fallback, wpath.c_str()));
  return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, path));
}

bool ProfileSetString(const char* key, const char* value, const char* path) {
  std::wstring wpath, wsection, wkey, wvalue;
  if (WantsWide(path) && Utf8ToWide(path, &wpath) && Utf8ToWide(kSection, &wsection)) {
    if (Utf8ToWide(key, &wkey) && Utf8ToWide(value, &wvalue))
      return WritePrivateProfileStringW(wsection.c_str(), wkey.c_str(), wvalue.c_str(), wpath.c_str()) != 0;
  }
  return WritePrivateProfileStringA(kSection, key, value, path) != 0;
}

bool ProfileSetInt(const char* key, int value, const char* path) {
  char text[32];
  std::snprintf(text, sizeof text, "%d", value);
  return ProfileSetString(key, text, path);
}

int FileProfileStore::GetInt(const char* key, int fallback) {
  return ProfileGetInt(key, fallback, path_.c_str());
}

void FileProfileStore::SetString(const char* key, const char* value) {
  ProfileSetString(key, value, path_.c_str());
}
