#include "console/console_text.h"

#include <cctype>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

int Utf8Columns(const std::string& text) {
  int n = 0;
  for (unsigned char c : text) n += IsContinuation(c) ? 0 : 1;
  // Leading continuation bytes still make one character.
  if (!text.empty() && IsContinuation(static_cast<unsigned char>(text[0]))) ++n;
  return n;
}

size_t Utf8CharLength(const char* text, size_t size, size_t offset) {
  if (offset >= size) return 0;
  size_t end = offset + 1;
  while (end < size && IsContinuation(static_cast<unsigned char>(text[end]))) ++end;
  return end - offset;
}

size_t Utf8OffsetOfColumn(const std::string& text, int column) {
  size_t offset = 0;
  for (int i = 0; i < column && offset < text.size(); ++i)
    offset += Utf8CharLength(text.data(), text.size(), offset);
  return offset;
}

int Utf8Decode(const char* text, size_t size, size_t offset) {
  size_t len = Utf8CharLength(text, size, offset);
  if (len == 0) return 0;
  unsigned char lead = static_cast<unsigned char>(text[offset]);
  if (lead < 0x80) return len == 1 ? lead : 0xFFFD;
  size_t want = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (want == 0 || want != len || lead >= 0xF8) return 0xFFFD;
  int code = lead & (0x7F >> want);
  for (size_t i = 1; i < len; ++i) code = (code << 6) | (text[offset + i] & 0x3F);
  static const int kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kMinimum[want] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0xFFFD;
  return code;
}

std::string Utf8Encode(int code) {
  std::string out;
  if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

void Utf8PopBack(std::string* text) {
  while (!text->empty()) {
    unsigned char c = static_cast<unsigned char>(text->back());
    text->pop_back();
    if (!IsContinuation(c)) return;
  }
}

int CharClass(int code) {
  if (code > 255) return 3;
  if (code < 128 && std::isspace(code)) return 0;
  if (IsWordChar(code)) return 1;
  if (code == ';') return 2;
  return 3;
}

bool IsWordChar(int code) {
  return code < 128 && code >= 0 && (std::isalnum(code) || code == '_');
}

size_t LeadingWhitespace(const std::string& text) {
  size_t n = 0;
  while (n < text.size() && (text[n] == ' ' || text[n] == '\t')) ++n;
  return n;
}

bool EqualBytes(const char* a, const char* b, size_t n, bool match_case) {
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    if (match_case || x >= 128 || y >= 128 || std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}
