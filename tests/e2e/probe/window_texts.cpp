// orv_window_texts TITLE: prints as UTF-8 the text of every control of the
// window with that title, one a line; exit code 1 when there is none.
// WM_GETTEXT, because the system carries it across processes.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orv_window_texts TITLE\n");
    return 2;
  }
  _setmode(_fileno(stdout), _O_BINARY);  // the texts' own line ends, unchanged
  HWND top = FindWindowA(nullptr, argv[1]);
  if (top == nullptr) return 1;
  for (HWND c = GetWindow(top, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    static wchar_t text[8192];
    static char utf8[4 * 8192];
    DWORD_PTR copied = 0;
    text[0] = 0;
    SendMessageTimeoutW(c, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
  }
  return 0;
}
