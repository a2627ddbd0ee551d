// The console window under Wine: class registration, key messages into
// key codes, the queue, caret blinking, grid size from the font, Ctrl+wheel
// font steps, mouse forwarding, and a painted editor checked pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "console/console_editor.h"
#include "console/console_host.h"
#include "console/console_window_win32.h"
#include "engine/clipboard.h"
#include "tests/support/memory_clipboard.h"

namespace {

class ConsoleWindowTest : public ::testing::Test {
 protected:
  // One visible top-level window for the suite; each test's console is its
  // child (top-level windows are slow to come and go under Wine).
  static void SetUpTestSuite() {
    host = CreateWindowExW(0, L"STATIC", L"console host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 450,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(host); }

  void SetUp() override {
    instance = GetModuleHandleW(nullptr);
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(RegisterConsoleWindowClass(instance));
    hwnd = CreateWindowExW(0, kConsoleWindowClass, L"console", WS_CHILD | WS_VISIBLE, 0, 0, 640,
                           400, host, nullptr, instance, &console);
    ASSERT_NE(hwnd, nullptr);
    console.font_height = &font_height;
    SetUpConsoleFonts(&console);
    ReinitConsoleGrid(&console);
  }
  void TearDown() override {
    if (hwnd) DestroyWindow(hwnd);
    UnregisterConsoleWindowClass(instance);
  }
  std::vector<int> DrainKeys() {
    std::vector<int> keys;
    for (int k = PopKey(&console.keys).code; k >= 0; k = PopKey(&console.keys).code) keys.push_back(k);
    return keys;
  }
  void SetCtrl(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }

  static HWND host;
  HINSTANCE instance = nullptr;
  HWND hwnd = nullptr;
  int font_height = 16;
  ConsoleWindow console;
};

HWND ConsoleWindowTest::host = nullptr;

// Colour of pixel (x, y) in a 32-bit top-down DIB, as RGB().
COLORREF PixelAt(const uint32_t* bits, int width, int x, int y) {
  uint32_t p = bits[y * width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool CellHasColour(const uint32_t* bits, int width, const ConsoleWindow& c, int col, int row,
                   COLORREF colour) {
  for (int y = row * c.cell_height; y < (row + 1) * c.cell_height; ++y)
    for (int x = col * c.cell_width; x < (col + 1) * c.cell_width; ++x)
      if (PixelAt(bits, width, x, y) == colour) return true;
  return false;
}

// Keeps a picture of what was checked in the temporary folder, to look at
// when a check fails.
void SaveBmp(const char* name, const uint32_t* bits, int width, int height) {
  char dir[MAX_PATH];
  if (GetTempPathA(MAX_PATH, dir) == 0) return;
  std::string path = std::string(dir) + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = -height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + width * height * 4;
  fwrite(&fh, sizeof fh, 1, f);
  fwrite(&ih, sizeof ih, 1, f);
  fwrite(bits, 4, static_cast<size_t>(width) * height, f);
  fclose(f);
}

}  // namespace

TEST(ConsoleWindowClass, RegisteredOnceWithAUseCount) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(RegisterConsoleWindowClass(instance));
  ASSERT_TRUE(RegisterConsoleWindowClass(instance));
  UnregisterConsoleWindowClass(instance);
  EXPECT_TRUE(GetClassInfoExW(instance, kConsoleWindowClass, &info));
  EXPECT_TRUE(info.style & CS_DBLCLKS);
  UnregisterConsoleWindowClass(instance);
  EXPECT_FALSE(GetClassInfoExW(instance, kConsoleWindowClass, &info));
}

TEST_F(ConsoleWindowTest, DialogKeysOnlyAsAChildAndMinimumTrackingSize) {
  EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  EXPECT_EQ(ConsoleFromWindow(hwnd), &console);
  ConsoleWindow popup_console;
  HWND popup = CreateWindowExW(0, kConsoleWindowClass, L"", WS_POPUP, 0, 0, 100, 50, nullptr,
                               nullptr, instance, &popup_console);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(SendMessageW(popup, WM_GETDLGCODE, 0, 0), 0);
  DestroyWindow(popup);
  EXPECT_EQ(popup_console.window, nullptr);
  MINMAXINFO info = {};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 160);
  EXPECT_EQ(info.ptMinTrackSize.y, 120);
}

TEST_F(ConsoleWindowTest, KeyMessagesBecomeKeyCodes) {
  const int vks[] = {VK_DOWN, VK_UP, VK_PRIOR, VK_NEXT, VK_RIGHT, VK_LEFT, VK_HOME, VK_END,
                     VK_INSERT, VK_DELETE, VK_F1, VK_F12, VK_CONTROL, 'A', VK_SHIFT};
  for (int vk : vks) SendMessageW(hwnd, WM_KEYDOWN, vk, 0);
  EXPECT_EQ(DrainKeys(), (std::vector<int>{4096, 4097, 4098, 4099, 4100, 4101, 4102, 4103, 4104,
                                           4105, 4106, 4117}));
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_INSERT, 0);  // Alt+Insert
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_F4, 0);      // Alt+F4 stays the system's
  EXPECT_EQ(DrainKeys(), (std::vector<int>{4104}));

