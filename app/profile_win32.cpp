// The profile's .ini file: read through the private-profile calls, narrow or
// wide by the path; written whole, through a new file put in its place.
#include "app/profile.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "documents/file_placement.h"
#include "documents/file_writer.h"
#include "documents/utf8_fs.h"
#include "documents/wide_name.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

const char kSection[] = "orvinale";

// Paths without a multi-byte sequence go to the narrow calls unchanged;
// the others (a configuration folder under a non-ASCII user name) need the
// wide calls.
bool WantsWide(const char* path) { return path && *path && IsValidUtf8(path) == 1; }

// The profile as this run last read it, at a window's opening, with every
// write of the run since: the base of each write. The file itself is not
// read at a close: another instance closing at the same moment may be
// replacing it, or may just have put back a text older than ours. So the
// last write of each run holds every key that run knows.
std::string copy_path, copy_text;

// False when the file cannot be read. Read with every sharing, delete
// too: another instance may put its own profile in place meanwhile, and
// must be able to remove the old file it set aside. A file in UTF-16 (the
// platform's calls read one that was made so) cannot take keys in our
// form: it reads as empty and is written anew.
bool ReadProfileText(const char* path, std::string* text) {
  std::wstring wide;
  if (!WidePath(path, &wide)) return false;
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string bytes;
  char block[4096];
  DWORD got = 0;
  bool read = true;
  while ((read = ReadFile(file, block, sizeof block, &got, nullptr) != 0) && got > 0) bytes.append(block, got);
  CloseHandle(file);
  if (!read) return false;
  if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) bytes.clear();
  *text = std::move(bytes);
  return true;
}

// Writes a new file beside `path` (a name no other instance takes) and
// renames it over the old one in one step, so the old file or the new one
// is always there. An old file another program holds open cannot be
// renamed over; only then is it replaced as documents are, through a
// backup name: a backup that program still holds cannot be removed at once.
bool PutProfileInPlace(const char* path, const std::string& text) {
  const std::string temp = NextTemporarySaveName(path);
  FileStatus before;
  const bool existed = StatUtf8(path, &before);
  bool written;
  {
    FileWriter writer(temp.c_str(), CreateMode::kCreateNew);
    if (!writer.IsOpen()) return false;
    written = writer.Write(text.data(), static_cast<int64_t>(text.size())) == static_cast<int64_t>(text.size()) &&
              writer.SyncToDisk() && !writer.Failed();
  }
  if (written && MoveFileUtf8(temp.c_str(), path)) return true;
  if (written && PutFileInPlace(temp.c_str(), path, existed ? &before : nullptr) == PlaceResult::kPlaced) return true;
  RemoveFileUtf8(temp.c_str());  // a profile kept aside would only be litter beside a whole one
  return false;
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
  if (path != nullptr && ReadProfileText(path, &copy_text)) copy_path = path;
  std::wstring wpath, wsection, wkey;
  if (WantsWide(path) && Utf8ToWide(path, &wpath) && Utf8ToWide(kSection, &wsection) && Utf8ToWide(key, &wkey))
    return static_cast<int>(GetPrivateProfileIntW(wsection.c_str(), wkey.c_str(), fallback, wpath.c_str()));
  return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, path));
}

bool ProfileSetStrings(const std::vector<ProfileEntry>& entries, const char* path) {
  if (path == nullptr || *path == 0) return false;
  // A profile made read-only is its user's word that it stays as it is; a
  // rename would put a writable file in its place.
  FileStatus status;
  if (StatUtf8(path, &status) && status.is_read_only) return false;
  if (copy_path != path) {
    copy_path = path;
    if (!ReadProfileText(path, &copy_text)) copy_text.clear();
  }
  copy_text = MergeProfileText(copy_text, entries);
  // The platform's calls rewrite the file in place, once for every key:
  // another instance closing at the same time would interleave its own.
  // A try can still fail while that instance puts its file in place; its
  // file is whole then, and the next try is ours.
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (attempt > 0) Sleep(15);
    if (PutProfileInPlace(path, copy_text)) return true;
  }
  return false;
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
