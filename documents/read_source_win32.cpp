// Windows half of FileReader: unbuffered positional reads. A file held open
// for writing by another program is opened with write sharing; its size is
// then asked again whenever it is wanted.
#include <windows.h>

#include <string>

#include "documents/file_names.h"
#include "documents/file_reader.h"
#include "documents/wide_name.h"

namespace {

class Win32ReadSource : public ReadSource {
 public:
  Win32ReadSource(HANDLE file, HANDLE event) : file_(file), event_(event) {}
  ~Win32ReadSource() override {
    CloseHandle(event_);
    CloseHandle(file_);
  }

  int64_t QuerySize() override {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(file_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
  }
  int32_t ReadAt(int64_t position, char* dest, int32_t count) override {
    OVERLAPPED o = {};
    o.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
    o.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(position) >> 32);
    o.hEvent = event_;
    ResetEvent(event_);
    DWORD got = 0;
    if (!ReadFile(file_, dest, static_cast<DWORD>(count), nullptr, &o)) {
      DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) return 0;
      if (error != ERROR_IO_PENDING) return -1;
    }
    if (!GetOverlappedResult(file_, &o, &got, TRUE))
      return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return static_cast<int32_t>(got);
  }

 private:
  HANDLE file_;
  HANDLE event_;
};

DWORD FlagsForMode(int mode) {
  if (mode == 1) return FILE_FLAG_OVERLAPPED | FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL;
  if (mode >= 2) return FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL;
  return FILE_ATTRIBUTE_NORMAL;
}

// Opens read-only, retrying with write sharing after a sharing violation.
template <class Open>
HANDLE OpenShared(Open open, bool* size_may_change) {
  HANDLE h = open(FILE_SHARE_READ);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
    h = open(FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (h != INVALID_HANDLE_VALUE) *size_may_change = true;
  }
  return h;
}

}  // namespace

std::unique_ptr<ReadSource> OpenPlatformReadSource(const char* name, int mode,
                                                   bool* size_may_change) {
  *size_may_change = false;
  if (name == nullptr) return nullptr;
  DWORD flags = FlagsForMode(mode);
  HANDLE file = INVALID_HANDLE_VALUE;
  std::wstring wide;
  if (NeedsWideName(name) && WidePath(name, &wide)) {
    file = OpenShared([&](DWORD share) {
      return CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, flags,
                         nullptr);
    }, size_may_change);
  }
  if (file == INVALID_HANDLE_VALUE) {
    file = OpenShared([&](DWORD share) {
      return CreateFileA(name, GENERIC_READ, share, nullptr, OPEN_EXISTING, flags, nullptr);
    }, size_may_change);
  }
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  if (event == nullptr) {
    CloseHandle(file);
    return nullptr;
  }
  return std::unique_ptr<ReadSource>(new Win32ReadSource(file, event));
}
