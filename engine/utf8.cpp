// UTF-8: characters, checking, decoding and encoding.
#include "engine/utf8.h"

#include <algorithm>
#include <cstring>

namespace {

// Whether any of the 32 bytes at p has its high bit set (is not ASCII).
inline bool AnyHighBit32(const unsigned char* p) {
  uint64_t a, b, c, d;
  std::memcpy(&a, p, 8);
  std::memcpy(&b, p + 8, 8);
  std::memcpy(&c, p + 16, 8);
  std::memcpy(&d, p + 24, 8);
  return ((a | b | c | d) & 0x8080808080808080ull) != 0;
}

// The length of the sequence starting at p under `rule` (avail >= 1 bytes
// are readable), with its code point in *code; 0 when none starts there.
inline int SequenceAt(const unsigned char* p, size_t avail, Utf8Rule rule, char32_t* code) {
  const unsigned lead = p[0];
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  size_t extra;
  char32_t value, least;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, value = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, value = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF7) {
    extra = 3, value = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (avail <= extra) return 0;
  for (size_t k = 1; k <= extra; ++k) {
    if (!IsUtf8Continuation(p[k])) return 0;
    value = (value << 6) | (p[k] & 0x3F);
  }
  if (value < least) return 0;  // over-long
  if (rule == Utf8Rule::kScalarValues && (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)))
    return 0;
  *code = value;
  return static_cast<int>(extra + 1);
}

}  // namespace

int CheckUtf8(const char* text, size_t length, Utf8Rule rule) {
  if (text == nullptr) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + length;
  bool multi = false;
  while (p < end) {
    // Plain ASCII runs are the common case: skip them 32 bytes at a time.
    while (end - p >= 32 && !AnyHighBit32(p)) p += 32;
    if (p == end) break;
    if (*p < 0x80) {
      ++p;
      continue;
    }
    char32_t code;
    int n = SequenceAt(p, static_cast<size_t>(end - p), rule, &code);
    if (n == 0) return -1;
    multi = true;
    p += n;
  }
  return multi ? 1 : 0;
}

int IsValidUtf8(const char* text) {
  if (text == nullptr) return 0;
  return CheckUtf8(text, std::strlen(text), Utf8Rule::kFileLoad);
}

char32_t NextCodePoint(const char* text, size_t length, size_t* at) {
  const auto* p = reinterpret_cast<const unsigned char*>(text) + *at;
  char32_t code;
  int n = SequenceAt(p, length - *at, Utf8Rule::kScalarValues, &code);
  if (n == 0) {
    *at += 1;
    return kReplacementCharacter;
  }
  *at += static_cast<size_t>(n);
  return code;
}

int32_t Utf8CharSize(const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  if (p[0] < 0x80 || !IsUtf8Continuation(p[1])) return 1;
  if (p[0] < 0xE0) return (p[0] & 0x1E) != 0 ? 2 : 1;
  if (!IsUtf8Continuation(p[2])) return 1;
  if (p[0] < 0xF0) return ((p[0] & 0x0F) != 0 || (p[1] & 0x20) != 0) ? 3 : 1;
  if (!IsUtf8Continuation(p[3])) return 1;
  if (p[0] < 0xF8) return ((p[0] & 0x07) != 0 || (p[1] & 0x30) != 0) ? 4 : 1;
  if (!IsUtf8Continuation(p[4])) return 1;
  if (p[0] < 0xFC) return 5;
  return IsUtf8Continuation(p[5]) ? 6 : 1;
}

int32_t Utf8CharsToBytes(const char* p, int32_t n) {
  int32_t bytes = 0;
  for (int32_t i = 0; i < n && p[bytes] != 0; ++i) bytes += Utf8CharSize(p + bytes);
  return bytes;
}

int32_t Utf8BytesToChars(const char* p, int32_t nbytes) {
  int32_t chars = 0;
  int32_t at = 0;
  while (at < nbytes && p[at] != 0) {
    // Plain ASCII runs dominate source text.
    if (static_cast<unsigned char>(p[at]) < 0x80) {
      ++at;
    } else {
      at += Utf8CharSize(p + at);
    }
    ++chars;
  }
  return chars;
}

int Utf8Columns(const char* text, size_t size) {
  int n = 0;
  for (size_t i = 0; i < size; ++i) n += IsUtf8Continuation(static_cast<unsigned char>(text[i])) ? 0 : 1;
  // Leading continuation bytes still make one character.
  if (size > 0 && IsUtf8Continuation(static_cast<unsigned char>(text[0]))) ++n;
  return n;
}

size_t Utf8ColumnBytes(const char* text, size_t size, size_t offset) {
  if (offset >= size) return 0;
  size_t end = offset + 1;
  while (end < size && IsUtf8Continuation(static_cast<unsigned char>(text[end]))) ++end;
  return end - offset;
}

size_t Utf8OffsetOfColumn(const char* text, size_t size, int column) {
  size_t offset = 0;
  for (int i = 0; i < column && offset < size; ++i) offset += Utf8ColumnBytes(text, size, offset);
  return offset;
}

int Utf8ColumnCode(const char* text, size_t size, size_t offset) {
  size_t length = Utf8ColumnBytes(text, size, offset);
  if (length == 0) return 0;
  char32_t code = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text) + offset;
  if (SequenceAt(p, length, Utf8Rule::kScalarValues, &code) != static_cast<int>(length))
    return static_cast<int>(kReplacementCharacter);
  return static_cast<int>(code);
}

std::string CutUtf8(const std::string& text, size_t max_bytes) {
  // Step back over continuation bytes to the start of the cut character;
  // text[size()] is the NUL, which stops at once.
  size_t end = std::min(max_bytes, text.size());
  while (end > 0 && IsUtf8Continuation(static_cast<unsigned char>(text[end]))) --end;
  return text.substr(0, end);
}

void Utf8PopBack(std::string* text) {
  while (!text->empty()) {
    unsigned char c = static_cast<unsigned char>(text->back());
    text->pop_back();
    if (!IsUtf8Continuation(c)) return;
  }
}

int EncodeUtf8(char32_t code, char out[4]) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  if (code < 0x80) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  if (code < 0x800) {
    out[0] = static_cast<char>(0xC0 | (code >> 6));
    out[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
  }
  if (code < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (code >> 12));
    out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (code & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (code >> 18));
  out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (code & 0x3F));
  return 4;
}

std::string EncodeUtf8(char32_t code) {
  char bytes[4];
  return std::string(bytes, static_cast<size_t>(EncodeUtf8(code, bytes)));
}

std::string Utf16ToUtf8(const char16_t* text, size_t length, size_t max_bytes) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    char32_t code = text[i];
    if (IsHighSurrogate(code) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
      code = CodePointOfPair(code, text[i + 1]);
      ++i;
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      code = kReplacementCharacter;
    }
    char bytes[4];
    size_t n = static_cast<size_t>(EncodeUtf8(code, bytes));
    if (out.size() + n > max_bytes) break;
    out.append(bytes, n);
  }
  return out;
}
