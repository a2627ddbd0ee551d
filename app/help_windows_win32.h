#pragma once
// The HELP menu's About and License windows, the Version box, the
// documentation and the website.
#include <windows.h>

// The two windows: focus the open one, or create and show it, owned by
// `owner`.
void OpenAboutWindow(HWND owner);
void OpenLicenseWindow(HWND owner);
// A message box with the version, build time and source revision.
void ShowVersionBox(HWND owner);
// "documentation.txt" from beside the program, in Notepad.
void OpenDocumentation(HWND owner);
// The product web page in the default browser.
void OpenWebsite(HWND owner);
