// Entry point of orvinale.exe.
#include <windows.h>

#include "app/main_window_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  if (!RegisterMainWindowClass(instance)) return 1;
  HWND hwnd = CreateMainWindow(instance);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  return RunMessageLoop();
}
