#include "app/changelog_window_win32.h"

void OpenChangelogWindow(HWND) {}
