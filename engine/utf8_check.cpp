// Strict UTF-8 well-formedness check.
#include "engine/utf8_check.h"

bool IsWellFormedUtf8(const char* bytes, size_t n) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
  size_t i = 0;
  while (i < n) {
    unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t extra;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      if (c == 0xE0) low = 0xA0;   // overlong
      if (c == 0xED) high = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      if (c == 0xF0) low = 0x90;   // overlong
      if (c == 0xF4) high = 0x8F;  // beyond U+10FFFF
    } else {
      return false;
    }
    if (n - i <= extra) return false;
    if (p[i + 1] < low || p[i + 1] > high) return false;
    for (size_t k = 2; k <= extra; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}
