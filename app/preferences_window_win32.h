#pragma once
// The Preferences window, owned by the main window.
#include <windows.h>

void OpenPreferencesWindow(HWND owner);
