#include "console/console_text.h"

#include <cctype>

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
