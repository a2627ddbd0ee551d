// The Preferences and Changelog windows under Wine: templates, the console
// panes and their editors, the focus rules, keys fed by the timers, Ctrl+W
// from inside a pane, and the positions kept in the profile.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "app/console_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"
#include "preferences/preferences.h"
#include "tests/win/window_queries.h"

namespace {

RECT ChildRect(HWND parent, HWND child) {
  RECT r = RectOf(child);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Queues the key in the console, Ctrl recorded as the window records it
// from the key's message, and lets the window's timer feed it.
void FeedKey(HWND window, UINT_PTR timer, ConsoleWindow* console, int key, bool ctrl = false) {
  PushKey(&console->keys, key, ctrl ? ModifierBit(ConsoleModifier::kControl) : 0);
  SendMessageW(window, WM_TIMER, timer, 0);
  DrainMessages();
}

class PaneWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    instance = GetModuleHandleW(nullptr);
    RegisterWindowClasses(instance);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    program_directory = std::string(temp) + "orv_pane_windows\\";
    CreateDirectoryA(program_directory.c_str(), nullptr);
    config_directory = program_directory;
    profile_path = program_directory + "orvinale.ini";
    DeleteFileA(profile_path.c_str());
    WriteBytes(config_directory + "preferences-default.txt", kDefaults);
    WriteBytes(config_directory + "preferences.txt", kUser);
    WriteBytes(program_directory + "changelog.txt", kChangelog);
  }
  void TearDown() override {
    if (preferences_window != nullptr) DestroyWindow(preferences_window->hwnd);
    if (changelog_window != nullptr) DestroyWindow(changelog_window->hwnd);
    DrainMessages();
    delete preferences;
    preferences = nullptr;
    for (const char* name : {"orvinale.ini", "preferences-default.txt", "preferences.txt",
                             "changelog.txt"})
      DeleteFileA((program_directory + name).c_str());
    RemoveDirectoryA(program_directory.c_str());
    UnregisterConsoleWindowClass(instance);
  }
  int Profile(const char* key) { return ProfileGetInt(key, -9999, profile_path.c_str()); }

  static constexpr char kDefaults[] = "{\n  \"curses_right_focus\": true\n}\n";
  static constexpr char kUser[] = "{\n  \"ruler\": 100\n}\n";
  static constexpr char kChangelog[] = "Changelog\n\n0.53-alpha\n  - first release\n";
  HINSTANCE instance = nullptr;
};

