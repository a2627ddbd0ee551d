// The Win32 clipboard: UTF-8 in and out through CF_UNICODETEXT and CF_TEXT.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "engine/clipboard_win32.h"
#include "engine/movement.h"
#include "engine/utf8.h"
#include "tests/support/engine_test_document.h"

namespace {

class EngineClipboard : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    if (owner_ != nullptr) DestroyWindow(owner_);
  }

  // What another program does: empty the clipboard and put one format.
  void PutForeign(UINT format, const void* bytes, size_t size) {
    ASSERT_TRUE(OpenClipboard(owner_));
    EmptyClipboard();
    if (bytes != nullptr) {
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
      ASSERT_NE(block, nullptr);
      std::memcpy(GlobalLock(block), bytes, size);
      GlobalUnlock(block);
      EXPECT_NE(SetClipboardData(format, block), nullptr);
    }
    CloseClipboard();
  }

  std::wstring ReadUnicode() {
    std::wstring out;
    if (!OpenClipboard(owner_)) return out;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    if (block != nullptr) {
      out = static_cast<const wchar_t*>(GlobalLock(block));
      GlobalUnlock(block);
    }
    CloseClipboard();
    return out;
  }

  std::string ReadNarrow() {
    std::string out;
    if (!OpenClipboard(owner_)) return out;
    HANDLE block = GetClipboardData(CF_TEXT);
    if (block != nullptr) {
      out = static_cast<const char*>(GlobalLock(block));
      GlobalUnlock(block);
    }
    CloseClipboard();
    return out;
  }

  HWND owner_ = nullptr;
};

}  // namespace

TEST_F(EngineClipboard, RoundTripsAsciiAccentsCjkAndAstralCharacters) {
  Win32Clipboard clipboard(owner_);
  const std::string samples[] = {"plain ascii", "caf\xC3\xA9", "\xE4\xB8\xAD\xE6\x96\x87",
                                 "\xF0\x9F\x98\x80 smile", ""};
  const std::wstring wide[] = {L"plain ascii", L"caf\u00e9", L"\u4e2d\u6587", L"\U0001F600 smile",
                               L""};
  for (size_t i = 0; i < 5; ++i) {
    ASSERT_TRUE(clipboard.SetText(samples[i]));
    EXPECT_EQ(ReadUnicode(), wide[i]) << i;
    EXPECT_EQ(ReadNarrow(), samples[i]) << i;  // the UTF-8 bytes as CF_TEXT
    std::string back;
    ASSERT_TRUE(clipboard.GetText(&back));
    EXPECT_EQ(back, samples[i]) << i;
  }
}

TEST_F(EngineClipboard, AnotherProgramsUnicodeTextIsPastedAsUtf8WithLfLineEnds) {
  const wchar_t text[] = L"caf\u00e9\r\n\u4e2d\U0001F600";
  PutForeign(CF_UNICODETEXT, text, sizeof(text));
  Win32Clipboard clipboard(owner_);
  std::string got;
  ASSERT_TRUE(clipboard.GetText(&got));
  EXPECT_EQ(got, "caf\xC3\xA9\r\n\xE4\xB8\xAD\xF0\x9F\x98\x80");
  auto doc = MakeTestDocument("<>");
  MoveRight(doc.get(), false);
  ASSERT_TRUE(PasteClipboard(doc.get(), clipboard));
  EXPECT_EQ(Content(*doc), "<caf\xC3\xA9\n\xE4\xB8\xAD\xF0\x9F\x98\x80>");
  EXPECT_EQ(doc->caret_line, 1u);
  EXPECT_EQ(doc->caret_column, 2u);
}

TEST_F(EngineClipboard, NarrowTextIsTakenAsUtf8WhenValidElseFromTheAnsiCodePage) {
  const char utf8[] = "na\xC3\xAFve";
  PutForeign(CF_TEXT, utf8, sizeof(utf8));
  Win32Clipboard clipboard(owner_);
  std::string got;
  ASSERT_TRUE(clipboard.GetText(&got));
  EXPECT_EQ(got, "na\xC3\xAFve");
  const char ansi[] = "caf\xE9";
  PutForeign(CF_TEXT, ansi, sizeof(ansi));
  ASSERT_TRUE(clipboard.GetText(&got));
  EXPECT_GE(CheckUtf8(got.data(), got.size(), Utf8Rule::kScalarValues), 0);
  if (GetACP() == 1252) {
    EXPECT_EQ(got, "caf\xC3\xA9");
  }
}

TEST_F(EngineClipboard, EmptyClipboardHoldsNoText) {
  PutForeign(CF_TEXT, nullptr, 0);
  Win32Clipboard clipboard(owner_);
  std::string got = "unchanged";
  EXPECT_FALSE(clipboard.GetText(&got));
  auto doc = MakeTestDocument("abc");
  EXPECT_FALSE(PasteClipboard(doc.get(), clipboard));
  EXPECT_EQ(Content(*doc), "abc");
}

TEST_F(EngineClipboard, CopyAndCutPutTheSelectionWithLfOnly) {
  Win32Clipboard clipboard(owner_);
  auto doc = MakeTestDocument("\xC3\xA9t\xC3\xA9\nhiver");
  MoveDown(doc.get(), true);
  ASSERT_TRUE(CutSelection(doc.get(), clipboard));
  EXPECT_EQ(Content(*doc), "hiver");
  EXPECT_EQ(ReadUnicode(), L"\u00e9t\u00e9\n");
}
