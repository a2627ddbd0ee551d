// Win32 clipboard: UTF-16 and UTF-8 bytes out, Unicode preferred in.
#include "engine/clipboard_win32.h"

#include <cstring>

#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

// Keeps the clipboard open for one scope.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// Locks a global memory block for one scope.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedGlobal() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  void* Data() const { return data_; }
  size_t Size() const { return data_ != nullptr ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

// Hands `bytes` to the clipboard in a new movable block; false when memory
// or the clipboard refuses.
bool PutBlock(UINT format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return false;
  {
    LockedGlobal locked(block);
    if (locked.Data() == nullptr) {
      GlobalFree(block);
      return false;
    }
    std::memcpy(locked.Data(), bytes, size);
  }
  if (SetClipboardData(format, block) == nullptr) {
    GlobalFree(block);
    return false;
  }
  return true;
}

// The first of CF_UNICODETEXT and CF_TEXT in the order the formats were put
// on the clipboard; formats the system synthesises come after the real ones.
UINT FirstTextFormat() {
  for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) {
    if (f == CF_UNICODETEXT || f == CF_TEXT) return f;
  }
  return 0;
}

bool ReadUnicode(std::string* utf8) {
  LockedGlobal locked(GetClipboardData(CF_UNICODETEXT));
  if (locked.Data() == nullptr) return false;
  const wchar_t* wide = static_cast<const wchar_t*>(locked.Data());
  size_t max = locked.Size() / sizeof(wchar_t);
  size_t n = 0;
  while (n < max && wide[n] != 0) ++n;
  if (!WideToUtf8(wide, n, utf8)) utf8->clear();
  return true;
}

bool ReadNarrow(std::string* utf8) {
  LockedGlobal locked(GetClipboardData(CF_TEXT));
  if (locked.Data() == nullptr) return false;
  const char* bytes = static_cast<const char*>(locked.Data());
  size_t max = locked.Size();
  size_t n = 0;
  while (n < max && bytes[n] != 0) ++n;
  if (CheckUtf8(bytes, n, Utf8Rule::kScalarValues) >= 0) {
    utf8->assign(bytes, n);
  } else {
    *utf8 = AnsiToUtf8(bytes, n);
  }
  return true;
}

}  // namespace

bool Win32Clipboard::SetText(const std::string& utf8) {
  OpenedClipboard clipboard(owner_);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  std::wstring wide = WideText(utf8);
  bool unicode = PutBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  bool narrow = PutBlock(CF_TEXT, utf8.c_str(), utf8.size() + 1);
  return unicode && narrow;
}

bool Win32Clipboard::GetText(std::string* utf8) {
  OpenedClipboard clipboard(owner_);
  if (!clipboard.IsOpen()) return false;
  UINT first = FirstTextFormat();
  if (first == CF_UNICODETEXT) return ReadUnicode(utf8);
  if (first == CF_TEXT) return ReadNarrow(utf8);
  return false;
}