TEST_F(PaneWindows, PreferencesWindowHasTwoConsolePanesAndSwitchesFocus) {
  OpenPreferencesWindow(nullptr);
  ASSERT_NE(preferences_window, nullptr);
  HWND hwnd = preferences_window->hwnd;
  EXPECT_EQ(ClassOf(hwnd), L"preferences_superhost");
  EXPECT_EQ(TextOf(hwnd), L"Orvinale preferences");
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Preferences), hwnd);
  HWND left = GetDlgItem(hwnd, 1005), right = GetDlgItem(hwnd, 1004);
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(ClassOf(left), L"WDLCursesWindow");
  EXPECT_EQ(ClassOf(right), L"WDLCursesWindow");
  EXPECT_EQ(ConsoleFromWindow(left), &preferences_default_console);
  EXPECT_EQ(ConsoleFromWindow(right), &preferences_user_console);
  EXPECT_EQ(preferences_default_console.window, left);

  // Placed at the profile's defaults, the panes half and half.
  RECT r = RectOf(hwnd);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 1140);
  EXPECT_EQ(r.bottom - r.top, 720);
  RECT client, lr = ChildRect(hwnd, left), rr = ChildRect(hwnd, right);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(lr.left, 0);
  EXPECT_EQ(rr.right, client.right);
  EXPECT_NEAR(lr.right - lr.left, rr.right - rr.left, 3);
  EXPECT_GT(rr.left, lr.right - 1) << "the panes do not overlap";
  EXPECT_EQ(lr.bottom, client.bottom);

  // Each pane's editor has its file; the grid fills the pane.
  ASSERT_NE(preferences_window->defaults_view, nullptr);
  EXPECT_EQ(preferences_window->defaults_view->lines.size(), 3u);
  EXPECT_EQ(preferences_window->user_editor->lines[1], "  \"ruler\": 100");
  EXPECT_EQ(preferences_window->user_editor->file_name, config_directory + "preferences.txt");
  EXPECT_EQ(preferences_user_console.grid.cols,
            (rr.right - rr.left) / preferences_user_console.cell_width);

  // No preferences read: curses_right_focus counts as true.
  EXPECT_EQ(GetFocus(), right);
  SendMessageW(hwnd, kSwitchPaneFocusMessage, 1, 0);
  EXPECT_EQ(GetFocus(), left);
  SendMessageW(hwnd, kSwitchPaneFocusMessage, 2, 0);
  EXPECT_EQ(GetFocus(), right);
  // Ctrl+Tab in a pane sends that message.
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, 9, true);
  EXPECT_EQ(GetFocus(), left);
  FeedKey(hwnd, kPreferencesTimer, &preferences_default_console, 9, true);
  EXPECT_EQ(GetFocus(), right);
  EXPECT_EQ(preferences_window->user_editor->lines[0], "{") << "Ctrl+Tab typed nothing";

  // A second command keeps the one window.
  OpenPreferencesWindow(nullptr);
  EXPECT_EQ(preferences_window->hwnd, hwnd);

  // Closing writes the rectangle; reopening puts the window there again.
  SetWindowPos(hwnd, nullptr, 100, 120, 900, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(preferences_window, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Preferences), nullptr);
  EXPECT_EQ(Profile("preferences_wnd_x"), 100);
  EXPECT_EQ(Profile("preferences_wnd_y"), 120);
  EXPECT_EQ(Profile("preferences_wnd_w"), 900);
  EXPECT_EQ(Profile("preferences_wnd_h"), 600);
  OpenPreferencesWindow(nullptr);
  ASSERT_NE(preferences_window, nullptr);
  hwnd = preferences_window->hwnd;
  r = RectOf(hwnd);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 900);
  EXPECT_EQ(r.bottom - r.top, 600);
  GetClientRect(hwnd, &client);
  lr = ChildRect(hwnd, GetDlgItem(hwnd, 1005));
  EXPECT_NEAR(lr.right, client.right / 2, 3);

  // Ctrl+W in the read-only pane closes the whole window from inside the
  // timer that fed the key.
  FeedKey(hwnd, kPreferencesTimer, &preferences_default_console, 23, true);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(preferences_window, nullptr);
  EXPECT_EQ(preferences_default_console.window, nullptr);
}

TEST_F(PaneWindows, PreferencesWindowFocusesTheLeftPaneAndCtrlWDropsChanges) {
  preferences = new Preferences;
  std::string text = "{\"curses_right_focus\": false}";
  ASSERT_TRUE(ParsePreferencesText(preferences, &text[0]));
  OpenPreferencesWindow(nullptr);
  ASSERT_NE(preferences_window, nullptr);
  HWND hwnd = preferences_window->hwnd;
  EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, 1005));

  // Typing in the right pane, then Ctrl+S with a trailing comma, then
  // Ctrl+W: the file keeps its bytes and the window goes without asking.
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, 4096);  // Down
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, 4103);  // End
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, ',');
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, 19, true);
  ASSERT_NE(preferences_window, nullptr);
  EXPECT_EQ(preferences_window->user_editor->message, "Parse error before: \n");
  EXPECT_TRUE(preferences_window->user_editor->IsModified());
  FeedKey(hwnd, kPreferencesTimer, &preferences_user_console, 23, true);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(preferences_window, nullptr);
  EXPECT_EQ(ReadBytes(config_directory + "preferences.txt"), kUser);
}

// Ctrl+Tab types no character, yet the panes switch on it: the console
// queues Tab (9) for its key-down, once.
TEST_F(PaneWindows, ConsoleQueuesCtrlTabOnce) {
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                              nullptr, nullptr, instance, nullptr);
  ConsoleWindow console;
  HWND pane = CreateWindowExW(0, kConsoleWindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                              host, nullptr, instance, &console);
  ASSERT_NE(pane, nullptr);
  auto set_ctrl = [](bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
  };
  const LPARAM tab_key = 1 | (kTabScanCode << 16), i_key = 1 | (0x17 << 16);
  set_ctrl(true);
  SendMessageW(pane, WM_KEYDOWN, VK_TAB, tab_key);
  SendMessageW(pane, WM_CHAR, '\t', tab_key);  // a layout that types one
  SendMessageW(pane, WM_CHAR, '\t', i_key);    // Ctrl+I
  set_ctrl(false);
  SendMessageW(pane, WM_KEYDOWN, VK_TAB, tab_key);  // plain Tab comes as a character
  SendMessageW(pane, WM_CHAR, '\t', tab_key);
  // Each Tab carries the Ctrl state of its own message, so a Ctrl+Tab
  // taken from the queue after Ctrl was released still switches panes.
  const uint8_t ctrl = ModifierBit(ConsoleModifier::kControl);
  for (uint8_t modifiers : {ctrl, ctrl, uint8_t{0}}) {
    ConsoleKey key = PopKey(&console.keys);
    EXPECT_EQ(key.code, 9);
    EXPECT_EQ(key.modifiers, modifiers);
  }
  EXPECT_EQ(PopKey(&console.keys).code, -1);
  DestroyWindow(host);
}

