// Windows half of FileWriter: each full buffer becomes an overlapped write
// at its file position; up to 16 are in flight while the writer fills the
// next, and only a writer whose 16 slots are all busy waits.
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "documents/file_names.h"
#include "documents/file_writer.h"
#include "documents/wide_name.h"

namespace {

constexpr int kWriteSlots = 16;

// One write in flight: its own copy of the bytes, 4,096-aligned. The copy
// grows when a larger write comes.
struct WriteSlot {
  OVERLAPPED overlapped = {};
  HANDLE event = nullptr;
  std::unique_ptr<char[]> block;
  char* data = nullptr;
  int32_t capacity = 0;
  int32_t count = 0;
  bool pending = false;
};

bool Reserve(WriteSlot* s, int32_t count) {
  if (count <= s->capacity) return true;
  s->block.reset(new (std::nothrow) char[static_cast<size_t>(count) + 4095]);
  if (s->block == nullptr) {
    s->capacity = 0;
    return false;
  }
  uintptr_t at = reinterpret_cast<uintptr_t>(s->block.get());
  s->data = s->block.get() + ((4096 - at % 4096) % 4096);
  s->capacity = count;
  return true;
}

class Win32WriteTarget : public WriteTarget {
 public:
  explicit Win32WriteTarget(HANDLE file) : file_(file) {}
  ~Win32WriteTarget() override {
    Finish();
    for (WriteSlot& s : slots_)
      if (s.event != nullptr) CloseHandle(s.event);
    CloseHandle(file_);
  }

  bool Init() {
    for (WriteSlot& s : slots_) {
      s.event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
      if (s.event == nullptr || !Reserve(&s, kWriteBufferSize)) return false;
    }
    return true;
  }

  bool WriteAt(int64_t position, const char* data, int32_t count) override {
    if (count > kMaxDirectWrite) return Fail(ERROR_INVALID_PARAMETER);
    WriteSlot& s = slots_[next_];
    next_ = (next_ + 1) % kWriteSlots;
    if (s.pending) Complete(&s);  // the oldest write: wait for it
    if (!Reserve(&s, count)) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    std::memcpy(s.data, data, static_cast<size_t>(count));
    s.count = count;
    s.overlapped = OVERLAPPED();
    s.overlapped.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
    s.overlapped.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(position) >> 32);
    s.overlapped.hEvent = s.event;
    return Issue(&s);
  }

  bool Finish() override {
    // Oldest first, so writes complete in file order.
    for (int i = 0; i < kWriteSlots; ++i) {
      WriteSlot& s = slots_[(next_ + i) % kWriteSlots];
      if (s.pending) Complete(&s);
    }
    return Succeeded();
  }

  bool SyncToDisk() override {
    if (!Finish()) return false;
    return FlushFileBuffers(file_) != 0 || Fail(GetLastError());
  }

 private:
  // The first failure's code is kept, as later calls replace the thread's
  // last error; every call that answers false sets it again.
  bool Fail(DWORD code) {
    if (!failed_) error_ = code;
    failed_ = true;
    SetLastError(error_);
    return false;
  }
  bool Succeeded() { return !failed_ || Fail(error_); }

  // Starts the slot's write. One that completes short found no more room
  // on the disk.
  bool Issue(WriteSlot* s) {
    ResetEvent(s->event);
    DWORD written = 0;
    if (WriteFile(file_, s->data, static_cast<DWORD>(s->count), &written, &s->overlapped)) {
      if (written != static_cast<DWORD>(s->count)) return Fail(ERROR_DISK_FULL);
      return Succeeded();
    }
    if (GetLastError() != ERROR_IO_PENDING) return Fail(GetLastError());
    s->pending = true;
    return Succeeded();
  }

  // Waits for a write in flight; an aborted one is issued again.
  void Complete(WriteSlot* s) {
    while (s->pending) {
      s->pending = false;
      DWORD written = 0;
      if (GetOverlappedResult(file_, &s->overlapped, &written, TRUE)) {
        if (written != static_cast<DWORD>(s->count)) Fail(ERROR_DISK_FULL);
      } else if (GetLastError() == ERROR_OPERATION_ABORTED) {
        Issue(s);
      } else {
        Fail(GetLastError());
      }
    }
  }

  HANDLE file_;
  WriteSlot slots_[kWriteSlots];
  int next_ = 0;  // the slot used next; also the oldest in flight
  bool failed_ = false;
  DWORD error_ = 0;  // the code of the first failure
};

}  // namespace

std::unique_ptr<WriteTarget> OpenPlatformWriteTarget(const char* name, CreateMode mode) {
  if (name == nullptr) return nullptr;
  DWORD disposition = mode == CreateMode::kCreateNew      ? CREATE_NEW
                      : mode == CreateMode::kCreateAlways ? CREATE_ALWAYS
                                                          : OPEN_ALWAYS;
  DWORD flags = FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL;
  HANDLE file = INVALID_HANDLE_VALUE;
  std::wstring wide;
  if (NeedsWideName(name) && WidePath(name, &wide)) {
    // No narrow fallback when the wide call fails.
    file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                       disposition, flags, nullptr);
  } else {
    file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                       disposition, flags, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  std::unique_ptr<Win32WriteTarget> target(new (std::nothrow) Win32WriteTarget(file));
  if (target == nullptr) {
    CloseHandle(file);
    return nullptr;
  }
  if (!target->Init()) return nullptr;
  return std::unique_ptr<WriteTarget>(target.release());
}
