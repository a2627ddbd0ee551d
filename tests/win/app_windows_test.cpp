// The main window under Wine with a profile and data files of its own: its
// menu, full screen, the profile calls, and the windows it owns.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/browse_windows_win32.h"
#include "app/console_windows_win32.h"
#include "app/help_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/search_dialogs_win32.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"
#include "engine/utf8_win32.h"
#include "tests/win/win_temp_dir.h"

namespace {

constexpr char kLicense[] = "MIT License\r\n\r\nCopyright (c) 2026 J\xC3\xBCrgen\r\n";

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

class AppWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_directory_ = program_directory;
    program_directory = config_directory = dir_.File("");
    // The profile in a Greek folder takes the wide calls (the stories' ASCII ones the narrow).
    const std::string greek = dir_.File("\xCE\xB3\xCE\xBD\xE1\xBF\xB6\xCE\xB8\xCE\xB9-\xE6\xBC\xA2");
    ASSERT_TRUE(CreateDirectoryUtf8(greek.c_str()));
    profile_path = greek + "\\orvinale.ini";
    std::ofstream(dir_.File("license.txt"), std::ios::binary) << kLicense;
    std::ofstream(dir_.File("preferences-default.txt")) << "{\n  \"curses_right_focus\": true\n}\n";
    std::ofstream(dir_.File("preferences.txt")) << "{\n  \"ruler\": 100\n}\n";
    std::ofstream(dir_.File("changelog.txt")) << "Changelog\n\n0.53-alpha\n  - first release\n";
    RegisterWindowClasses(GetModuleHandleW(nullptr));
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
    UnregisterConsoleWindowClass(GetModuleHandleW(nullptr));
    program_directory = saved_directory_;
  }
  void CloseMainWindow() {  // File > Exit, then the message loop until the window is gone
    if (!IsWindow(hwnd_)) return;
    PostMessageW(hwnd_, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(MessageLoop(), 0);
  }
  void Choose(UINT id) { SendMessageW(hwnd_, WM_COMMAND, id, 0); }
  int Profile(const std::string& key) { return ProfileGetInt(key.c_str(), -9999, profile_path.c_str()); }

  WinTempDir dir_;
  std::string saved_directory_;
  MainWindow window_;
  HWND hwnd_ = nullptr;
};

TEST_F(AppWindows, MenuItemsRunCommandsAndAreGrayedWithoutADocument) {
  ASSERT_EQ(GetMenu(hwnd_), window_.menu);
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
  Choose(ID_FILE_NEW);
  OnMenuTimer(&window_);
  for (UINT id : document_items) EXPECT_TRUE(MenuItemAvailable(window_, id)) << id;
  EXPECT_FALSE(MenuItemAvailable(window_, ID_FILE_REOPEN)) << "a new document has no file";
  // Cut follows the selection, Paste the clipboard, the checks the toggles.
  auto checked = [&](UINT id) { return (GetMenuState(window_.menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
  SendMessageW(window_.surface_hwnd, WM_CHAR, L'x', 0);
  OnMenuTimer(&window_);
  EXPECT_FALSE(MenuItemAvailable(window_, ID_EDIT_CUT));
  EXPECT_FALSE(MenuItemAvailable(window_, ID_EDIT_PASTE));
  const bool numbers = checked(ID_VIEW_LINE_NUMBER), dots = checked(ID_VIEW_WHITESPACE);
  for (UINT id : {ID_EDIT_SELECT_ALL, ID_EDIT_COPY, ID_VIEW_LINE_NUMBER, ID_VIEW_WHITESPACE}) Choose(id);
  OnMenuTimer(&window_);
  EXPECT_TRUE(MenuItemAvailable(window_, ID_EDIT_CUT));
  EXPECT_TRUE(MenuItemAvailable(window_, ID_EDIT_PASTE));
  EXPECT_NE(checked(ID_VIEW_LINE_NUMBER), numbers);
  EXPECT_NE(checked(ID_VIEW_WHITESPACE), dots);
}

TEST_F(AppWindows, FullScreenFromMaximizedComesBackMaximized) {
  ShowWindow(hwnd_, SW_MAXIMIZE);
  ToggleFullscreen(&window_);
  EXPECT_EQ(GetWindowLongW(hwnd_, GWL_STYLE) & (WS_CAPTION | WS_MAXIMIZE), 0);
  const RECT r = RectOf(hwnd_);
  EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top),
            std::pair(LONG(GetSystemMetrics(SM_CXSCREEN)), LONG(GetSystemMetrics(SM_CYSCREEN))));
  EXPECT_EQ(window_.saved_rect.x, 50) << "the rectangle before full screen: the restored one";
  ToggleFullscreen(&window_);
  EXPECT_TRUE(IsZoomed(hwnd_));
  EXPECT_NE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION, 0);
}

