// The skinned scrollbar on real windows: its messages, timers and capture.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "display/skinned_scrollbar_record_win32.h"
#include "display/skinned_scrollbar_win32.h"

namespace {

struct Logged {
  int code, position;
};
std::vector<Logged> scroll_log;  // WM_VSCROLL
std::vector<UINT> frame_log;     // the right-button frame messages that reach the window

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_VSCROLL) {
    scroll_log.push_back({LOWORD(wp), static_cast<short>(HIWORD(wp))});
    return 0;
  }
  if (msg == WM_NCRBUTTONDOWN || msg == WM_NCRBUTTONUP) frame_log.push_back(msg);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A 200 x 300 window with the skinned bar installed, scrolling 0..100 by pages of 10.
HWND MakeWindow() {
  WNDCLASSW wc = {0, LoggingProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr,
                  L"display_scrollbar_test"};
  RegisterClassW(&wc);
  scroll_log.clear();
  frame_log.clear();
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100,
                              100, 200, 300, nullptr, nullptr, wc.hInstance, nullptr);
  EXPECT_TRUE(InstallSkinnedScrollbar(hwnd));
  return hwnd;
}

int SetBar(HWND hwnd, int maximum, unsigned page, int position) {
  SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, maximum, page, position, 0};
  return SkinnedSetScrollInfo(hwnd, &si);
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

SkinnedScrollbar* Record(HWND hwnd) {
  return static_cast<SkinnedScrollbar*>(GetPropW(hwnd, kScrollbarProperty));
}

bool Consistent(HWND hwnd) { return Record(hwnd) != nullptr && CheckScrollbarInvariants(*Record(hwnd)); }

