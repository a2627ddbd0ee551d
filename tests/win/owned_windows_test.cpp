// The windows the main window owns, under Wine, with the real main window:
// one of each, at its place in the profile, moved, closed, reopened where it
// was left (at its own size unless the user may resize it), and closed with
// the main window. Then what only their controls can tell, and the console
// windows' keys fed by their timers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "app/browse_windows_win32.h"
#include "app/console_windows_win32.h"
#include "app/help_windows_win32.h"
#include "app/search_dialogs_win32.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/win_temp_dir.h"

namespace {

constexpr char kLicense[] = "MIT License\r\n\r\nCopyright (c) 2026 J\xC3\xBCrgen\r\n";

class OwnedWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    saved_directory_ = program_directory;
    program_directory = config_directory = dir_.File("");
    std::ofstream(dir_.File("license.txt"), std::ios::binary) << kLicense;
    std::ofstream(dir_.File("preferences-default.txt")) << "{\n  \"curses_right_focus\": true\n}\n";
    std::ofstream(dir_.File("preferences.txt")) << "{\n  \"ruler\": 100\n}\n";
    std::ofstream(dir_.File("changelog.txt")) << "Changelog\n\n0.53-alpha\n  - first release\n";
    MainWindowTest::SetUp();
    SendMessageW(hwnd_, WM_COMMAND, ID_FILE_NEW, 0);  // the search dialogs need a document
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    program_directory = saved_directory_;
  }
  WinTempDir dir_;
  std::string saved_directory_;
};

// Queues the key in the console, with Ctrl as the window records it from the
// key's message, and lets the window's timer feed it.
void FeedKey(HWND window, UINT_PTR timer, ConsoleWindow* console, int key, bool ctrl = false) {
  PushKey(&console->keys, key, ctrl ? ModifierBit(ConsoleModifier::kControl) : 0);
  SendMessageW(window, WM_TIMER, timer, 0);
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
}

HWND Slot(OwnedDialog which) { return OwnedDialogWindow(which); }

