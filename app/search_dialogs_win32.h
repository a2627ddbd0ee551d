#pragma once
// The Find, Change and Go-to dialogs, owned by the main window.
#include <windows.h>

void OpenFindDialog(HWND owner);
void OpenChangeDialog(HWND owner);
void OpenGoToDialog(HWND owner);
