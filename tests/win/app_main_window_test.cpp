// The main dialog under Wine: template, classes, panes, menu, title, the
// profile keys a close writes, and a close that ends the loop with 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/editing.h"

namespace {

std::string TempProfile() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "orv_shell_test.ini";
  DeleteFileA(path.c_str());
  return path;
}

std::wstring TitleOf(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

TEST(AppMainWindow, OpensWithPanesMenuAndTitleAndWritesProfileOnClose) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClasses(instance);
  profile_path = TempProfile();
  ProfileSetInt("linenumber", 0, profile_path.c_str());
  command_line.clear();

  MainWindow window;
  window.show_welcome = false;
  main_window = &window;
  HWND hwnd = CreateMainDialog(instance, &window);
  ASSERT_NE(hwnd, nullptr);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  EXPECT_STREQ(cls, L"orvinale_superhost");
  EXPECT_EQ(TitleOf(hwnd), L"Orvinale 0.53-alpha (x64)");
  EXPECT_NE(window.surface_hwnd, nullptr);
  EXPECT_NE(window.line_hwnd, nullptr);
  EXPECT_EQ(GetMenu(hwnd), window.menu);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  // An empty profile: 50, 50, 900 x 900; Line number off as stored, Filename on.
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.right - r.left, 900);
  EXPECT_FALSE(window.show_line_numbers);
  EXPECT_TRUE(window.show_filename);
  ASSERT_NE(app_state, nullptr);

  // A new document shows its name in front of the title.
  SendMessageW(hwnd, WM_COMMAND, ID_FILE_NEW, 0);
  EXPECT_EQ(TitleOf(hwnd), L"original-0.mem - Orvinale 0.53-alpha (x64)");
  // The timer's menu pass enables the document items; Reopen stays grayed.
  OnMenuTimer(&window);
  EXPECT_TRUE(MenuItemAvailable(window, ID_VIEW_FILENAME));
  EXPECT_FALSE(MenuItemAvailable(window, ID_FILE_REOPEN));
  SendMessageW(hwnd, WM_COMMAND, ID_VIEW_FILENAME, 0);
  EXPECT_EQ(TitleOf(hwnd), L"Orvinale 0.53-alpha (x64)");
  // A replace-all shows its count until timer 332 puts the plain title back.
  Document* doc = GetCurrentDocument(*app_state);
  ASSERT_NE(doc, nullptr);
  InsertText(doc, "foo foo", 7);
  EXPECT_EQ(ReplaceAndReport(&window, "x", "y", true, false), 0);
  EXPECT_EQ(TitleOf(hwnd), L"Orvinale 0.53-alpha (x64)") << "no change, no count";
  EXPECT_EQ(ReplaceAndReport(&window, "foo", "bar", true, true), 2);
  EXPECT_EQ(TitleOf(hwnd), L"Orvinale 0.53-alpha (x64) | 2 changes");
  EXPECT_EQ(doc->render_cache->caret_row, -1);
  OnChangeCountTimer(&window);
  EXPECT_EQ(TitleOf(hwnd), L"Orvinale 0.53-alpha (x64)");
  // Without a document the toggles are grayed and do nothing.
  SendMessageW(hwnd, WM_COMMAND, ID_FILE_CLOSE, 0);
  OnMenuTimer(&window);
  EXPECT_FALSE(MenuItemAvailable(window, ID_VIEW_LINE_NUMBER));
  ToggleLineNumbers(&window);
  EXPECT_FALSE(window.show_line_numbers);

  PostMessageW(hwnd, WM_COMMAND, ID_FILE_EXIT, 0);
  EXPECT_EQ(MessageLoop(), 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(app_state, nullptr);
  EXPECT_EQ(ProfileGetInt("main_wnd_maximized", -1, profile_path.c_str()), 0);
  EXPECT_EQ(ProfileGetInt("main_wnd_x", -1, profile_path.c_str()), 50);
  EXPECT_EQ(ProfileGetInt("main_wnd_w", -1, profile_path.c_str()), 900);
  EXPECT_EQ(ProfileGetInt("filename", -1, profile_path.c_str()), 0);
  EXPECT_EQ(ProfileGetInt("linenumber", -1, profile_path.c_str()), 0);
  EXPECT_NE(ProfileGetInt("surface_w", -1, profile_path.c_str()), -1);
  main_window = nullptr;
  DeleteFileA(profile_path.c_str());
  UnregisterConsoleWindowClass(instance);
}

TEST(AppMainWindow, StartsMaximizedFromTheProfileAndFullScreenComesBackMaximized) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClasses(instance);
  profile_path = TempProfile();
  ProfileSetInt("main_wnd_maximized", 1, profile_path.c_str());
  ProfileSetInt("main_wnd_x", 70, profile_path.c_str());
  ProfileSetInt("main_wnd_w", 640, profile_path.c_str());
  command_line.clear();
  MainWindow window;
  window.show_welcome = false;
  main_window = &window;
  HWND hwnd = CreateMainDialog(instance, &window);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(IsZoomed(hwnd));

  ToggleFullscreen(&window);
  EXPECT_TRUE(window.fullscreen);
  EXPECT_FALSE(IsZoomed(hwnd));
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION, 0);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_TRUE(EqualRect(&r, &info.rcMonitor));
  EXPECT_EQ(window.saved_rect.x, 70) << "the rectangle before full screen: the restored one";
  EXPECT_EQ(window.saved_rect.w, 640);
  EXPECT_EQ(GetMenu(hwnd), window.menu) << "the menu stays";

  ToggleFullscreen(&window);
  EXPECT_FALSE(window.fullscreen);
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_NE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION, 0);

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(MessageLoop(), 0);
  EXPECT_EQ(ProfileGetInt("main_wnd_maximized", -1, profile_path.c_str()), 1);
  EXPECT_EQ(ProfileGetInt("main_wnd_x", -1, profile_path.c_str()), 70);
  EXPECT_EQ(ProfileGetInt("main_wnd_w", -1, profile_path.c_str()), 640);
  main_window = nullptr;
  DeleteFileA(profile_path.c_str());
  UnregisterConsoleWindowClass(instance);
}

}  // namespace
