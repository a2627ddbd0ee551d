#pragma once
// The Changelog window, owned by the main window.
#include <windows.h>

void OpenChangelogWindow(HWND owner);
