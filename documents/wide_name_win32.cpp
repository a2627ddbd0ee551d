#include <windows.h>

#include "documents/file_names.h"
#include "documents/wide_name.h"

bool Utf8ToWide(const char* utf8, std::wstring* out) {
  if (utf8 == nullptr) return false;
  out->clear();
  if (*utf8 == 0) return true;
  int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
  if (units <= 0) return false;
  out->resize(static_cast<size_t>(units));
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &(*out)[0], units) != units)
    return false;
  out->resize(static_cast<size_t>(units - 1));  // drop the terminator
  return true;
}

bool WideToUtf8(const wchar_t* wide, std::string* out) {
  if (wide == nullptr) return false;
  out->clear();
  if (*wide == 0) return true;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out->resize(static_cast<size_t>(bytes));
  if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, &(*out)[0], bytes, nullptr, nullptr) != bytes)
    return false;
  out->resize(static_cast<size_t>(bytes - 1));
  return true;
}

std::wstring WideText(const char* utf8) {
  if (utf8 == nullptr) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

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
