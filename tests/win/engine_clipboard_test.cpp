// The Win32 clipboard: UTF-8 in and out through CF_UNICODETEXT and CF_TEXT.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "engine/clipboard_win32.h"
#include "engine/utf8.h"

namespace {

// What another program does: empty the clipboard and put one format.
void PutForeign(HWND owner, UINT format, const void* bytes, size_t size) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  if (bytes != nullptr) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    EXPECT_NE(SetClipboardData(format, block), nullptr);
  }
  CloseClipboard();
}

template <class Char>
std::basic_string<Char> Read(HWND owner, UINT format) {
  std::basic_string<Char> out;
  if (!OpenClipboard(owner)) return out;
  if (HANDLE block = GetClipboardData(format)) {
    out = static_cast<const Char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return out;
}

}  // namespace

TEST(EngineClipboard, CarriesUtf8ThroughTheWideAndNarrowFormats) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  Win32Clipboard clipboard(owner);
  const std::pair<std::string, std::wstring> samples[] = {
      {"plain ascii", L"plain ascii"}, {"caf\xC3\xA9", L"caf\u00e9"},
      {"\xE4\xB8\xAD\xE6\x96\x87", L"\u4e2d\u6587"}, {"\xF0\x9F\x98\x80 smile", L"\U0001F600 smile"},
      {"", L""}};
  for (const auto& [utf8, wide] : samples) {
    ASSERT_TRUE(clipboard.SetText(utf8));
    EXPECT_EQ(Read<wchar_t>(owner, CF_UNICODETEXT), wide);
    EXPECT_EQ(Read<char>(owner, CF_TEXT), utf8) << "the UTF-8 bytes as CF_TEXT";
    std::string back;
    ASSERT_TRUE(clipboard.GetText(&back));
    EXPECT_EQ(back, utf8);
  }
  // Another program's text: wide, narrow and valid UTF-8, narrow in the ANSI
  // code page, and none at all.
  std::string got;
  const wchar_t wide[] = L"caf\u00e9\r\n\u4e2d\U0001F600";
  PutForeign(owner, CF_UNICODETEXT, wide, sizeof wide);
  ASSERT_TRUE(clipboard.GetText(&got));
  EXPECT_EQ(got, "caf\xC3\xA9\r\n\xE4\xB8\xAD\xF0\x9F\x98\x80");
  PutForeign(owner, CF_TEXT, "na\xC3\xAFve", 7);
  ASSERT_TRUE(clipboard.GetText(&got));
  EXPECT_EQ(got, "na\xC3\xAFve");
  PutForeign(owner, CF_TEXT, "caf\xE9", 5);
  ASSERT_TRUE(clipboard.GetText(&got));
  EXPECT_GE(CheckUtf8(got.data(), got.size(), Utf8Rule::kScalarValues), 0);
  if (GetACP() == 1252) EXPECT_EQ(got, "caf\xC3\xA9");
  PutForeign(owner, CF_TEXT, nullptr, 0);
  EXPECT_FALSE(clipboard.GetText(&got));
  DestroyWindow(owner);
}
