// MultiByteToWideChar and WideCharToMultiByte behind UTF-8 strings.
#include "engine/utf8_win32.h"

#include <windows.h>

#include <cwchar>

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

std::wstring WideText(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], n);
  return wide;
}

bool WideToUtf8(const wchar_t* wide, size_t n, std::string* out) {
  if (wide == nullptr) return false;
  out->clear();
  if (n == 0) return true;
  const int units = static_cast<int>(n);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out->resize(static_cast<size_t>(bytes));
  return WideCharToMultiByte(CP_UTF8, 0, wide, units, &(*out)[0], bytes, nullptr, nullptr) == bytes;
}

bool WideToUtf8(const wchar_t* wide, std::string* out) {
  return wide != nullptr && WideToUtf8(wide, std::wcslen(wide), out);
}

std::string AnsiToUtf8(const char* ansi, size_t n) {
  if (n == 0) return std::string();
  int size = MultiByteToWideChar(CP_ACP, 0, ansi, static_cast<int>(n), nullptr, 0);
  if (size <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi, static_cast<int>(n), &wide[0], size);
  std::string utf8;
  if (!WideToUtf8(wide.data(), wide.size(), &utf8)) utf8.clear();
  return utf8;
}
