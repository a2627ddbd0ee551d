#pragma once
// The Switch window, owned by the main window.
#include <windows.h>

void OpenSwitchWindow(HWND owner);
