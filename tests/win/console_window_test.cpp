// The console window under Wine: its class, key and mouse messages, caret, grid and font.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "console/console_window_win32.h"

namespace {

class ConsoleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RegisterConsoleWindowClass(instance));
    // A child of a visible host: the dialog codes and focus are a child's.
    host = CreateWindowExW(0, L"STATIC", L"console host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 450,
                           nullptr, nullptr, instance, nullptr);
    hwnd = CreateWindowExW(0, kConsoleWindowClass, L"console", WS_CHILD | WS_VISIBLE, 0, 0, 640, 400,
                           host, nullptr, instance, &console);
    ASSERT_NE(hwnd, nullptr);
    console.font_height = &font_height;
    SetUpConsoleFonts(&console);
    ReinitConsoleGrid(&console);
  }
  void TearDown() override {
    DestroyWindow(host);
    UnregisterConsoleWindowClass(instance);
  }
  std::vector<int> DrainKeys() {
    std::vector<int> keys;
    for (int k; (k = PopKey(&console.keys).code) >= 0;) keys.push_back(k);
    return keys;
  }
  static void SetCtrl(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }

  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND host = nullptr, hwnd = nullptr;
  int font_height = 16;
  ConsoleWindow console;
};

TEST_F(ConsoleWindowTest, ClassIsCountedAndDialogKeysGoOnlyToAChild) {
  WNDCLASSEXW info = {sizeof info, 0, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  ASSERT_TRUE(RegisterConsoleWindowClass(instance));
  UnregisterConsoleWindowClass(instance);
  EXPECT_TRUE(GetClassInfoExW(instance, kConsoleWindowClass, &info)) << "still used once";
  EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  EXPECT_EQ(ConsoleFromWindow(hwnd), &console);
  ConsoleWindow popup_console;
  HWND popup = CreateWindowExW(0, kConsoleWindowClass, L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                               instance, &popup_console);
  EXPECT_EQ(SendMessageW(popup, WM_GETDLGCODE, 0, 0), 0);
  DestroyWindow(popup);
  EXPECT_EQ(popup_console.window, nullptr);
}

TEST_F(ConsoleWindowTest, KeyMessagesBecomeCodesWithTheCtrlOfTheirOwnMessage) {
  // Keys that type characters come as WM_CHAR; Alt+F4 stays the system's.
  for (int vk : {VK_DOWN, VK_F12, VK_CONTROL, int('A'), VK_SHIFT}) SendMessageW(hwnd, WM_KEYDOWN, vk, 0);
  for (int vk : {VK_INSERT, VK_F4}) SendMessageW(hwnd, WM_SYSKEYDOWN, vk, 0);
  EXPECT_EQ(DrainKeys(), (std::vector<int>{4096, 4117, 4104}));
  SetCtrl(false);
  for (wchar_t ch : {L'\x01', L'\xD83D', L'\xDE00'}) SendMessageW(hwnd, WM_CHAR, ch, 0);
  EXPECT_EQ(DrainKeys(), (std::vector<int>{0x1F600})) << "a control code without Ctrl types nothing";
  SetCtrl(true);
  for (auto [ch, scan] : {std::pair{L'\x01', 0x1E}, {L'\n', 0x24}, {L'\n', 0x1C}})  // Ctrl+A, J, Enter
    SendMessageW(hwnd, WM_CHAR, ch, MAKELPARAM(1, scan));
  EXPECT_EQ(DrainKeys(), (std::vector<int>{1, 10, 13}));
  SetCtrl(false);
  for (auto [vk, scan] : {std::pair{int('A'), 0x1E}, {VK_RETURN, 0x1C}, {VK_DELETE, 0x53}}) {
    PostMessageW(hwnd, WM_KEYDOWN, vk, MAKELPARAM(1, scan));
    for (MSG msg; PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE);) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  EXPECT_EQ(DrainKeys(), (std::vector<int>{'a', 13, 4105})) << "one code per translated key";
  // Ctrl+Tab is queued once, with the Ctrl of its own message, so it still
  // switches panes when taken from the queue after Ctrl was released.
  const LPARAM tab_key = 1 | (kTabScanCode << 16), i_key = 1 | (0x17 << 16);
  SetCtrl(true);
  SendMessageW(hwnd, WM_KEYDOWN, VK_TAB, tab_key);
  SendMessageW(hwnd, WM_CHAR, '\t', tab_key);  // a layout that types one
  SendMessageW(hwnd, WM_CHAR, '\t', i_key);    // Ctrl+I
  SetCtrl(false);
  SendMessageW(hwnd, WM_KEYDOWN, VK_TAB, tab_key);  // plain Tab comes as a character
  SendMessageW(hwnd, WM_CHAR, '\t', tab_key);
  const uint8_t ctrl = ModifierBit(ConsoleModifier::kControl);
  for (uint8_t modifiers : {ctrl, ctrl, uint8_t{0}}) {
    const ConsoleKey key = PopKey(&console.keys);
    EXPECT_EQ(std::pair(key.code, key.modifiers), std::pair(9, modifiers));
  }
  EXPECT_EQ(PopKey(&console.keys).code, -1);
}

TEST_F(ConsoleWindowTest, MouseReachesTheEditorAndTheCaretBlinksOnlyWithFocus) {
  std::vector<ConsoleMouse> seen;
  console.on_mouse = [&](const ConsoleMouse& m) { seen.push_back(m); };
  const struct { UINT message; WPARAM wp; ConsoleMouseKind kind; } mouse[] = {
               {WM_LBUTTONDOWN, MK_LBUTTON, ConsoleMouseKind::kLeftDown},
               {WM_MOUSEMOVE, 0, ConsoleMouseKind::kMove},
               {WM_LBUTTONDBLCLK, 0, ConsoleMouseKind::kLeftDouble},
               {WM_RBUTTONUP, 0, ConsoleMouseKind::kRightUp},
               {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), ConsoleMouseKind::kWheel},
               {RegisterWindowMessageW(L"MSWHEEL_ROLLMSG"), WHEEL_DELTA, ConsoleMouseKind::kWheel}};
  for (const auto& m : mouse) SendMessageW(hwnd, m.message, m.wp, MAKELPARAM(30, 40));
  ASSERT_EQ(seen.size(), std::size(mouse));
  for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i].kind, mouse[i].kind) << i;
  EXPECT_EQ(std::pair(seen[0].x, seen[0].y), std::pair(30, 40));
  EXPECT_EQ(std::pair(seen[4].wheel_delta, seen[5].wheel_delta), std::pair(-WHEEL_DELTA, WHEEL_DELTA));
  ASSERT_EQ(GetFocus(), hwnd) << "a press focuses the window";
  console.blink_state = 1;
  std::vector<int> states;
  for (bool focused : {true, true, true, false, false}) {
    SetFocus(focused ? hwnd : nullptr);
    SendMessageW(hwnd, WM_TIMER, kConsoleCaretTimer, 0);
    states.push_back(console.blink_state);
  }
  EXPECT_EQ(states, (std::vector<int>{2, 0, 1, 2, 1})) << "never hidden without the focus";
}

TEST_F(ConsoleWindowTest, GridFollowsTheFontThatCtrlWheelSteps) {
  EXPECT_EQ(console.grid.rows, 400 / console.cell_height);
  EXPECT_EQ(console.grid.cols, 640 / console.cell_width);
  for (int steps : {80, -80})
    for (int i = 0; i < std::abs(steps); ++i)
      SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, steps / 80 * WHEEL_DELTA), 0);
  EXPECT_EQ(font_height, 4) << "up to 64, then down to 4";
  SetWindowPos(hwnd, nullptr, 0, 0, 2, 2, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(console.grid.rows * console.grid.cols, 1) << "smaller than a cell: still one";
}

}  // namespace
