#pragma once
// The main window of the program. For now a plain top-level window painted
// in the empty-screen colour; the main dialog with its panes replaces it.
#include <windows.h>

extern const wchar_t kMainWindowTitle[];

bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
// Pumps messages until WM_QUIT; returns its exit code.
int RunMessageLoop();
