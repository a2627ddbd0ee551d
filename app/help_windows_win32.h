#pragma once
// The HELP menu's About and License windows, the Version box, the
// documentation and the website.
#include <windows.h>

void OpenAboutWindow(HWND owner);
void OpenLicenseWindow(HWND owner);
void ShowVersionBox(HWND owner);
void OpenDocumentation(HWND owner);
void OpenWebsite(HWND owner);
