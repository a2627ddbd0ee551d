#include <windows.h>

#include "documents/file_names.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"

bool WidePath(const char* utf8_name, std::wstring* out) {
  if (!Utf8ToWide(utf8_name, out)) return false;
  ApplyLongPathPrefix(*out);
  return true;
}

void* LoadLibraryUtf8(const char* utf8_name) {
  if (utf8_name == nullptr) return nullptr;
  std::wstring wide;
  if (WidePath(utf8_name, &wide)) {
    HMODULE module = LoadLibraryW(wide.c_str());
    if (module != nullptr) return module;
  }
  return LoadLibraryA(utf8_name);
}
