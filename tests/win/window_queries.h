#pragma once
// Small reads of a window's state for the Windows tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

inline std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

inline std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

inline RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// Expects the window's rectangle at (x, y), w x h (w or h 0: not checked).
inline void ExpectRect(HWND hwnd, int x, int y, int w, int h) {
  RECT r = RectOf(hwnd);
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.top, y);
  if (w != 0) EXPECT_EQ(r.right - r.left, w);
  if (h != 0) EXPECT_EQ(r.bottom - r.top, h);
}
