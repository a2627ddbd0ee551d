// The display's Windows halves: the panes in a plain window, the skinned
// scrollbar's messages, timers, capture and skin file. The canvas's GDI and
// pixel drawing meeting in one bitmap shows in every story's screenshot.
#include <windows.h>

#include <gtest/gtest.h>

#include <zlib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "display/canvas_win32.h"
#include "display/line_view.h"
#include "display/pane_hooks.h"
#include "display/panes_win32.h"
#include "display/skinned_scrollbar_record_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "display/surface_view.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/render_cache.h"
#include "tests/win/win_temp_dir.h"

namespace {

void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
}

HWND Child(HWND host, const wchar_t* cls, WNDPROC proc, DWORD style, int x, int w, int id) {
  WNDCLASSW wc = {CS_DBLCLKS, proc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, cls};
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, 0, w, 420, host,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance, nullptr);
}

// The profile keys they read and write are the long-file story's to check.
TEST(DisplayPanesWin, PanesTakeTheirMessagesAndTheirViewsGoWithThem) {
  AppState app;
  AppState* previous_app = std::exchange(app_state, &app);
  pane_hooks = PaneHooks();
  HWND host = CreateWindowExW(0, L"STATIC", L"panes", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND line = Child(host, L"panes_test_line", LineWindowProc, 0, 0, 60, 1004);
  HWND surface = Child(host, L"panes_test_surface", SurfaceWindowProc, WS_VSCROLL, 60, 600, 1003);
  ASSERT_TRUE(line && surface && surface_view && line_view);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
  NewDocument(&app);
  Document* doc = GetCurrentDocument(app);
  InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
  MoveTextStart(doc, false);
  RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RenderCache& c = *doc->render_cache;
  // After an input the pane is invalidated when what it shows changed, once.
  UpdateWindow(surface);  // the paint after the one that showed the scrollbar
  // A pane uncovered with nothing changed in the text shows its frame again, not what covered it.
  HDC dc = GetDC(surface);
  const RECT corner{300, 300, 310, 310};
  const COLORREF shown = GetPixel(dc, 305, 305);
  FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(shown == 0 ? WHITE_BRUSH : BLACK_BRUSH)));
  RedrawWindow(surface, &corner, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(shown, GetPixel(dc, 305, 305));
  MoveDown(doc, false);
  AskSurfaceForPaint(false);
  EXPECT_TRUE(GetUpdateRect(surface, nullptr, FALSE)) << "the caret moved";
  ValidateRect(surface, nullptr);
  AskSurfaceForPaint(false);
  EXPECT_FALSE(GetUpdateRect(surface, nullptr, FALSE)) << "asked twice for one change";
  // Keys the key table leaves to the pane move neither the text nor the thumb.
  for (WPARAM key : {VK_NEXT, VK_END, VK_DOWN}) SendMessageW(surface, WM_KEYDOWN, key, 0);
  Pump();
  SCROLLINFO si = {sizeof si, SIF_POS, 0, 0, 0, 0, 0};
  SkinnedGetScrollInfo(surface, &si);
  EXPECT_EQ(std::pair(c.top_line, si.nPos), std::pair(0, 0));
  SendMessageW(surface, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(201 - static_cast<int>(c.rows), c.top_line);
  // A press takes the capture; a move with the button down drags a selection (what it selects is
  // the native SurfaceMouse test's); the release lets the capture go.
  const int x = 5 + 3 * c.cell_width + 1;
  SendMessageW(surface, WM_LBUTTONDOWN, 0, MAKELPARAM(x, c.cell_height + 2));
  EXPECT_EQ(surface, GetCapture());
  SendMessageW(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 3 * c.cell_height + 2));
  EXPECT_EQ(doc->sel_caret_line, doc->anchor_line + 2) << "the move did not drag";
  SendMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(x, 3 * c.cell_height + 2));
  EXPECT_EQ(nullptr, GetCapture());
  // A surrogate pair typed in two messages joins into one character: the view keeps the first half.
  for (WPARAM unit : {WPARAM(0xD83D), WPARAM(0xDE00)}) SendMessageW(surface, WM_CHAR, unit, 0);
  CloseGapAtCaret(doc);
  EXPECT_NE(std::string(StringData(doc->text)).find("\xF0\x9F\x98\x80"), std::string::npos);
  ReleaseDC(surface, dc);
  DestroyWindow(host);
  Pump();
  EXPECT_EQ(nullptr, surface_view);
  EXPECT_EQ(nullptr, line_view);
  app_state = previous_app;
}

