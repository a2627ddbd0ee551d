#include "app/search_dialogs_win32.h"

void OpenFindDialog(HWND) {}
void OpenChangeDialog(HWND) {}
void OpenGoToDialog(HWND) {}
