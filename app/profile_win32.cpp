// The profile's .ini file: read through the private-profile calls, narrow or
// wide by the path; written whole, as documents are saved.
#include "app/profile.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "documents/file_reader.h"
#include "documents/text_encoder.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

const char kSection[] = "orvinale";

// Paths without a multi-byte sequence go to the narrow calls unchanged;
// the others (a configuration folder under a non-ASCII user name) need the
// wide calls.
bool WantsWide(const char* path) { return path && *path && IsValidUtf8(path) == 1; }

constexpr uint32_t kCrLf = 1;

// The profile as this run last read or wrote it.
std::string last_text_path, last_text;

// False when the file cannot be read. A file in UTF-16 (the platform's
// calls read one that was made so) cannot take keys in our form: it reads
// as empty and is written anew.
bool ReadProfileText(const char* path, std::string* text) {
  std::unique_ptr<char[]> bytes;
  int64_t length = 0;
  if (!ReadWholeFile(path, &bytes, &length)) return false;
  text->assign(bytes.get(), static_cast<size_t>(length));
  if (text->rfind("\xFF\xFE", 0) == 0 || text->rfind("\xFE\xFF", 0) == 0) text->clear();
  return true;
}

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
  // The run's copy, for a write that cannot read the file just then.
  if (path != nullptr && last_text_path != path && ReadProfileText(path, &last_text)) last_text_path = path;
  std::wstring wpath, wsection, wkey;
  if (WantsWide(path) && Utf8ToWide(path, &wpath) && Utf8ToWide(kSection, &wsection) && Utf8ToWide(key, &wkey))
    return static_cast<int>(GetPrivateProfileIntW(wsection.c_str(), wkey.c_str(), fallback, wpath.c_str()));
  return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, path));
}

bool ProfileSetStrings(const std::vector<ProfileEntry>& entries, const char* path) {
  if (path == nullptr || *path == 0) return false;
  std::string text;
  if (!ReadProfileText(path, &text) && last_text_path == path) text = last_text;
  text = MergeProfileText(text, entries);
  last_text_path = path;
  last_text = text;
  // The platform's calls rewrite the file in place, once for every key:
  // another instance closing at the same time would interleave its own.
  const TextSpan span{text.data(), static_cast<int32_t>(text.size())};
  return SaveTextToFile(path, &span, 1, kCrLf);
}

bool ProfileSetString(const char* key, const char* value, const char* path) {
  return ProfileSetStrings({{key, value}}, path);
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
  pending_.push_back({key, value});
}

bool FileProfileStore::Write() {
  const bool written = ProfileSetStrings(pending_, path_.c_str());
  pending_.clear();
  return written;
}