TEST(DisplayScrollbarWin, InstallsShowsClampsAndRemoves) {
  HWND hwnd = MakeWindow();
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_FALSE(InstallSkinnedScrollbar(hwnd)) << "installed once";
  SetBar(hwnd, 20, 30, 0);
  EXPECT_EQ(200, ClientWidth(hwnd)) << "a page past the range hides it";
  EXPECT_EQ(0, SetBar(hwnd, 100, 500, 70)) << "the page is capped to the range";
  EXPECT_EQ(91, SetBar(hwnd, 100, 10, 1000));
  EXPECT_EQ(200 - bar, ClientWidth(hwnd)) << "a longer range shows it: the frame is recalculated";
  EXPECT_EQ(91, SkinnedSetScrollPos(hwnd, -5));
  SCROLLINFO out = {sizeof out, SIF_ALL};
  ASSERT_TRUE(SkinnedGetScrollInfo(hwnd, &out));
  EXPECT_EQ(100, out.nMax);
  EXPECT_EQ(10u, out.nPage);
  EXPECT_EQ(0, out.nPos);
  SkinnedShowScrollBar(hwnd, FALSE);
  EXPECT_EQ(200, ClientWidth(hwnd));
  SkinnedShowScrollBar(hwnd, TRUE);
  EXPECT_TRUE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  // Hit tests; right and middle presses on the bar are swallowed.
  EXPECT_EQ(HTVSCROLL, SendMessageW(hwnd, WM_NCHITTEST, 0, OnBar(hwnd, 150)));
  EXPECT_EQ(HTCLIENT, SendMessageW(hwnd, WM_NCHITTEST, 0, OnBar(hwnd, 150, bar)));
  for (UINT msg : {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN})
    EXPECT_EQ(0, SendMessageW(hwnd, msg, HTVSCROLL, OnBar(hwnd, 150)));
  SendMessageW(hwnd, WM_NCRBUTTONDOWN, HTBORDER, OnBar(hwnd, 150));
  EXPECT_EQ(frame_log, std::vector<UINT>{WM_NCRBUTTONDOWN}) << "elsewhere they reach the window";
  const LONG_PTR subclassed = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  EXPECT_EQ(S_OK, RemoveSkinnedScrollbar(hwnd));
  EXPECT_EQ(E_FAIL, RemoveSkinnedScrollbar(hwnd));
  EXPECT_NE(subclassed, GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  EXPECT_EQ(nullptr, Record(hwnd));
  // Without the record the system bar answers.
  EXPECT_FALSE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  SetBar(hwnd, 100, 10, 5);
  EXPECT_EQ(5, GetScrollPos(hwnd, SB_VERT));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, ArrowPressRepeatsAfterTheDelayUntilReleased) {
  HWND hwnd = MakeWindow();
  SetBar(hwnd, 100, 10, 0);
  const LPARAM arrow = OnBar(hwnd, 300 - 3);
  CursorTo(arrow);
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, arrow);
  ASSERT_EQ(1u, scroll_log.size()) << "one line at once";
  EXPECT_EQ(hwnd, GetCapture());
  // The timers as they arrive: first the delay, then one line per repeat.
  std::vector<UINT_PTR> timers;
  std::vector<size_t> lines_after;
  for (const DWORD give_up = GetTickCount() + 5000; timers.size() < 5 && GetTickCount() < give_up;) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    DispatchMessageW(&msg);
    if (msg.message == WM_TIMER && msg.hwnd == hwnd) {
      timers.push_back(msg.wParam);
      lines_after.push_back(scroll_log.size());
    }
  }
  ASSERT_EQ(5u, timers.size());
  EXPECT_EQ(kRepeatDelayTimer, timers[0]);
  for (size_t k = 0; k < timers.size(); ++k) {
    EXPECT_EQ(k + 1, lines_after[k]);
    if (k > 0) EXPECT_EQ(kRepeatTimer, timers[k]);
  }
  for (const Logged& l : scroll_log) EXPECT_EQ(SB_LINEDOWN, l.code);
  CursorTo(OnBar(hwnd, 300 - 3, 100));
  SendMessageW(hwnd, WM_TIMER, kRepeatTimer, 0);
  EXPECT_EQ(5u, scroll_log.size()) << "off the arrow the ticks send nothing";
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(SB_ENDSCROLL, scroll_log.back().code);
  EXPECT_NE(hwnd, GetCapture());
  EXPECT_FALSE(KillTimer(hwnd, kRepeatTimer)) << "already stopped";
  EXPECT_TRUE(Consistent(hwnd));
  // A page press ends when the capture is lost.
  scroll_log.clear();
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, OnBar(hwnd, 250));
  ReleaseCapture();
  ASSERT_EQ(2u, scroll_log.size());
  EXPECT_EQ(SB_PAGEDOWN, scroll_log[0].code);
  EXPECT_EQ(SB_ENDSCROLL, scroll_log[1].code);
  EXPECT_FALSE(KillTimer(hwnd, kRepeatDelayTimer));
  EXPECT_TRUE(Consistent(hwnd));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, ThumbDragFollowsThePointer) {
  HWND hwnd = MakeWindow();
  ASSERT_TRUE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  SetBar(hwnd, 100, 10, 0);
  const LPARAM grab = OnBar(hwnd, GetSystemMetrics(SM_CYVSCROLL) + 3);  // the thumb at the top
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, grab);
  EXPECT_TRUE(scroll_log.empty());
  EXPECT_EQ(hwnd, GetCapture());
  // Moves are read from the message's own position.
  CursorTo(OnBar(hwnd, 1000));
  PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  ASSERT_FALSE(scroll_log.empty());
  EXPECT_EQ(SB_THUMBTRACK, scroll_log.back().code);
  EXPECT_EQ(91, scroll_log.back().position) << "maximum - page + 1";
  SCROLLINFO si = {sizeof si, SIF_TRACKPOS};
  ASSERT_TRUE(SkinnedGetScrollInfo(hwnd, &si));
  EXPECT_EQ(91, si.nTrackPos);
  const size_t before = scroll_log.size();
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  ASSERT_EQ(before + 2, scroll_log.size());
  EXPECT_EQ(SB_THUMBPOSITION, scroll_log[before].code);
  EXPECT_EQ(91, scroll_log[before].position);
  EXPECT_EQ(SB_ENDSCROLL, scroll_log[before + 1].code);
  EXPECT_TRUE(Consistent(hwnd));
  DestroyWindow(hwnd);
}

}  // namespace