TEST_F(PaneWindows, ChangelogShowsTheFileReadOnlyAndCtrlWClosesIt) {
  OpenChangelogWindow(nullptr);
  ASSERT_NE(changelog_window, nullptr);
  HWND hwnd = changelog_window->hwnd;
  EXPECT_EQ(ClassOf(hwnd), L"changelog_superhost");
  EXPECT_EQ(TextOf(hwnd), L"Orvinale changelog");
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Changelog), hwnd);
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME, 0) << "fixed size";
  HWND pane = GetDlgItem(hwnd, 1003);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(ClassOf(pane), L"WDLCursesWindow");
  EXPECT_EQ(ConsoleFromWindow(pane), &changelog_console);
  EXPECT_EQ(GetFocus(), pane);
  RECT r = RectOf(hwnd), client, pr = ChildRect(hwnd, pane);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 620);
  EXPECT_EQ(r.bottom - r.top, 505);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(pr.right, client.right);
  EXPECT_EQ(pr.bottom, client.bottom);

  ASSERT_NE(changelog_window->viewer, nullptr);
  EXPECT_EQ(changelog_window->viewer->lines.size(), 4u);
  EXPECT_EQ(changelog_window->viewer->file_name, program_directory + "changelog.txt");
  // Typing changes nothing; the pane's Ctrl+Tab has nowhere to go.
  for (int key : {int('x'), 13, 8, 4105}) FeedKey(hwnd, kChangelogTimer, &changelog_console, key);
  FeedKey(hwnd, kChangelogTimer, &changelog_console, 9, true);
  EXPECT_EQ(GetFocus(), pane);
  EXPECT_EQ(changelog_window->viewer->lines[0], "Changelog");
  EXPECT_FALSE(changelog_window->viewer->IsModified());
  // Ctrl+F and a search text work.
  FeedKey(hwnd, kChangelogTimer, &changelog_console, 6, true);
  for (char c : std::string("first")) FeedKey(hwnd, kChangelogTimer, &changelog_console, c);
  FeedKey(hwnd, kChangelogTimer, &changelog_console, 13);
  EXPECT_EQ(changelog_window->viewer->cursor_line, 3);
  EXPECT_EQ(changelog_window->viewer->selecting, 1);
  // Escape first cancels the selection; with nothing left to cancel it
  // closes the window (tested on the reopened window below).
  FeedKey(hwnd, kChangelogTimer, &changelog_console, 27);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(changelog_window->viewer->selecting, 0);

  // Ctrl+W closes it; its position is kept, its size is not.
  SetWindowPos(hwnd, nullptr, 30, 70, 700, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  FeedKey(hwnd, kChangelogTimer, &changelog_console, 23, true);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(changelog_window, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Changelog), nullptr);
  EXPECT_EQ(Profile("changelog_wnd_x"), 30);
  EXPECT_EQ(Profile("changelog_wnd_y"), 70);

  // Reopened without its file: an empty pane at the kept position.
  DeleteFileA((program_directory + "changelog.txt").c_str());
  OpenChangelogWindow(nullptr);
  ASSERT_NE(changelog_window, nullptr);
  r = RectOf(changelog_window->hwnd);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(r.right - r.left, 620);
  EXPECT_TRUE(changelog_window->viewer->lines.empty());
  hwnd = changelog_window->hwnd;
  FeedKey(hwnd, kChangelogTimer, &changelog_console, 27);
  EXPECT_FALSE(IsWindow(hwnd)) << "Escape closes the Changelog";
  EXPECT_EQ(changelog_window, nullptr);
  OpenChangelogWindow(nullptr);
  ASSERT_NE(changelog_window, nullptr);
  SendMessageW(changelog_window->hwnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(changelog_window, nullptr);
}

}  // namespace
