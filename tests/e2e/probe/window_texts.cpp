// orv_window_texts TITLE: a Windows helper of the end-to-end tests. Prints,
// as UTF-8, the text of every control of the top-level window with exactly
// that (ASCII) title, each followed by a line feed. Exit code 1 when there
// is no such window. The controls belong to another process, so their texts
// are asked for with WM_GETTEXT, which the system carries across.
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
