#include "documents/file_names.h"

#include <cstring>

#include "documents/byte_blocks.h"

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

bool NeedsWideName(const char* name) {
  if (name == nullptr) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name);
  for (int i = 0; p[i] != 0; ++i) {
    if (i >= kLongNameBytes - 1) return true;  // a 256th byte exists
    unsigned char c = p[i];
    if (c >= 0xC2 && c <= 0xDF && IsContinuation(p[i + 1])) return true;
    if (c >= 0xE0 && c <= 0xEF && IsContinuation(p[i + 1]) &&
        IsContinuation(p[i + 2]))
      return true;
    if (c >= 0xF0 && c <= 0xF4 && IsContinuation(p[i + 1]) &&
        IsContinuation(p[i + 2]))
      return true;
  }
  return false;
}

int IsValidUtf8(const char* text) {
  if (text == nullptr) return 0;
  return IsValidUtf8(text, std::strlen(text));
}

int IsValidUtf8(const char* text, size_t length) {
  if (text == nullptr) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + length;
  bool multi = false;
  while (p < end) {
    // Plain ASCII runs are the common case: skip them 32 bytes at a time.
    while (end - p >= 32 && !AnyHighBit32(reinterpret_cast<const char*>(p))) p += 32;
    if (p == end) break;
    unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    int need;
    if (c >= 0xC2 && c <= 0xDF) need = 1;
    else if (c >= 0xE0 && c <= 0xEF) need = 2;
    else if (c >= 0xF0 && c <= 0xF7) need = 3;
    else return -1;  // stray continuation byte, 0xC0, 0xC1 or 0xF8..0xFF
    if (end - p <= need) return -1;  // truncated at the end
    for (int k = 1; k <= need; ++k)
      if (!IsContinuation(p[k])) return -1;
    if (c == 0xE0 && p[1] < 0xA0) return -1;  // over-long three-byte form
    if (c == 0xF0 && p[1] < 0x90) return -1;  // over-long four-byte form
    multi = true;
    p += need + 1;
  }
  return multi ? 1 : 0;
}

const char* PathExtension(const char* path) {
  if (path == nullptr) return "";
  const char* end = path + std::strlen(path);
  for (const char* p = end; p > path; --p) {
    char c = p[-1];
    if (c == '\\' || c == '/') break;
    if (c == '.') return p - 1;
  }
  return end;
}

bool IsUnnamedPath(const char* path) {
  const char* ext = PathExtension(path);
  static const char kMem[] = ".mem";
  for (int i = 0; i < 4; ++i) {
    char c = ext[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kMem[i]) return false;
  }
  return ext[4] == 0;
}