  SetCtrl(false);
  for (wchar_t ch : {L'a', L'\x00e9', L'\b', L'\t', L'\r', L'\x1b', L'\x01'})
    SendMessageW(hwnd, WM_CHAR, ch, 0);
  SendMessageW(hwnd, WM_CHAR, 0xD83D, 0);  // one character in two halves
  SendMessageW(hwnd, WM_CHAR, 0xDE00, 0);
  EXPECT_EQ(DrainKeys(), (std::vector<int>{'a', 0xE9, 8, 9, 13, 27, 0x1F600}));
  SetCtrl(true);
  for (wchar_t ch : {L'\x01', L'\x1a', L'\x1b', L'\x1d', L'\x1c'}) SendMessageW(hwnd, WM_CHAR, ch, 0);
  SendMessageW(hwnd, WM_CHAR, L'\n', MAKELPARAM(1, 0x24));  // Ctrl+J
  SendMessageW(hwnd, WM_CHAR, L'\n', MAKELPARAM(1, 0x1C));  // Ctrl+Enter
  SetCtrl(false);
  EXPECT_EQ(DrainKeys(), (std::vector<int>{1, 26, 27, 29, 10, 13}));
}

TEST_F(ConsoleWindowTest, TranslatedKeyDownsGiveOneCodeEach) {
  SetCtrl(false);
  struct Press {
    UINT vk, scan;
  } presses[] = {{'A', 0x1E}, {VK_RETURN, 0x1C}, {VK_DELETE, 0x53}, {VK_BACK, 0x0E}, {VK_F5, 0x3F}};
  for (const Press& p : presses) {
    PostMessageW(hwnd, WM_KEYDOWN, p.vk, MAKELPARAM(1, p.scan));
    MSG msg;
    while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  EXPECT_EQ(DrainKeys(), (std::vector<int>{'a', 13, 4105, 8, 4110}));
}

TEST_F(ConsoleWindowTest, QueueKeepsTheNewestSixtyFour) {
  for (int i = 0; i < 65; ++i) SendMessageW(hwnd, WM_CHAR, L'A' + i % 26, 0);
  std::vector<int> keys = DrainKeys();
  ASSERT_EQ(keys.size(), 64u);
  EXPECT_EQ(keys.front(), 'B');
  EXPECT_EQ(keys.back(), 'A' + 64 % 26);
  console.flags |= kConsoleRedrawPending;
  EXPECT_EQ(ScreenReadKey(&console), 12);
  EXPECT_EQ(ScreenReadKey(&console), -1);
}

TEST_F(ConsoleWindowTest, CaretBlinksOnlyWithFocus) {
  SetFocus(hwnd);
  ASSERT_EQ(GetFocus(), hwnd);
  console.blink_state = 1;
  std::vector<int> states;
  for (int i = 0; i < 3; ++i) {
    SendMessageW(hwnd, WM_TIMER, kConsoleCaretTimer, 0);
    states.push_back(console.blink_state);
  }
  EXPECT_EQ(states, (std::vector<int>{2, 0, 1}));
  SetFocus(nullptr);
  console.blink_state = 2;
  SendMessageW(hwnd, WM_TIMER, kConsoleCaretTimer, 0);
  EXPECT_EQ(console.blink_state, 1);  // steady while unfocused
  SendMessageW(hwnd, WM_TIMER, kConsoleCaretTimer, 0);
  EXPECT_EQ(console.blink_state, 2);
  SendMessageW(hwnd, WM_TIMER, kConsoleCaretTimer, 0);
  EXPECT_EQ(console.blink_state, 1);
}

TEST_F(ConsoleWindowTest, GridSizeFollowsFontMetricsAndCtrlWheel) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, console.font.get());
  TEXTMETRICW tm;
  ASSERT_TRUE(GetTextMetricsW(dc, &tm));
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  EXPECT_EQ(console.cell_width, tm.tmAveCharWidth);
  EXPECT_EQ(console.cell_height, tm.tmHeight);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(console.grid.rows, client.bottom / tm.tmHeight);
  EXPECT_EQ(console.grid.cols, client.right / tm.tmAveCharWidth);

  int resizes = 0;
  console.on_resize = [&] { ++resizes; };
  const int rows_before = console.grid.rows;
  for (int i = 0; i < 80; ++i)
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(5, 5));
  EXPECT_EQ(font_height, 64);
  EXPECT_LT(console.grid.rows, rows_before);
  for (int i = 0; i < 80; ++i)
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(5, 5));
  EXPECT_EQ(font_height, 4);
  EXPECT_EQ(resizes, 48 + 60);

  // Smaller than one cell still leaves a 1 x 1 grid.
  SetWindowPos(hwnd, nullptr, 0, 0, 2, 2, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(console.grid.rows, 1);
  EXPECT_EQ(console.grid.cols, 1);
  EXPECT_EQ(resizes, 109);
}

