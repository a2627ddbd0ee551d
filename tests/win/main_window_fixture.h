#pragma once
// A main window with its application state and a profile file of its own,
// for tests of the windows the main window owns. The window closes at the
// end of the test unless the test closed it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"

class MainWindowTest : public ::testing::Test {
 protected:
  // `profile_name`: the profile's file name in the temporary folder.
  explicit MainWindowTest(const char* profile_name) : profile_name_(profile_name) {}

  void SetUp() override {
    instance_ = GetModuleHandleW(nullptr);
    RegisterWindowClasses(instance_);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    profile_path = std::string(temp) + profile_name_;
    DeleteFileA(profile_path.c_str());
    command_line.clear();
    window_.show_welcome = false;
    main_window = &window_;
    hwnd_ = CreateMainDialog(instance_, &window_);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_NE(app_state, nullptr);
  }

  void TearDown() override {
    CloseMainWindow();
    main_window = nullptr;
    DeleteFileA(profile_path.c_str());
    UnregisterConsoleWindowClass(instance_);
  }

  // File > Exit, then the message loop until the window is gone.
  void CloseMainWindow() {
    if (hwnd_ == nullptr || !IsWindow(hwnd_)) return;
    PostMessageW(hwnd_, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(MessageLoop(), 0);
  }

  int Profile(const char* key) { return ProfileGetInt(key, -9999, profile_path.c_str()); }

  const char* profile_name_;
  HINSTANCE instance_ = nullptr;
  MainWindow window_;
  HWND hwnd_ = nullptr;
};
