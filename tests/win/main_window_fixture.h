#pragma once
// A main window with its application state and a profile file of its own,
// for tests of the windows it owns; it closes at the end of the test unless
// the test closed it. And small reads of a window's state.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"

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

// The window at (x, y), w x h (a size of 0 is not checked).
inline void ExpectRect(HWND hwnd, int x, int y, int w, int h) {
  const RECT r = RectOf(hwnd);
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.top, y);
  if (w != 0) EXPECT_EQ(r.right - r.left, w);
  if (h != 0) EXPECT_EQ(r.bottom - r.top, h);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowClasses(GetModuleHandleW(nullptr));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    profile_path = std::string(temp) + "orv_main_window_test.ini";
    DeleteFileA(profile_path.c_str());
    command_line.clear();
    window_.show_welcome = false;
    main_window = &window_;
    hwnd_ = CreateMainDialog(GetModuleHandleW(nullptr), &window_);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_NE(app_state, nullptr);
  }
  void TearDown() override {
    CloseMainWindow();
    main_window = nullptr;
    DeleteFileA(profile_path.c_str());
    UnregisterConsoleWindowClass(GetModuleHandleW(nullptr));
  }
  // File > Exit, then the message loop until the window is gone.
  void CloseMainWindow() {
    if (!IsWindow(hwnd_)) return;
    PostMessageW(hwnd_, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(MessageLoop(), 0);
  }
  int Profile(const char* key) { return ProfileGetInt(key, -9999, profile_path.c_str()); }

  MainWindow window_;
  HWND hwnd_ = nullptr;
};