TEST_F(OwnedWindows, EachOpensOnceAndComesBackWhereItWasLeft) {
  const struct {
    const wchar_t* caption;
    void (*open)(HWND);
    std::function<HWND()> hwnd;
    const char* key;
    int w, h;  // 0: the template's
    bool sizable;
  } windows[] = {
      {L"About Orvinale", OpenAboutWindow, [] { return Slot(OwnedDialog::About); }, "about", 630, 210, false},
      {L"Orvinale license", OpenLicenseWindow, [] { return Slot(OwnedDialog::License); }, "license", 400, 400,
       false},
      {L"Orvinale changelog", OpenChangelogWindow, [] { return Slot(OwnedDialog::Changelog); }, "changelog", 620,
       505, false},
      {L"Orvinale preferences", OpenPreferencesWindow, [] { return Slot(OwnedDialog::Preferences); },
       "preferences", 1140, 720, true},
      {L"Orvinale folders", OpenFoldersWindow, [] { return Slot(OwnedDialog::Folders); }, "folders", 800, 600,
       true},
      {L"Orvinale switch", OpenSwitchWindow, [] { return Slot(OwnedDialog::Switch); }, "switch", 200, 600, true},
      {L"Orvinale find", OpenFindDialog, [] { return find_dialog ? find_dialog->hwnd : nullptr; }, "find", 0, 0,
       false},
      {L"Orvinale change", OpenChangeDialog, [] { return change_dialog ? change_dialog->hwnd : nullptr; },
       "change", 0, 0, false},
      {L"Orvinale go to", OpenGoToDialog, [] { return goto_dialog ? goto_dialog->hwnd : nullptr; }, "goto", 0, 0,
       false},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(w.caption)));
    w.open(hwnd_);
    HWND hwnd = w.hwnd();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(TextOf(hwnd), w.caption);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), hwnd_);
    EXPECT_EQ((GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0, w.sizable);
    ExpectRect(hwnd, 0, 50, w.w, w.h);
    const RECT first = RectOf(hwnd);
    SetFocus(hwnd_);
    w.open(hwnd_);
    EXPECT_EQ(w.hwnd(), hwnd) << "a second command focuses the open one";
    EXPECT_TRUE(GetFocus() == hwnd || IsChild(hwnd, GetFocus()));
    SetWindowPos(hwnd, nullptr, -40, 211, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_EQ(Profile((std::string(w.key) + "_wnd_x").c_str()), -40);
    EXPECT_EQ(Profile((std::string(w.key) + "_wnd_y").c_str()), 211);
    w.open(hwnd_);
    ASSERT_NE(w.hwnd(), nullptr);
    ExpectRect(w.hwnd(), -40, 211, w.sizable ? 500 : first.right - first.left,
               w.sizable ? 300 : first.bottom - first.top);
  }
  // All open: the main window takes them along, and each writes its place.
  SetWindowPos(find_dialog->hwnd, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CloseMainWindow();
  for (const auto& w : windows) EXPECT_EQ(w.hwnd(), nullptr);
  EXPECT_EQ(Profile("find_wnd_x"), 40);
}

TEST_F(OwnedWindows, LicenseShowsItsFileReadOnlyAndSearchBoxesStartChecked) {
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
  std::string cut;
  for (int i = 0; i < 1023; ++i) cut += "\xC3\xA9";
  EXPECT_EQ(ReadEditUtf8(find), cut);
  SetWindowTextW(find, std::wstring(3000, L'z').c_str());
  EXPECT_EQ(ReadEditUtf8(find), std::string(2047, 'z'));
}

TEST_F(OwnedWindows, ConsolePanesTakeCtrlTabAndCtrlWFromTheirTimers) {
  OpenPreferencesWindow(hwnd_);
  ASSERT_NE(preferences_window, nullptr);
  HWND hwnd = preferences_window->hwnd;
  HWND left = GetDlgItem(hwnd, 1005), right = GetDlgItem(hwnd, 1004);
  EXPECT_EQ(ClassOf(left), L"WDLCursesWindow");
  EXPECT_EQ(ConsoleFromWindow(left), &preferences_default_console);
  EXPECT_EQ(ConsoleFromWindow(right), &preferences_user_console);
  EXPECT_EQ(preferences_window->user_editor->file_name, config_directory + "preferences.txt");
  EXPECT_EQ(GetFocus(), right);
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, 9, true);
  EXPECT_EQ(GetFocus(), left);
  FeedKey(hwnd, kPreferencesTimer, &preferences_default_console, 9, true);
  EXPECT_EQ(GetFocus(), right);
  EXPECT_EQ(preferences_window->user_editor->lines[0], "{") << "Ctrl+Tab typed nothing";
  FeedKey(hwnd, kPreferencesTimer, &preferences_default_console, 23, true);
  EXPECT_FALSE(IsWindow(hwnd)) << "Ctrl+W closes the window from inside the timer";
  EXPECT_EQ(preferences_window, nullptr);
  EXPECT_EQ(preferences_default_console.window, nullptr);
  // The Changelog: Ctrl+W closes it; without its file, an empty pane that
  // Escape closes when nothing is active.
  OpenChangelogWindow(hwnd_);
  ASSERT_NE(changelog_window, nullptr);
  EXPECT_EQ(ConsoleFromWindow(GetFocus()), &changelog_console);
  EXPECT_EQ(changelog_window->viewer->lines.size(), 4u);
  FeedKey(changelog_window->hwnd, kChangelogTimer, &changelog_console, 23, true);
  EXPECT_EQ(changelog_window, nullptr);
  DeleteFileW(WideText(dir_.File("changelog.txt")).c_str());
  OpenChangelogWindow(hwnd_);
  ASSERT_NE(changelog_window, nullptr);
  EXPECT_TRUE(changelog_window->viewer->lines.empty());
  FeedKey(changelog_window->hwnd, kChangelogTimer, &changelog_console, 27);
  EXPECT_EQ(changelog_window, nullptr);
}

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM which) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

// A key-down as the message filter sees it: 1 when it took the key.
int Press(HWND target, HTREEITEM select, UINT key) {
  if (select != nullptr) SendMessageW(target, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(select));
  MSG msg{target, WM_KEYDOWN, key, 1};
  return DispatchKey(msg);
}

TEST_F(OwnedWindows, FoldersTreeTakesItsKeysThroughTheMessageFilter) {
  const std::string folder = dir_.File("src"), omega = folder + "\\\xCE\xA9mega.txt";
  ASSERT_TRUE(CreateDirectoryUtf8(folder.c_str()));
  FILE* f = OpenStreamUtf8(omega.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  ASSERT_TRUE(AddFolderRoot(&window_.folder_roots, folder));
  for (int i = 0; i < 6000 && !window_.folder_roots.roots[0]->scanner->scan_done; ++i) Sleep(10);
  OpenFoldersWindow(hwnd_);
  ASSERT_NE(folders_window, nullptr);
  HWND tree = folders_window->tree;
  HTREEITEM top = Next(tree, nullptr, TVGN_ROOT), root = Next(tree, top, TVGN_CHILD);
  HTREEITEM file = Next(tree, root, TVGN_CHILD);
  ASSERT_NE(file, nullptr) << "the scan did not end, or its file is not listed";
  char narrow[512] = {};
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = file;
  item.pszText = narrow;
  item.cchTextMax = sizeof narrow;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::string(narrow), omega) << "UTF-8 through the tree's subclass";
  // Enter on a folder opens nothing; Up leaves the tree only from "Root";
  // Delete hides an item until the next fill.
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
