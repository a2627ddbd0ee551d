#pragma once
// The Switch window (dialog 131), owned by the main window: the open
// documents by file name, in registry order.
#include <windows.h>

#include "app/sizer.h"

struct SwitchWindowRecord {
  HWND hwnd = nullptr;
  HWND list = nullptr;  // control 1019, with the UTF-8 subclass
  Sizer sizer;
};

// Null while the window is closed.
extern SwitchWindowRecord* switch_window;

// View > Switch and Ctrl+Tab: focuses the window, or creates and shows it.
void OpenSwitchWindow(HWND owner);

// The actions below do nothing while the window is closed.
// Makes the document of the selected and focused row current, then closes
// the window (which closes in any case).
void ActivateSelectedDocument();
// Tab and Shift+Tab: the selection moves one row, wrapping at the ends.
void SelectNextRow();
void SelectPreviousRow();
