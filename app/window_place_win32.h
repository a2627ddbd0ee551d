#pragma once
// Where the program's windows stand between runs: each window's top-left
// corner in the profile (default 0, 50) and, for the resizable ones, its size.
#include <windows.h>

struct WindowPlaceKeys {
  const char* x;
  const char* y;
  const char* w = nullptr;  // null: the size is not stored
  const char* h = nullptr;
  int default_w = 0, default_h = 0;
};

// Moves the window to the stored corner without reordering or activating
// it. Its size comes from the stored size when the keys have one, else from
// fixed_w × fixed_h when those are positive; otherwise it is kept.
void PlaceWindowFromProfile(HWND hwnd, const WindowPlaceKeys& keys, int fixed_w = 0,
                            int fixed_h = 0);
// Writes the window's screen corner, and its size when the keys have one.
void SaveWindowPlace(HWND hwnd, const WindowPlaceKeys& keys);
