#include "app/preferences_window_win32.h"

void OpenPreferencesWindow(HWND) {}
