#pragma once
// The License window: "license.txt" from beside the program in a read-only,
// multi-line edit control, in a fixed 400 x 400 window.
#include <windows.h>

#include "app/sizer.h"

struct LicenseWindow {
  HWND hwnd = nullptr;
  Sizer sizer;  // the edit control follows the client edges
  HWND edit = nullptr;
};

// Null while the window is closed.
extern LicenseWindow* license_window;
