// Windows half of the file identity: the full name by the system's own
// rules (GetFullPathNameW), then the file itself opened without access
// rights for its volume and id and for its final name.
#include <windows.h>

#include <cstring>
#include <string>

#include "documents/file_identity.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"

namespace {

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

// FILE_ID_INFO, which the headers declare only for newer targets.
struct FileIdInfo128 {
  ULONGLONG volume;
  BYTE id[16];
};
constexpr int kFileIdInfoClass = 18;

bool FullName(const std::wstring& wide, std::wstring* out) {
  DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return false;
  out->assign(n, L'\0');
  n = GetFullPathNameW(wide.c_str(), n, &(*out)[0], nullptr);
  if (n == 0 || n >= out->size()) return false;
  out->resize(n);
  return true;
}

// The final name without the "\\?\" the call puts in front; the wide calls
// add it again for a long name.
bool FinalName(HANDLE file, std::string* out) {
  std::wstring name(1024, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file, &name[0], 1024, VOLUME_NAME_DOS);
  if (n >= 1024) {
    name.resize(n);
    n = GetFinalPathNameByHandleW(file, &name[0], n, VOLUME_NAME_DOS);
  }
  if (n == 0 || n >= name.size()) return false;
  name.resize(n);
  std::string utf8;
  if (!WideToUtf8(name.c_str(), &utf8)) return false;
  *out = FullWindowsName(utf8, "");
  return true;
}

// Opens a file or folder for its attributes only: no program's sharing
// mode refuses that.
HANDLE OpenForIdentity(const std::string& name) {
  std::wstring wide;
  if (!WidePath(name.c_str(), &wide)) return INVALID_HANDLE_VALUE;
  return CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool ReadIdentity(HANDLE file, FileKey* out) {
  FileIdInfo128 info;
  if (GetFileInformationByHandleEx(file, static_cast<FILE_INFO_BY_HANDLE_CLASS>(kFileIdInfoClass),
                                   &info, sizeof info)) {
    out->volume = info.volume;
    std::memcpy(&out->id_low, info.id, 8);
    std::memcpy(&out->id_high, info.id + 8, 8);
    if (out->id_low != 0 || out->id_high != 0) return true;
  }
  BY_HANDLE_FILE_INFORMATION basic;
  if (!GetFileInformationByHandle(file, &basic)) return false;
  out->volume = basic.dwVolumeSerialNumber;
  out->id_high = 0;
  out->id_low = (static_cast<uint64_t>(basic.nFileIndexHigh) << 32) | basic.nFileIndexLow;
  // Some network shares answer 0 for every file: such an id would make all
  // their files one, so the name alone decides there.
  return out->id_low != 0;
}

}  // namespace

bool ResolveFileKey(const char* name, FileKey* out) {
  std::wstring wide, full_wide;
  std::string full;
  if (name == nullptr || *name == 0) return false;
  // GetFullPathNameW knows each drive's current folder, but leaves a "\\?\"
  // name as it is: that prefix goes first.
  const std::string start = std::strncmp(name, "\\\\?\\", 4) == 0 ? FullWindowsName(name, "") : name;
  if (!Utf8ToWide(start.c_str(), &wide) || !FullName(wide, &full_wide) ||
      !WideToUtf8(full_wide.c_str(), &full))
    return false;
  full = FullWindowsName(full, "");
  *out = FileKey();
  out->name = full;
  if (!IsWindowsDeviceName(full)) {
    HandleCloser file{OpenForIdentity(full)};
    if (file.handle != INVALID_HANDLE_VALUE) {
      out->on_disk = ReadIdentity(file.handle, out);
      FinalName(file.handle, &out->name);
    } else {
      size_t slash = full.find_last_of('\\');
      HandleCloser folder{slash == std::string::npos ? INVALID_HANDLE_VALUE
                                                     : OpenForIdentity(full.substr(0, slash + 1))};
      std::string folder_name;
      if (folder.handle != INVALID_HANDLE_VALUE && FinalName(folder.handle, &folder_name)) {
        if (folder_name.empty() || folder_name.back() != '\\') folder_name += '\\';
        out->name = folder_name + full.substr(slash + 1);
      }
    }
  }
  out->folded = FoldNameCase(out->name);
  return true;
}