TEST_F(ConsoleWindowTest, MouseMessagesReachTheEditorAndFocusTheWindow) {
  std::vector<ConsoleMouse> seen;
  console.on_mouse = [&](const ConsoleMouse& m) { seen.push_back(m); };
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
  EXPECT_EQ(GetFocus(), hwnd);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(31, 41));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(31, 41));
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(31, 41));
  SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(1, 2));
  SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(5, 5));
  SendMessageW(hwnd, RegisterWindowMessageW(L"MSWHEEL_ROLLMSG"), WHEEL_DELTA, MAKELPARAM(5, 5));
  ASSERT_EQ(seen.size(), 7u);
  EXPECT_EQ(seen[0].kind, ConsoleMouseKind::kLeftDown);
  EXPECT_EQ(seen[0].x, 30);
  EXPECT_EQ(seen[0].y, 40);
  EXPECT_EQ(seen[1].kind, ConsoleMouseKind::kMove);
  EXPECT_EQ(seen[3].kind, ConsoleMouseKind::kLeftDouble);
  EXPECT_EQ(seen[4].kind, ConsoleMouseKind::kRightUp);
  EXPECT_EQ(seen[5].kind, ConsoleMouseKind::kWheel);
  EXPECT_EQ(seen[5].wheel_delta, -WHEEL_DELTA);
  EXPECT_EQ(seen[6].wheel_delta, WHEEL_DELTA);
  EXPECT_EQ(SendMessageW(hwnd, WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(ConsoleWindowTest, EditorPaintsTextHelpAndStatusLines) {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::string file = std::string(path) + "orv_console_paint.txt";
  FILE* f = fopen(file.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  for (int i = 1; i <= 60; ++i) fprintf(f, "line %d of the console test\r\n", i);
  fclose(f);
  MemoryClipboard clipboard;
  std::vector<std::string> links;
  console.open_link = [&](const std::string& url) { links.push_back(url); };
  auto* editor = new ConsoleEditor(&console, &clipboard);
  ASSERT_TRUE(editor->Open(file));
  editor->Redraw();
  PostMessageW(hwnd, WM_CHAR, L'X', 0);
  console.pump_mode = 1;
  ASSERT_TRUE(RunConsoleHostLoop(&console, &editor));
  EXPECT_EQ(editor->lines[0], "Xline 1 of the console test");

  RECT client;
  GetClientRect(hwnd, &client);
  const int w = client.right, h = client.bottom;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* raw = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, dib);
  console.blink_state = 1;
  PaintConsole(&console, mem, client);
  GdiFlush();
  const uint32_t* bits = static_cast<const uint32_t*>(raw);
  SaveBmp("console_window_screenshot.bmp", bits, w, h);

  const int rows = console.grid.rows;
  const COLORREF blue = RGB(0, 0, 192), grey = RGB(192, 192, 192), white = RGB(255, 255, 255);
  // Help line: blue bar, grey text, the key letters in white.
  EXPECT_TRUE(CellHasColour(bits, w, console, 1, rows - 2, grey));   // "t" of Ctrl
  EXPECT_FALSE(CellHasColour(bits, w, console, 1, rows - 2, white));
  EXPECT_TRUE(CellHasColour(bits, w, console, 6, rows - 2, white));  // "P"
  EXPECT_EQ(PixelAt(bits, w, console.cell_width * 40 + 1, (rows - 2) * console.cell_height + 1), blue);
  // Status line on blue, text rows on black with grey letters.
  EXPECT_TRUE(CellHasColour(bits, w, console, 0, rows - 1, grey));
  EXPECT_EQ(PixelAt(bits, w, console.cell_width * 70, (rows - 1) * console.cell_height + 1), blue);
  EXPECT_TRUE(CellHasColour(bits, w, console, 1, 1, grey));
  EXPECT_EQ(PixelAt(bits, w, console.cell_width * 60, console.cell_height * 3 + 1), RGB(0, 0, 0));
  // The caret: a 2-pixel bar at the left of its cell.
  const int cx = console.grid.cursor_x * console.cell_width;
  const int cy = console.grid.cursor_y * console.cell_height;
  EXPECT_EQ(PixelAt(bits, w, cx, cy + console.cell_height / 2), grey);
  // The scrollbar: 60 lines do not fit, so track and thumb are drawn.
  const int sx = (console.grid.cols - 1) * console.cell_width + 1;
  EXPECT_EQ(PixelAt(bits, w, sx, console.cell_height + 1), RGB(96, 96, 96));
  EXPECT_EQ(PixelAt(bits, w, sx, (rows - 3) * console.cell_height + 1), RGB(128, 128, 128));
  // Below the last row the gap takes the status line's background.
  if (h > rows * console.cell_height) {
    EXPECT_EQ(PixelAt(bits, w, 3, h - 1), blue);
  }

  // Underline caret along the bottom; inverse caret swaps the cell's colours.
  console.caret_mode = 1;
  PaintConsole(&console, mem, client);
  GdiFlush();
  EXPECT_EQ(PixelAt(bits, w, cx + console.cell_width / 2, cy + console.cell_height - 1), grey);
  EXPECT_EQ(PixelAt(bits, w, cx, cy + console.cell_height / 2), RGB(0, 0, 0));
  console.caret_mode = 2;
  PaintConsole(&console, mem, client);
  GdiFlush();
  EXPECT_EQ(PixelAt(bits, w, cx, cy + 1), grey);  // background now the text colour
  console.blink_state = 0;  // hidden
  PaintConsole(&console, mem, client);
  GdiFlush();
  EXPECT_EQ(PixelAt(bits, w, cx, cy + 1), RGB(0, 0, 0));

  // The same picture through the window's own paint message, read back
  // from the screen.
  console.blink_state = 1;
  console.caret_mode = 0;
  FillRect(mem, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  HDC screen_dc = GetDC(hwnd);
  BitBlt(mem, 0, 0, w, h, screen_dc, 0, 0, SRCCOPY);
  ReleaseDC(hwnd, screen_dc);
  GdiFlush();
  SaveBmp("console_window_screen.bmp", bits, w, h);
  EXPECT_TRUE(CellHasColour(bits, w, console, 6, rows - 2, white));
  EXPECT_EQ(PixelAt(bits, w, console.cell_width * 40 + 1, (rows - 2) * console.cell_height + 1), blue);
  EXPECT_TRUE(CellHasColour(bits, w, console, 1, 1, grey));

  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);

  // A double-click on a link goes to the shell hook.
  editor->lines[2] = "see http://example.com/page";
  editor->DrawTextArea();
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0,
               MAKELPARAM(console.cell_width * 8 + 1, console.cell_height * 3 + 1));
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0], "http://example.com/page");
  delete editor;
  DeleteFileA(file.c_str());
}
