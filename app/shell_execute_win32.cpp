#include "app/shell_execute_win32.h"

#include <shellapi.h>

#include <string>

#include "app/help_texts.h"

namespace {

// Invalid bytes become U+FFFD: the wide call still gets the rest of the text.
std::wstring Widen(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

struct WideArgument {
  explicit WideArgument(const char* utf8) : given(utf8 != nullptr), text(given ? Widen(utf8) : L"") {}
  const wchar_t* get() const { return given ? text.c_str() : nullptr; }
  bool given;
  std::wstring text;
};

}  // namespace

HINSTANCE ShellExecuteUtf8(HWND owner, const char* verb, const char* file,
                           const char* parameters, const char* directory, int show) {
  if (!ShellNeedsWide({verb, file, parameters, directory}))
    return ShellExecuteA(owner, verb, file, parameters, directory, show);
  WideArgument v(verb), f(file), p(parameters), d(directory);
  return ShellExecuteW(owner, v.get(), f.get(), p.get(), d.get(), show);
}
