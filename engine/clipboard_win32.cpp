// Win32 clipboard: UTF-16 and UTF-8 bytes out, Unicode preferred in; a
// private format carries the exact bytes from one cut to its paste.
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

// The document's bytes as they are: a text the loader accepts may hold
// encoded surrogates or code points above U+10FFFF, which UTF-16 cannot
// carry and its conversion turns into U+FFFD.
UINT ExactFormat() {
  static const UINT format = RegisterClipboardFormatW(L"Orvinale UTF-8 bytes");
  return format;
}

bool ReadExact(std::string* utf8) {
  const UINT format = ExactFormat();
  if (format == 0 || !IsClipboardFormatAvailable(format)) return false;
  LockedGlobal locked(GetClipboardData(format));
  if (locked.Data() == nullptr) return false;
  const char* bytes = static_cast<const char*>(locked.Data());
  utf8->assign(bytes, strnlen(bytes, locked.Size()));
  return true;
}

// What a reader of `format` gets from the formats SetText made of `exact`.
std::string AsReadFrom(UINT format, const std::string& exact) {
  if (format == CF_TEXT) {
    if (CheckUtf8(exact.data(), exact.size(), Utf8Rule::kScalarValues) >= 0) return exact;
    return AnsiToUtf8(exact.data(), exact.size());
  }
  const std::wstring wide = WideText(exact);
  std::string utf8;
  if (!WideToUtf8(wide.data(), wide.size(), &utf8)) utf8.clear();
  return utf8;
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
  // Last, so other programs take the standard formats first.
  if (ExactFormat() != 0) PutBlock(ExactFormat(), utf8.c_str(), utf8.size() + 1);
  return unicode && narrow;
}

bool Win32Clipboard::GetText(std::string* utf8) {
  OpenedClipboard clipboard(owner_);
  if (!clipboard.IsOpen()) return false;
  UINT first = FirstTextFormat();
  bool read = first == CF_UNICODETEXT ? ReadUnicode(utf8) : first == CF_TEXT && ReadNarrow(utf8);
  // The exact bytes count only while the text on the clipboard is still the
  // one made from them: a program may replace a format without emptying.
  std::string exact;
  if (read && ReadExact(&exact) && AsReadFrom(first, exact) == *utf8) *utf8 = exact;
  return read;
}
