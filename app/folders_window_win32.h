#pragma once
// The Folders window, owned by the main window.
#include <windows.h>

void OpenFoldersWindow(HWND owner);
