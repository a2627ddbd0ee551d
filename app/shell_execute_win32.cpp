#include "app/shell_execute_win32.h"

#include <shellapi.h>

#include <string>

#include "app/help_texts.h"
#include "engine/utf8_win32.h"

namespace {

struct WideArgument {
  explicit WideArgument(const char* utf8)
      : given(utf8 != nullptr), text(given ? WideText(utf8) : L"") {}
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
