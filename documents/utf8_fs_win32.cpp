// Windows halves of the UTF-8 file wrappers.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "documents/file_names.h"
#include "documents/utf8_fs.h"
#include "documents/wide_name.h"

namespace {

bool ModeWrites(const char* mode) {
  return std::strpbrk(mode, "+aw") != nullptr;
}

int64_t UnixSeconds(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  // 100 ns ticks since 1601 -> seconds since 1970.
  return static_cast<int64_t>(v.QuadPart / 10000000ull) - 11644473600ll;
}

void FillStatus(const WIN32_FILE_ATTRIBUTE_DATA& a, FileStatus* out) {
  out->is_directory = (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  out->is_regular = !out->is_directory && (a.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  out->is_read_only = (a.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  out->size = out->is_directory
                  ? 0
                  : static_cast<int64_t>((static_cast<uint64_t>(a.nFileSizeHigh) << 32) |
                                         a.nFileSizeLow);
  out->modified_time = UnixSeconds(a.ftLastWriteTime);
}

}  // namespace

FILE* OpenStreamUtf8(const char* path, const char* mode) {
  if (path == nullptr || mode == nullptr) return nullptr;
  std::wstring wide_name, wide_mode;
  if (!NeedsWideName(path) || !WidePath(path, &wide_name))
    return std::fopen(path, mode);
  if (std::strlen(mode) >= 32 || !Utf8ToWide(mode, &wide_mode)) return nullptr;
  FILE* f = _wfopen(wide_name.c_str(), wide_mode.c_str());
  if (f == nullptr && !ModeWrites(mode)) f = std::fopen(path, mode);
  return f;
}

bool StatUtf8(const char* path, FileStatus* out) {
  if (path == nullptr || out == nullptr) return false;
  WIN32_FILE_ATTRIBUTE_DATA a;
  std::wstring wide;
  if (WidePath(path, &wide) && GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &a)) {
    FillStatus(a, out);
    return true;
  }
  if (GetFileAttributesExA(path, GetFileExInfoStandard, &a)) {
    FillStatus(a, out);
    return true;
  }
  return false;
}

bool SetCurrentDirectoryUtf8(const char* path) {
  if (path == nullptr) return false;
  std::wstring wide;
  if (WidePath(path, &wide)) return SetCurrentDirectoryW(wide.c_str()) != 0;
  return SetCurrentDirectoryA(path) != 0;
}

bool CreateDirectoryUtf8(const char* path) {
  if (path == nullptr) return false;
  std::wstring wide;
  if (NeedsWideName(path) && WidePath(path, &wide))
    return CreateDirectoryW(wide.c_str(), nullptr) != 0;
  return CreateDirectoryA(path, nullptr) != 0;
}

bool ReplaceFileUtf8(const char* replacement_path, const char* target_path) {
  if (replacement_path == nullptr || target_path == nullptr) return false;
  std::wstring from, to;
  if (WidePath(replacement_path, &from) && WidePath(target_path, &to)) {
    // ReplaceFileW keeps the target's attributes, streams and security; a
    // missing target (or a file system without it) takes the replacing move.
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
      return true;
    DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
      return false;
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (ReplaceFileA(target_path, replacement_path, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr))
    return true;
  DWORD attributes = GetFileAttributesA(target_path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return false;
  return MoveFileExA(replacement_path, target_path,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFileUtf8(const char* path) {
  if (path == nullptr) return false;
  std::wstring wide;
  if (WidePath(path, &wide)) return DeleteFileW(wide.c_str()) != 0;
  return DeleteFileA(path) != 0;
}