// One of each, at its place in the profile, moved, closed, reopened where it
// was left (at its own size unless resizable), and closed with the main window.
TEST_F(AppWindows, EachOwnedWindowOpensOnceAndComesBackWhereItWasLeft) {
  Choose(ID_FILE_NEW);  // the search dialogs need a document
  const struct {
    const wchar_t* caption;
    void (*open)(HWND);
    const char* key;
    int w, h;  // 0: the template's
    bool sizable;
  } windows[] = {
      {L"About Orvinale", OpenAboutWindow, "about", 630, 210, false},
      {L"Orvinale license", OpenLicenseWindow, "license", 400, 400, false},
      {L"Orvinale changelog", OpenChangelogWindow, "changelog", 620, 505, false},
      {L"Orvinale preferences", OpenPreferencesWindow, "preferences", 1140, 720, true},
      {L"Orvinale folders", OpenFoldersWindow, "folders", 800, 600, true},
      {L"Orvinale switch", OpenSwitchWindow, "switch", 200, 600, true},
      {L"Orvinale find", OpenFindDialog, "find", 0, 0, false},
      {L"Orvinale change", OpenChangeDialog, "change", 0, 0, false},
      {L"Orvinale go to", OpenGoToDialog, "goto", 0, 0, false},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(w.caption)));
    w.open(hwnd_);
    HWND hwnd = FindWindowW(nullptr, w.caption);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(TextOf(hwnd), w.caption);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), hwnd_);
    EXPECT_EQ((GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0, w.sizable);
    const RECT first = RectOf(hwnd);
    EXPECT_EQ(std::pair(first.left, first.top), std::pair(0L, 50L));
    if (w.w != 0) { EXPECT_EQ(std::pair(first.right, first.bottom), std::pair(LONG(w.w), LONG(50 + w.h))); }
    SetFocus(hwnd_);
    w.open(hwnd_);
    EXPECT_EQ(FindWindowW(nullptr, w.caption), hwnd) << "a second command focuses the open one";
    EXPECT_TRUE(GetFocus() == hwnd || IsChild(hwnd, GetFocus()));
    SetWindowPos(hwnd, nullptr, -40, 211, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(std::pair(Profile(std::string(w.key) + "_wnd_x"), Profile(std::string(w.key) + "_wnd_y")),
              std::pair(-40, 211));
    w.open(hwnd_);
    const RECT again = RectOf(FindWindowW(nullptr, w.caption));
    EXPECT_EQ(std::pair(again.left, again.top), std::pair(-40L, 211L));
    EXPECT_EQ(again.right - again.left, w.sizable ? 500 : first.right - first.left);
    EXPECT_EQ(again.bottom - again.top, w.sizable ? 300 : first.bottom - first.top);
  }
  SetWindowPos(find_dialog->hwnd, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CloseMainWindow();
  for (const auto& w : windows) EXPECT_EQ(FindWindowW(nullptr, w.caption), nullptr);
  EXPECT_EQ(Profile("find_wnd_x"), 40);
}
TEST_F(AppWindows, LicenseShowsItsFileReadOnlyAndSearchBoxesStartChecked) {
  Choose(ID_FILE_NEW);
  OpenLicenseWindow(hwnd_);
  ASSERT_NE(license_window, nullptr);
  HWND edit = license_window->edit;
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(TextOf(edit), WideText(kLicense)) << "the file as it is, line ends and all";
  SendMessageW(edit, WM_CHAR, L'x', 0);
  EXPECT_EQ(TextOf(edit), WideText(kLicense)) << "read-only";
  SendMessageW(license_window->hwnd, WM_CLOSE, 0, 0);
  DeleteFileW(WideText(dir_.File("license.txt")).c_str());
  OpenLicenseWindow(hwnd_);
  ASSERT_NE(license_window, nullptr);
  EXPECT_EQ(TextOf(license_window->edit), L"");
  for (int opening = 0; opening < 2; ++opening) {
    OpenFindDialog(hwnd_);
    OpenChangeDialog(hwnd_);
    ASSERT_TRUE(find_dialog && change_dialog);
    for (HWND b : {find_dialog->case_box, find_dialog->word_box, change_dialog->case_box, change_dialog->word_box}) {
      EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED) << opening;
      SendMessageW(b, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(find_dialog->hwnd, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(change_dialog->hwnd, WM_COMMAND, IDCANCEL, 0);
  }
  // Entries are read as UTF-8, cut at 2,047 bytes between whole characters.
  OpenFindDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  HWND find = find_dialog->find_edit;
  SetWindowTextW(find, L"a\x00E9\x20AC\xD83D\xDE00");
  EXPECT_EQ(ReadEditUtf8(find), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  SetWindowTextW(find, std::wstring(1500, L'\x00E9').c_str());
  EXPECT_EQ(ReadEditUtf8(find).size(), 2046u) << "1023 whole characters, not half of the next";
  SetWindowTextW(find, std::wstring(3000, L'z').c_str());
  EXPECT_EQ(ReadEditUtf8(find), std::string(2047, 'z'));
}

// Without its file the Changelog is an empty pane that Escape, fed by the
// window's own timer, closes when nothing is active.
TEST_F(AppWindows, EmptyChangelogClosesOnEscapeFromItsTimer) {
  DeleteFileW(WideText(dir_.File("changelog.txt")).c_str());
  OpenChangelogWindow(hwnd_);
  ASSERT_NE(changelog_window, nullptr);
  EXPECT_EQ(ConsoleFromWindow(GetFocus()), &changelog_console);
  EXPECT_TRUE(changelog_window->viewer->lines.empty());
  PushKey(&changelog_console.keys, 27, 0);
  SendMessageW(changelog_window->hwnd, WM_TIMER, kChangelogTimer, 0);
  EXPECT_EQ(changelog_window, nullptr);
  EXPECT_EQ(changelog_console.window, nullptr);
}

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM which) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

// A key-down as the message filter sees it: 1 when it took the key.
int Press(HWND target, HTREEITEM select, UINT key) {
  if (select != nullptr) SendMessageW(target, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(select));
  MSG msg{target, WM_KEYDOWN, key, 1, 0, {}};
  return DispatchKey(msg);
}

TEST_F(AppWindows, FoldersTreeTakesItsKeysThroughTheMessageFilter) {
  const std::string folder = dir_.File("src"), omega = folder + "\\\xCE\xA9mega.txt";
  ASSERT_TRUE(CreateDirectoryUtf8(folder.c_str()));
  FILE* f = OpenStreamUtf8(omega.c_str(), "wb");
  ASSERT_TRUE(f != nullptr && std::fclose(f) == 0);
  ASSERT_TRUE(AddFolderRoot(&window_.folder_roots, folder));
  for (int i = 0; i < 6000 && !window_.folder_roots.roots[0]->scanner->scan_done; ++i) Sleep(10);
  OpenFoldersWindow(hwnd_);
  ASSERT_NE(folders_window, nullptr);
  HWND tree = folders_window->tree;
  HTREEITEM top = Next(tree, nullptr, TVGN_ROOT), root = Next(tree, top, TVGN_CHILD);
  HTREEITEM file = Next(tree, root, TVGN_CHILD);
  ASSERT_NE(file, nullptr) << "the scan did not end, or its file is not listed";
  char narrow[512] = {};
  TVITEMA item = {TVIF_TEXT, file, 0, 0, narrow, sizeof narrow, 0, 0, 0, 0};
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::string(narrow), omega) << "UTF-8 through the tree's subclass";
  // Enter on a folder opens nothing; Up leaves the tree only from "Root"; Delete hides an item.
  SetFocus(tree);
  const int documents = DocumentCount(app_state->documents);
  EXPECT_EQ(Press(tree, root, VK_RETURN), 1);
  EXPECT_EQ(DocumentCount(app_state->documents), documents);
  EXPECT_EQ(Press(tree, nullptr, VK_UP), 0);
  EXPECT_EQ(Press(tree, top, VK_UP), 1);
  EXPECT_EQ(GetFocus(), folders_window->filter);
  SetFocus(tree);
  EXPECT_EQ(Press(tree, root, VK_DELETE), 1);
  EXPECT_EQ(Next(tree, top, TVGN_CHILD), nullptr);
}

}  // namespace
