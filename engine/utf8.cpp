// Character sizes and counts over NUL-terminated UTF-8 bytes.
#include <cstdint>

#include "engine/document.h"

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

int32_t Utf8CharSize(const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  if (p[0] < 0x80 || !IsContinuation(p[1])) return 1;
  if (p[0] < 0xE0) return (p[0] & 0x1E) != 0 ? 2 : 1;
  if (!IsContinuation(p[2])) return 1;
  if (p[0] < 0xF0) return ((p[0] & 0x0F) != 0 || (p[1] & 0x20) != 0) ? 3 : 1;
  if (!IsContinuation(p[3])) return 1;
  if (p[0] < 0xF8) return ((p[0] & 0x07) != 0 || (p[1] & 0x30) != 0) ? 4 : 1;
  if (!IsContinuation(p[4])) return 1;
  if (p[0] < 0xFC) return 5;
  return IsContinuation(p[5]) ? 6 : 1;
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
