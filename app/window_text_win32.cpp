#include "app/window_text_win32.h"

#include "engine/utf8_win32.h"

void SetWindowTextUtf8(HWND hwnd, const std::string& text) {
  std::wstring wide;
  if (Utf8ToWide(text.c_str(), &wide))
    SetWindowTextW(hwnd, wide.c_str());
  else
    SetWindowTextA(hwnd, text.c_str());
}
