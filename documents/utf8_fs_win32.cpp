// Windows halves of the UTF-8 file wrappers.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "documents/file_identity.h"
#include "documents/file_names.h"
#include "documents/utf8_fs.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"

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

// The final name comes as \\?\C:\... or \\?\UNC\server\...;
// the wide calls add the prefix again when the name is long.
std::wstring WithoutLongPathPrefix(const std::wstring& name) {
  if (name.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + name.substr(8);
  if (name.compare(0, 4, L"\\\\?\\") == 0) return name.substr(4);
  return name;
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
  // CON, NUL, COM1 and the like exist in every folder, as devices.
  if (IsWindowsDeviceName(path)) {
    *out = FileStatus();
    return true;
  }
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

ReplaceResult ReplaceFileUtf8(const char* replacement_path, const char* target_path,
                              const char* backup_path) {
  if (replacement_path == nullptr || target_path == nullptr || backup_path == nullptr)
    return ReplaceResult::kNotReplaced;
  FileStatus target;
  if (StatUtf8(target_path, &target) && target.is_read_only) return ReplaceResult::kNotReplaced;
  // ReplaceFileW keeps the target's attributes, streams and security. With
  // a backup name its failures say where each file is: after
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT both keep their names; after
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 the original has the backup's name.
  std::wstring from, to, backup;
  BOOL replaced;
  if (WidePath(replacement_path, &from) && WidePath(target_path, &to) &&
      WidePath(backup_path, &backup))
    replaced = ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(),
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  else
    replaced = ReplaceFileA(target_path, replacement_path, backup_path,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  if (replaced) return ReplaceResult::kReplaced;
  return GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ? ReplaceResult::kOriginalMoved
                                                               : ReplaceResult::kNotReplaced;
}

bool MoveFileUtf8(const char* from, const char* to) {
  if (from == nullptr || to == nullptr) return false;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  std::wstring wide_from, wide_to;
  if (WidePath(from, &wide_from) && WidePath(to, &wide_to))
    return MoveFileExW(wide_from.c_str(), wide_to.c_str(), flags) != 0;
  return MoveFileExA(from, to, flags) != 0;
}

bool FinalPathUtf8(const char* path, std::string* out) {
  // A name that is not UTF-8 stays as it is: its final name could not be
  // given back in the narrow form.
  std::wstring wide;
  if (path == nullptr || !WidePath(path, &wide)) return false;
  HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::wstring final_name(1024, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file, &final_name[0], 1024, VOLUME_NAME_DOS);
  if (n >= 1024) {
    final_name.resize(n);
    n = GetFinalPathNameByHandleW(file, &final_name[0], n, VOLUME_NAME_DOS);
  }
  CloseHandle(file);
  if (n == 0 || n >= final_name.size()) return false;
  final_name.resize(n);
  return WideToUtf8(WithoutLongPathPrefix(final_name).c_str(), out);
}

bool RemoveFileUtf8(const char* path) {
  if (path == nullptr) return false;
  std::wstring wide;
  if (WidePath(path, &wide)) return DeleteFileW(wide.c_str()) != 0;
  return DeleteFileA(path) != 0;
}

uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

int LastFileError() { return static_cast<int>(GetLastError()); }
int AccessDeniedError() { return ERROR_ACCESS_DENIED; }
// What the platform itself answers when a folder is opened for writing.
int NotAFileError() { return ERROR_ACCESS_DENIED; }

std::string FileErrorText(int code) {
  if (code == 0) return std::string();
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text),
                           0, nullptr);
  std::string out;
  if (n != 0 && !WideToUtf8(text, n, &out)) out.clear();
  LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
  return out.empty() ? "Error " + std::to_string(code) + "." : out;
}

LoadRefusal RefusalForOpenError(int code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE: case ERROR_BAD_NETPATH: case ERROR_BAD_NET_NAME:
      return LoadRefusal::kNotFound;
    case ERROR_ACCESS_DENIED:
      return LoadRefusal::kAccessDenied;
    case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION:
      return LoadRefusal::kInUse;
    default:
      return LoadRefusal::kUnreadable;
  }
}
