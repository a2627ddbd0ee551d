// What each reader of UTF-8 in the program makes of the edge bytes, on one
// table: the file load's rule, the scalar-value rule (clipboard), the
// drawing decoder, the console's columns and cuts and the document's
// character sizes; then the encoders.
#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/char_input.h"
#include "tests/support/engine_test_document.h"

namespace {

std::string Hex(long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lX", value);
  return text;
}

void Join(std::string* out, const std::string& item) {
  if (!out->empty()) *out += ' ';
  *out += item;
}

// Code points of the first `size` bytes, as the text pane draws them.
std::string Drawn(const std::string& s, size_t size) {
  std::string out;
  for (size_t at = 0; at < size;)
    Join(&out, Hex(static_cast<long>(NextCodePoint(s.data(), size, &at))));
  return out;
}

// Code point / bytes of each column, as the console cuts and reads them;
// the column helpers agree on where each starts and stop at the end, and a
// cut anywhere in a column keeps the columns before it.
std::string ConsoleChars(const std::string& s, size_t size) {
  std::string out;
  const std::string text = s.substr(0, size);
  int column = 0;
  for (size_t at = 0; at < size; ++column) {
    EXPECT_EQ(Utf8OffsetOfColumn(s.data(), size, column), at);
    size_t length = Utf8ColumnBytes(s.data(), size, at);
    for (size_t cut = at; cut < at + length; ++cut) EXPECT_EQ(CutUtf8(text, cut), text.substr(0, at));
    Join(&out, Hex(Utf8ColumnCode(s.data(), size, at)) + "/" + std::to_string(length));
    at += length;
  }
  EXPECT_EQ(Utf8Columns(s.data(), size), column);
  EXPECT_EQ(Utf8OffsetOfColumn(s.data(), size, column + 1), size);
  EXPECT_EQ(Utf8ColumnBytes(s.data(), size, size), 0u);
  EXPECT_EQ(Utf8ColumnCode(s.data(), size, size), 0);
  EXPECT_EQ(CutUtf8(text, size), text);
  return out;
}

// Character sizes of the document's rule, up to the first NUL; the counts
// of characters and bytes agree with them at every byte and stop at the NUL.
std::string DocumentSizes(const std::string& s) {
  std::string out;
  const char* p = s.c_str();
  int32_t end = static_cast<int32_t>(std::strlen(p)), chars = 0;
  for (int32_t at = 0, next = 0; at <= end + 2; ++at) {
    for (; next < std::min(at, end); ++chars) {
      Join(&out, std::to_string(Utf8CharSize(p + next)));
      next += Utf8CharSize(p + next);
    }
    EXPECT_EQ(Utf8BytesToChars(p, at), chars) << at;
    // On a boundary the characters so far take `next` bytes; more stop at the NUL.
    if (next == std::min(at, end)) {
      EXPECT_EQ(Utf8CharsToBytes(p, chars + (at > end)), next) << at;
    }
  }
  return out;
}

// Code points through every encoder: the one the console writes with, typing
// (one UTF-16 unit or a pair) and UTF-16 text (the command line). "" = not
// encodable.
void ExpectEveryEncoderWrites(long code, const std::string& bytes) {
  EXPECT_EQ(EncodeUtf8(static_cast<char32_t>(code)), bytes) << Hex(code);
  if (bytes.empty()) return;
  std::u16string units;
  if (code >= 0x10000) {
    units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    units += static_cast<char16_t>(code);
  }
  EXPECT_EQ(Utf16ToUtf8(units.data(), units.size(), 16), bytes) << Hex(code);
  CharInput input;
  std::string typed;
  for (char16_t unit : units) typed += CharUnitToUtf8(&input, unit);
  EXPECT_EQ(typed, bytes) << Hex(code);
}

struct EdgeRow {
  const char* what;
  std::string bytes;
  int load;             // CheckUtf8 under the file load's rule: -1, 0 or 1
  bool clipboard;       // valid under the scalar-value rule (CF_TEXT taken as UTF-8)
  const char* drawn;    // code points the text pane draws
  const char* console;  // code point / bytes per console character
  const char* sizes;    // the document's character sizes
};

const EdgeRow kEdges[] = {
    {"nothing", "", 0, true, "", "", ""},
    {"ASCII", "A~", 0, true, "41 7E", "41/1 7E/1", "1 1"},
    {"first two-byte U+0080", "\xC2\x80", 1, true, "80", "80/2", "2"},
    {"two bytes", "\xC3\xA9", 1, true, "E9", "E9/2", "2"},
    {"last two-byte U+07FF", "\xDF\xBF", 1, true, "7FF", "7FF/2", "2"},
    {"continuation above BF", "\xC3\xC0", -1, false, "FFFD FFFD", "FFFD/1 FFFD/1", "1 1"},
    {"first after the surrogates U+E000", "\xEE\x80\x80", 1, true, "E000", "E000/3", "3"},
    {"replacement character U+FFFD", "\xEF\xBF\xBD", 1, true, "FFFD", "FFFD/3", "3"},
    {"last three-byte U+FFFF", "\xEF\xBF\xBF", 1, true, "FFFF", "FFFF/3", "3"},
    {"three bytes", "\xE2\x82\xAC", 1, true, "20AC", "20AC/3", "3"},
    {"four bytes", "\xF0\x9F\x98\x80", 1, true, "1F600", "1F600/4", "4"},
    {"NUL inside", std::string("A\0\xC3\xA9", 4), 1, true, "41 0 E9", "41/1 0/1 E9/2", "1"},
    {"overlong C0 80", "\xC0\x80", -1, false, "FFFD FFFD", "FFFD/2", "1 1"},
    {"overlong C1 BF", "\xC1\xBF", -1, false, "FFFD FFFD", "FFFD/2", "1 1"},
    {"overlong E0 80 80", "\xE0\x80\x80", -1, false, "FFFD FFFD FFFD", "FFFD/3", "1 1 1"},
    {"overlong E0 9F BF", "\xE0\x9F\xBF", -1, false, "FFFD FFFD FFFD", "FFFD/3", "1 2"},
    {"first three-byte U+0800", "\xE0\xA0\x80", 1, true, "800", "800/3", "3"},
    {"overlong F0 8F BF BF", "\xF0\x8F\xBF\xBF", -1, false, "FFFD FFFD FFFD FFFD", "FFFD/4", "1 2 1"},
    {"first four-byte U+10000", "\xF0\x90\x80\x80", 1, true, "10000", "10000/4", "4"},
    {"last before surrogates U+D7FF", "\xED\x9F\xBF", 1, true, "D7FF", "D7FF/3", "3"},
    {"encoded surrogate U+D800", "\xED\xA0\x80", 1, false, "FFFD FFFD FFFD", "FFFD/3", "3"},
    {"encoded surrogate U+DFFF", "\xED\xBF\xBF", 1, false, "FFFD FFFD FFFD", "FFFD/3", "3"},
    {"encoded surrogate pair", "\xED\xA0\xBD\xED\xB8\x80", 1, false,
     "FFFD FFFD FFFD FFFD FFFD FFFD", "FFFD/3 FFFD/3", "3 3"},
    {"last code point U+10FFFF", "\xF4\x8F\xBF\xBF", 1, true, "10FFFF", "10FFFF/4", "4"},
    {"above U+10FFFF: F4 90", "\xF4\x90\x80\x80", 1, false, "FFFD FFFD FFFD FFFD", "FFFD/4", "4"},
    {"above U+10FFFF: F5", "\xF5\x80\x80\x80", 1, false, "FFFD FFFD FFFD FFFD", "FFFD/4", "4"},
    {"above U+10FFFF: F7 BF BF BF", "\xF7\xBF\xBF\xBF", 1, false, "FFFD FFFD FFFD FFFD", "FFFD/4", "4"},
    {"five bytes", "\xF8\x88\x80\x80\x80", -1, false, "FFFD FFFD FFFD FFFD FFFD", "FFFD/5", "5"},
    {"six bytes", "\xFC\x84\x80\x80\x80\x80", -1, false, "FFFD FFFD FFFD FFFD FFFD FFFD", "FFFD/6",
     "6"},
    {"six-byte form cut short", "\xFC\x84\x80\x80\x80", -1, false, "FFFD FFFD FFFD FFFD FFFD",
     "FFFD/5", "1 2 1 1"},
    {"Latin-1", "caf\xE9", -1, false, "63 61 66 FFFD", "63/1 61/1 66/1 FFFD/1", "1 1 1 1"},
    {"FE and FF", "\xFE\xFF", -1, false, "FFFD FFFD", "FFFD/1 FFFD/1", "1 1"},
    {"two-byte lead at the end", "A\xC3", -1, false, "41 FFFD", "41/1 FFFD/1", "1 1"},
    {"three-byte form cut by the end", "\xE2\x82", -1, false, "FFFD FFFD", "FFFD/2", "1 1"},
    {"four-byte form cut by the end", "\xF0\x9F\x98", -1, false, "FFFD FFFD FFFD", "FFFD/3", "1 2"},
    {"three-byte form cut by ASCII", "\xE2\x82" "A", -1, false, "FFFD FFFD 41", "FFFD/2 41/1",
     "1 1 1"},
    {"two-byte lead before ASCII", "\xC3" "A", -1, false, "FFFD 41", "FFFD/1 41/1", "1 1"},
    {"lone continuation", "\x80", -1, false, "FFFD", "FFFD/1", "1"},
    {"continuations after ASCII", "A\x80\xBF" "A", -1, false, "41 FFFD FFFD 41", "FFFD/3 41/1",
     "1 1 1 1"},
    {"one continuation too many", "\xC3\xA9\xA9", -1, false, "E9 FFFD", "FFFD/3", "2 1"},
};

TEST(Utf8Rules, EachReaderOfTheEdgeBytes) {
  for (const EdgeRow& row : kEdges) {
    const std::string& s = row.bytes;
    // Continuation bytes beyond the given length are never read.
    const std::string padded = s + "\x80\x80\x80";
    EXPECT_EQ(CheckUtf8(padded.data(), s.size(), Utf8Rule::kFileLoad), row.load) << row.what;
    EXPECT_EQ(CheckUtf8(padded.data(), s.size(), Utf8Rule::kScalarValues) >= 0, row.clipboard)
        << row.what;
    // The same bytes after an ASCII run long enough for the 32-byte steps.
    std::string late = std::string(45, 'x') + s + "x";
    EXPECT_EQ(CheckUtf8(late.data(), late.size(), Utf8Rule::kFileLoad), row.load) << row.what;
    EXPECT_EQ(CheckUtf8(late.data(), late.size(), Utf8Rule::kScalarValues) >= 0, row.clipboard)
        << row.what;
    EXPECT_EQ(Drawn(padded, s.size()), row.drawn) << row.what;
    EXPECT_EQ(ConsoleChars(padded, s.size()), row.console) << row.what;
    EXPECT_EQ(DocumentSizes(s), row.sizes) << row.what;
    if (s.find('\0') == std::string::npos) {
      EXPECT_EQ(IsValidUtf8(s.c_str()), row.load) << row.what;
    }
    if (row.clipboard && !s.empty() && std::strchr(row.drawn, ' ') == nullptr)
      ExpectEveryEncoderWrites(std::strtol(row.drawn, nullptr, 16), s);
  }
  EXPECT_EQ(IsValidUtf8(nullptr), 0);
  EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D" u"A", 3, 16), "\xEF\xBF\xBD\xEF\xBF\xBD" "A");  // lone halves of pairs
}

}  // namespace
