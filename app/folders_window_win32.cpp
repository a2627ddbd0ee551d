#include "app/folders_window_win32.h"

void OpenFoldersWindow(HWND) {}
