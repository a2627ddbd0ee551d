// The main dialog under Wine: its menu items bound to command rows and grayed
// by the timer without a document, full screen from a maximized window, and
// the profile through the private-profile calls in any folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/utf8_win32.h"
#include "orv_version.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/win_temp_dir.h"

namespace {

using AppMainWindow = MainWindowTest;

TEST_F(AppMainWindow, MenuItemsRunCommandsAndAreGrayedWithoutADocument) {
  EXPECT_EQ(ClassOf(hwnd_), L"orvinale_superhost");
  const std::wstring title = WideText("Orvinale " ORV_VERSION " (x64)");
  EXPECT_EQ(TextOf(hwnd_), title);
  ASSERT_EQ(GetMenu(hwnd_), window_.menu);
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVINALE)), nullptr);
  // Every item but the two grayed labels has a command row with a handler.
  for (int p = 0; p < GetMenuItemCount(window_.menu); ++p) {
    HMENU popup = GetSubMenu(window_.menu, p);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      const UINT id = GetMenuItemID(popup, i);
      const Command* row = FindMenuCommand(static_cast<int>(id));
      const bool label = id == 0 || id == ID_HELP_TEXT_FILE_LABEL || id == ID_HELP_ONLINE_LABEL;
      EXPECT_EQ(row != nullptr && row->run != nullptr, !label) << id;
    }
  }
  const UINT document_items[] = {ID_FILE_SAVE, ID_EDIT_FIND, ID_VIEW_LINE_NUMBER, ID_VIEW_WHITESPACE};
  OnMenuTimer(&window_);
  for (UINT id : document_items) EXPECT_FALSE(MenuItemAvailable(window_, id)) << id;
  EXPECT_TRUE(MenuItemAvailable(window_, ID_FILE_OPEN));
  SendMessageW(hwnd_, WM_COMMAND, ID_FILE_NEW, 0);
  EXPECT_EQ(TextOf(hwnd_), L"original-0.mem - " + title);
  OnMenuTimer(&window_);
  for (UINT id : document_items) EXPECT_TRUE(MenuItemAvailable(window_, id)) << id;
  EXPECT_FALSE(MenuItemAvailable(window_, ID_FILE_REOPEN)) << "a new document has no file";
  // Cut follows the selection, Paste the clipboard, the checks the toggles.
  auto checked = [&](UINT id) { return (GetMenuState(window_.menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  SendMessageW(window_.surface_hwnd, WM_CHAR, L'x', 0);
  OnMenuTimer(&window_);
  EXPECT_FALSE(MenuItemAvailable(window_, ID_EDIT_CUT));
  EXPECT_FALSE(MenuItemAvailable(window_, ID_EDIT_PASTE));
  const bool numbers = checked(ID_VIEW_LINE_NUMBER), dots = checked(ID_VIEW_WHITESPACE);
  SendMessageW(hwnd_, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
  SendMessageW(hwnd_, WM_COMMAND, ID_EDIT_COPY, 0);
  SendMessageW(hwnd_, WM_COMMAND, ID_VIEW_LINE_NUMBER, 0);
  SendMessageW(hwnd_, WM_COMMAND, ID_VIEW_WHITESPACE, 0);
  OnMenuTimer(&window_);
  EXPECT_TRUE(MenuItemAvailable(window_, ID_EDIT_CUT));
  EXPECT_TRUE(MenuItemAvailable(window_, ID_EDIT_PASTE));
  EXPECT_NE(checked(ID_VIEW_LINE_NUMBER), numbers);
  EXPECT_NE(checked(ID_VIEW_WHITESPACE), dots);
}

TEST_F(AppMainWindow, FullScreenFromMaximizedComesBackMaximized) {
  ShowWindow(hwnd_, SW_MAXIMIZE);
  ToggleFullscreen(&window_);
  EXPECT_TRUE(window_.fullscreen);
  EXPECT_EQ(GetWindowLongW(hwnd_, GWL_STYLE) & (WS_CAPTION | WS_MAXIMIZE), 0);
  MONITORINFO info{sizeof info};
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info);
  const RECT r = RectOf(hwnd_);
  EXPECT_TRUE(EqualRect(&r, &info.rcMonitor));
  EXPECT_EQ(window_.saved_rect.x, 50) << "the rectangle before full screen: the restored one";
  EXPECT_EQ(GetMenu(hwnd_), window_.menu) << "the menu stays";
  ToggleFullscreen(&window_);
  EXPECT_FALSE(window_.fullscreen);
  EXPECT_TRUE(IsZoomed(hwnd_));
  EXPECT_NE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION, 0);
}

// ASCII folders take the narrow calls, others the wide ones; one section.
TEST(AppProfile, ValuesRoundTripInAsciiAndGreekFolders) {
  WinTempDir dir;
  for (const std::string folder : {"ascii", "\xCE\xB3\xCE\xBD\xE1\xBF\xB6\xCE\xB8\xCE\xB9-\xE6\xBC\xA2"}) {
    ASSERT_TRUE(CreateDirectoryUtf8(dir.File(folder).c_str()));
    const std::string path = dir.File(folder + "\\orvinale.ini");
    EXPECT_EQ(ProfileGetInt("main_wnd_x", 50, path.c_str()), 50) << "no file: the default";
    EXPECT_TRUE(ProfileSetInt("main_wnd_x", -1200, path.c_str()));
    EXPECT_TRUE(ProfileSetString("linenumber", "0", path.c_str()));
    EXPECT_EQ(ProfileGetInt("main_wnd_x", 50, path.c_str()), -1200);
    EXPECT_EQ(ProfileGetInt("linenumber", 1, path.c_str()), 0);
    EXPECT_EQ(ProfileGetInt("folders_wnd_w", 800, path.c_str()), 800) << "no key: the default";
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"orvinale", L"main_wnd_x", L"", value, 64, WideText(path).c_str());
    EXPECT_STREQ(value, L"-1200");
  }
}

}  // namespace
