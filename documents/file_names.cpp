#include "documents/file_names.h"

#include <cstring>

#include "documents/no_case.h"
#include "engine/utf8.h"

bool NeedsWideName(const char* name) {
  if (name == nullptr) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name);
  for (int i = 0; p[i] != 0; ++i) {
    if (i >= kLongNameBytes - 1) return true;  // a 256th byte exists
    unsigned char c = p[i];
    if (c >= 0xC2 && c <= 0xDF && IsUtf8Continuation(p[i + 1])) return true;
    if (c >= 0xE0 && c <= 0xEF && IsUtf8Continuation(p[i + 1]) &&
        IsUtf8Continuation(p[i + 2]))
      return true;
    if (c >= 0xF0 && c <= 0xF4 && IsUtf8Continuation(p[i + 1]) &&
        IsUtf8Continuation(p[i + 2]))
      return true;
  }
  return false;
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

bool IsUnnamedPath(const char* path) { return EqualNoCase(PathExtension(path), ".mem"); }
