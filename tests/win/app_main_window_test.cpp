// The main dialog under Wine: its class, title and menu, the menu items the
// timer grays without a document, every item bound to a command row, and
// full screen entered from a maximized window.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/main_window_fixture.h"
#include "tests/win/window_queries.h"

namespace {

class AppMainWindow : public MainWindowTest {
 protected:
  AppMainWindow() : MainWindowTest("orv_main_window_test.ini") {}
};

TEST_F(AppMainWindow, MenuItemsRunCommandsAndAreGrayedWithoutADocument) {
  EXPECT_EQ(ClassOf(hwnd_), L"orvinale_superhost");
  EXPECT_EQ(TextOf(hwnd_), L"Orvinale 0.53-alpha (x64)");
  ASSERT_EQ(GetMenu(hwnd_), window_.menu);
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVINALE)), nullptr);
  // Every item but the two grayed labels has a command row with a handler.
  for (int p = 0; p < GetMenuItemCount(window_.menu); ++p) {
    HMENU popup = GetSubMenu(window_.menu, p);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      const UINT id = GetMenuItemID(popup, i);
      if (id == 0 || id == ID_HELP_TEXT_FILE_LABEL || id == ID_HELP_ONLINE_LABEL) {
        EXPECT_EQ(FindMenuCommand(static_cast<int>(id)), nullptr) << id;
        continue;
      }
      const Command* row = FindMenuCommand(static_cast<int>(id));
      ASSERT_NE(row, nullptr) << id;
      EXPECT_NE(row->run, nullptr) << id;
    }
  }
  const UINT document_items[] = {ID_FILE_SAVE, ID_EDIT_FIND, ID_VIEW_LINE_NUMBER, ID_VIEW_WHITESPACE};
  OnMenuTimer(&window_);
  for (UINT id : document_items) EXPECT_FALSE(MenuItemAvailable(window_, id)) << id;
  EXPECT_TRUE(MenuItemAvailable(window_, ID_FILE_OPEN));
  SendMessageW(hwnd_, WM_COMMAND, ID_FILE_NEW, 0);
  EXPECT_EQ(TextOf(hwnd_), L"original-0.mem - Orvinale 0.53-alpha (x64)");
  OnMenuTimer(&window_);
  for (UINT id : document_items) EXPECT_TRUE(MenuItemAvailable(window_, id)) << id;
  EXPECT_FALSE(MenuItemAvailable(window_, ID_FILE_REOPEN)) << "a new document has no file";
}

TEST_F(AppMainWindow, FullScreenFromMaximizedComesBackMaximized) {
  ShowWindow(hwnd_, SW_MAXIMIZE);
  ToggleFullscreen(&window_);
  EXPECT_TRUE(window_.fullscreen);
  EXPECT_FALSE(IsZoomed(hwnd_));
  EXPECT_EQ(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION, 0);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info);
  RECT r = RectOf(hwnd_);
  EXPECT_TRUE(EqualRect(&r, &info.rcMonitor));
  EXPECT_EQ(window_.saved_rect.x, 50) << "the rectangle before full screen: the restored one";
  EXPECT_EQ(GetMenu(hwnd_), window_.menu) << "the menu stays";
  ToggleFullscreen(&window_);
  EXPECT_FALSE(window_.fullscreen);
  EXPECT_TRUE(IsZoomed(hwnd_));
  EXPECT_NE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION, 0);
}

}  // namespace
