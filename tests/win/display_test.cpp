// The display's Windows halves: the skinned scrollbar's messages, timers,
// capture and skin file (the panes' are tested in the main window). The
// canvas's GDI and pixel drawing meeting in one bitmap shows in every story's
// screenshot.
#include <windows.h>

#include <gtest/gtest.h>

#include <zlib.h>

#include <string>
#include <utility>
#include <vector>

#include "display/canvas_win32.h"
#include "display/skinned_scrollbar_record_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "tests/documents/temp_dir.h"

namespace {

void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
}

using Logged = std::pair<int, int>;  // a WM_VSCROLL's code and position
std::vector<Logged> scroll_log;

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
  EXPECT_EQ(scroll_log, std::vector<Logged>(5, {SB_LINEDOWN, 0}));
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
  EXPECT_EQ(scroll_log, (std::vector<Logged>{{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));
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
  TempDir dir;
  const std::string good = ReadBytes("Z:" ORV_SOURCE_DIR "/data/skin/faithful/scrollbar.png");
  std::string huge = good;
  for (int k = 0; k < 4; ++k) huge[16 + k] = huge[20 + k] = "\x00\x01\x86\xA0"[k];  // 100000 x 100000
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data()) + 12, 17);  // a valid header
  for (int k = 0; k < 4; ++k) huge[29 + k] = static_cast<char>(crc >> (24 - 8 * k));
  const std::string files[] = {good, good.substr(0, good.size() / 2), huge, "hello", ""};
  for (const std::string& file : files) {
    Canvas image;
    ASSERT_TRUE(WriteBytes(dir.File("skin.png"), file));
    EXPECT_EQ(ReadPngPixels(WideText(dir.File("skin.png")).c_str(), &image), &file == files) << file.size();
    EXPECT_EQ(image.pixels != nullptr, &file == files) << "the shipped skin only";
  }
}

}  // namespace
