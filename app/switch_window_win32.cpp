#include "app/switch_window_win32.h"

void OpenSwitchWindow(HWND) {}