using Logged = std::pair<int, int>;  // a WM_VSCROLL's code and position
std::vector<Logged> scroll_log;

std::vector<int> LoggedCodes() {
  std::vector<int> codes;
  for (const Logged& l : scroll_log) codes.push_back(l.first);
  return codes;
}

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_VSCROLL) {
    scroll_log.push_back({LOWORD(wp), static_cast<short>(HIWORD(wp))});
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int SetBar(HWND hwnd, int maximum, unsigned page, int position) {
  SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, maximum, page, position, 0};
  return SkinnedSetScrollInfo(hwnd, &si);
}

// A 200 x 300 window with the skinned bar installed, scrolling 0..100 by pages of 10.
HWND MakeWindow(DWORD ex_style = 0) {
  WNDCLASSW wc = {0, LoggingProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr,
                  L"display_scrollbar_test"};
  RegisterClassW(&wc);
  scroll_log.clear();
  HWND hwnd = CreateWindowExW(ex_style, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100, 100, 200,
                              300, nullptr, nullptr, wc.hInstance, nullptr);
  EXPECT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  return hwnd;
}

int ClientWidth(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r.right;
}

// A point on the bar, `along` pixels below the window's top.
LPARAM OnBar(HWND hwnd, int along, int left = 0) {
  RECT w;
  GetWindowRect(hwnd, &w);
  return MAKELPARAM(w.right - GetSystemMetrics(SM_CXVSCROLL) / 2 - left, w.top + along);
}

void CursorTo(LPARAM at) { SetCursorPos(static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))); }

bool Consistent(HWND hwnd) {
  auto* record = static_cast<SkinnedScrollbar*>(GetPropW(hwnd, kScrollbarProperty));
  return record != nullptr && CheckScrollbarInvariants(*record);
}

TEST(DisplayScrollbarWin, InstallsShowsHidesAndRemoves) {
  HWND hwnd = MakeWindow();
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_FALSE(InstallSkinnedScrollbar(hwnd)) << "installed once";
  EXPECT_EQ(200 - bar, ClientWidth(hwnd));
  SetBar(hwnd, 20, 30, 0);
  EXPECT_EQ(200, ClientWidth(hwnd)) << "a page past the range hides it: the frame is recalculated";
  SetBar(hwnd, 100, 10, 0);
  EXPECT_EQ(200 - bar, ClientWidth(hwnd));
  EXPECT_EQ(0, SkinnedSetScrollPos(hwnd, 1000)) << "the position before";  // clamped: the native geometry test's
  SkinnedShowScrollBar(hwnd, FALSE);
  EXPECT_EQ(200, ClientWidth(hwnd));
  SkinnedShowScrollBar(hwnd, TRUE);
  EXPECT_EQ(HTVSCROLL, SendMessageW(hwnd, WM_NCHITTEST, 0, OnBar(hwnd, 150)));
  EXPECT_EQ(HTCLIENT, SendMessageW(hwnd, WM_NCHITTEST, 0, OnBar(hwnd, 150, bar)));
  EXPECT_EQ(S_OK, RemoveSkinnedScrollbar(hwnd));
  EXPECT_EQ(E_FAIL, RemoveSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 5);
  EXPECT_EQ(5, GetScrollPos(hwnd, SB_VERT)) << "without the record the system bar answers";
  DestroyWindow(hwnd);
  // A window with its scrollbar on the left gets the skinned bar there.
  hwnd = MakeWindow(WS_EX_LEFTSCROLLBAR);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  RECT w;
  GetWindowRect(hwnd, &w);
  EXPECT_EQ(w.left + bar, origin.x);
  EXPECT_EQ(HTVSCROLL, SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(w.left + bar / 2, w.top + 150)));
  EXPECT_EQ(HTCLIENT, SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(w.right - 3, w.top + 150)));
  DestroyWindow(hwnd);
}

