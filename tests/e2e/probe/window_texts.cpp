// orv_window_texts TITLE: a Windows helper of the end-to-end tests. Prints,
// as UTF-8, the text of every control of the top-level window with exactly
// that title, each followed by a line feed. Exit code 1 when there is no
// such window. The controls belong to another process, so their texts are
// asked for with WM_GETTEXT, which the system carries across.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Widen(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring out(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
  out.resize(out.size() - 1);
  return out;
}

std::string Narrow(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? static_cast<size_t>(n) : 1, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

std::wstring ControlText(HWND control) {
  wchar_t text[8192] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orv_window_texts TITLE\n");
    return 2;
  }
  _setmode(_fileno(stdout), _O_BINARY);  // the texts' own line ends, unchanged
  HWND top = FindWindowW(nullptr, Widen(argv[1]).c_str());
  if (top == nullptr) return 1;
  for (HWND c = GetWindow(top, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    std::printf("%s\n", Narrow(ControlText(c)).c_str());
  return 0;
}
