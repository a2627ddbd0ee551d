// The main window under Wine: its title, and a close that ends the message
// loop with exit code 0.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_window_win32.h"

TEST(AppMainWindow, HasTitleAndCloseEndsLoopWithZero) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ASSERT_TRUE(RegisterMainWindowClass(instance));
  ASSERT_TRUE(RegisterMainWindowClass(instance)) << "registering twice must not fail";
  HWND hwnd = CreateMainWindow(instance);
  ASSERT_NE(hwnd, nullptr);

  wchar_t title[64] = {};
  GetWindowTextW(hwnd, title, 64);
  EXPECT_STREQ(title, L"Orvinale 0.53-alpha (x64)");

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(hwnd));
}