// An arrow press repeats after the delay until released; a page press ends
// when the capture is lost; a thumb drag follows the pointer.
TEST(DisplayScrollbarWin, PressesRepeatAndDragsFollowThePointer) {
  HWND hwnd = MakeWindow();
  ASSERT_TRUE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  const LPARAM arrow = OnBar(hwnd, 300 - 3);
  CursorTo(arrow);
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, arrow);
  ASSERT_EQ(1u, scroll_log.size()) << "one line at once";
  EXPECT_EQ(hwnd, GetCapture());
  // The timers as they arrive: first the delay, then one line per repeat.
  std::vector<UINT_PTR> timers;
  for (const DWORD give_up = GetTickCount() + 5000; timers.size() < 5 && GetTickCount() < give_up;) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    DispatchMessageW(&msg);
    if (msg.message == WM_TIMER && msg.hwnd == hwnd) {
      timers.push_back(msg.wParam);
      EXPECT_EQ(timers.size(), scroll_log.size());
    }
  }
  EXPECT_EQ(timers, (std::vector<UINT_PTR>{kRepeatDelayTimer, kRepeatTimer, kRepeatTimer, kRepeatTimer,
                                           kRepeatTimer}));
  EXPECT_EQ(LoggedCodes(), std::vector<int>(5, SB_LINEDOWN));
  CursorTo(OnBar(hwnd, 300 - 3, 100));
  SendMessageW(hwnd, WM_TIMER, kRepeatTimer, 0);
  EXPECT_EQ(5u, scroll_log.size()) << "off the arrow the ticks send nothing";
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(SB_ENDSCROLL, scroll_log.back().first);
  EXPECT_NE(hwnd, GetCapture());
  EXPECT_FALSE(KillTimer(hwnd, kRepeatTimer)) << "already stopped";
  EXPECT_TRUE(Consistent(hwnd));
  scroll_log.clear();
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, OnBar(hwnd, 250));
  ReleaseCapture();
  EXPECT_EQ(LoggedCodes(), (std::vector<int>{SB_PAGEDOWN, SB_ENDSCROLL}));
  EXPECT_FALSE(KillTimer(hwnd, kRepeatDelayTimer));
  // The thumb, back at the top, dragged to the bottom; moves are read from the message's own position.
  SkinnedSetScrollPos(hwnd, 0);
  scroll_log.clear();
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, OnBar(hwnd, GetSystemMetrics(SM_CYVSCROLL) + 3));
  EXPECT_TRUE(scroll_log.empty());
  EXPECT_EQ(hwnd, GetCapture());
  CursorTo(OnBar(hwnd, 1000));
  PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
  Pump();
  EXPECT_EQ(scroll_log, (std::vector<Logged>{{SB_THUMBTRACK, 91}}));
  SCROLLINFO si = {sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  ASSERT_TRUE(SkinnedGetScrollInfo(hwnd, &si));
  EXPECT_EQ(91, si.nTrackPos);
  scroll_log.clear();
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(scroll_log, (std::vector<Logged>{{SB_THUMBPOSITION, 91}, {SB_ENDSCROLL, 0}}));
  EXPECT_TRUE(Consistent(hwnd));
  DestroyWindow(hwnd);
}

// A skin file cut short, claiming a huge size or not a PNG at all is
// refused and leaves no image.
TEST(DisplayScrollbarWin, BrokenSkinFilesAreRefusedWithoutHarm) {
  WinTempDir dir;
  const std::string shipped = "Z:" ORV_SOURCE_DIR "/data/skin/faithful/scrollbar.png";
  std::stringstream bytes;
  bytes << std::ifstream(shipped, std::ios::binary).rdbuf();
  const std::string good = bytes.str();
  std::string huge = good;
  for (int k = 0; k < 4; ++k) huge[16 + k] = huge[20 + k] = "\x00\x01\x86\xA0"[k];  // 100000 x 100000
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data()) + 12, 17);  // a valid header
  for (int k = 0; k < 4; ++k) huge[29 + k] = static_cast<char>(crc >> (24 - 8 * k));
  const std::string files[] = {good, good.substr(0, good.size() / 2), huge, "hello", ""};
  for (const std::string& file : files) {
    Canvas image;
    std::ofstream(dir.File("skin.png"), std::ios::binary) << file;
    EXPECT_EQ(ReadPngPixels(WideText(dir.File("skin.png")).c_str(), &image), &file == files) << file.size();
    EXPECT_EQ(image.pixels != nullptr, &file == files) << "the shipped skin only";
  }
}

}  // namespace
