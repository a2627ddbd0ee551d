#pragma once
// UTF-8 for the whole program: how text is cut into characters, which bytes
// each reader accepts, decoding and encoding. The conversions to and from
// the platform's UTF-16 are in utf8_win32.h.
//
// Two ways of cutting text into characters are in use:
// - the document's (Utf8CharSize), over NUL-terminated text, which the
//   engine's columns and caret movements follow;
// - columns (Utf8Columns and its neighbours), over counted bytes: every byte
//   that is not a continuation byte starts a character that runs over the
//   continuation bytes after it, and continuation bytes at the very start
//   make one character. The console and the text pane's drawing count cells
//   this way, so columns and cells agree even on broken UTF-8.
// Both agree on valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsUtf8Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// What a reader accepts. Neither accepts an over-long form, a lead byte
// 0xC0, 0xC1 or 0xF8..0xFF, a continuation byte without a lead, or a
// sequence cut short.
enum class Utf8Rule : uint8_t {
  // A document load, and whether a name or text holds multi-byte UTF-8:
  // 2- to 4-byte forms with lead bytes up to 0xF7, so encoded surrogates
  // and code points up to U+1FFFFF pass.
  kFileLoad,
  // The clipboard's CF_TEXT, the drawing of text and the console: Unicode
  // scalar values only (no surrogates, nothing above U+10FFFF).
  kScalarValues,
};

// -1 when the bytes break the rule; 0 for a null text or one made only of
// bytes below 0x80 (NUL included); 1 when valid with at least one multi-byte
// sequence.
int CheckUtf8(const char* text, size_t length, Utf8Rule rule);
// The file-load rule over a NUL-terminated text.
int IsValidUtf8(const char* text);

// The code point at text[*at] (requires *at < length) under the scalar-value
// rule; *at moves past it. A byte that starts no valid sequence gives U+FFFD
// and is passed over alone.
char32_t NextCodePoint(const char* text, size_t length, size_t* at);

// The document's characters, on NUL-terminated bytes: the size of the one at
// p (a loose test that also takes 5- and 6-byte forms), the bytes taken by
// the first n, and how many start within the first nbytes (stopping at NUL;
// both 0 for a count of 0 or less).
int32_t Utf8CharSize(const char* p);
int32_t Utf8CharsToBytes(const char* p, int32_t n);
int32_t Utf8BytesToChars(const char* p, int32_t nbytes);

// Columns over counted bytes (see above).
int Utf8Columns(const char* text, size_t size);
inline int Utf8Columns(const std::string& text) { return Utf8Columns(text.data(), text.size()); }
// Byte offset of column `column` (clamped to the end).
size_t Utf8OffsetOfColumn(const char* text, size_t size, int column);
inline size_t Utf8OffsetOfColumn(const std::string& text, int column) {
  return Utf8OffsetOfColumn(text.data(), text.size(), column);
}
// Bytes of the column starting at text[offset]; 0 at or past the end.
size_t Utf8ColumnBytes(const char* text, size_t size, size_t offset);
// Code point of the column at text[offset]: U+FFFD unless the column is
// exactly one sequence of the scalar-value rule; 0 at or past the end.
int Utf8ColumnCode(const char* text, size_t size, size_t offset);
// The text cut to at most max_bytes on a column boundary.
std::string CutUtf8(const std::string& text, size_t max_bytes);
// Removes the last column.
void Utf8PopBack(std::string* text);

// UTF-8 of a Unicode scalar value into out; the byte count, or 0 (nothing
// written) for a surrogate or a value above U+10FFFF.
int EncodeUtf8(char32_t code, char out[4]);
// The same as a string; "" when the value cannot be encoded.
std::string EncodeUtf8(char32_t code);

// UTF-16.
inline bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline char32_t CodePointOfPair(uint32_t high, uint32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}
// UTF-16 units of a code point below U+110000 into units; their count.
template <typename Unit>
int EncodeUtf16(char32_t code, Unit units[2]) {
  if (code < 0x10000) {
    units[0] = static_cast<Unit>(code);
    return 1;
  }
  units[0] = static_cast<Unit>(0xD800 + ((code - 0x10000) >> 10));
  units[1] = static_cast<Unit>(0xDC00 + ((code - 0x10000) & 0x3FF));
  return 2;
}
// UTF-16 text to UTF-8, a half of a pair without its partner as U+FFFD,
// stopping before the character that would pass max_bytes.
std::string Utf16ToUtf8(const char16_t* text, size_t length, size_t max_bytes);
