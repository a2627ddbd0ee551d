#include "app/own_windows_win32.h"

HWND own_windows[kOwnWindowCount] = {};
