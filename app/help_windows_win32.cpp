#include "app/help_windows_win32.h"

void OpenAboutWindow(HWND) {}
void OpenLicenseWindow(HWND) {}
void ShowVersionBox(HWND) {}
void OpenDocumentation(HWND) {}
void OpenWebsite(HWND) {}
