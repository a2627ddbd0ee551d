// The skinned scrollbar subclass on real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "display/skinned_scrollbar_record_win32.h"
#include "display/skinned_scrollbar_win32.h"

namespace {

struct Logged {
  UINT message;
  int code;
  int position;
};
std::vector<Logged> scroll_log;

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_VSCROLL:
      scroll_log.push_back({msg, LOWORD(wp), static_cast<short>(HIWORD(wp))});
      return 0;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_CONTEXTMENU:
      scroll_log.push_back({msg, 0, 0});
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow(DWORD style) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = LoggingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"display_scrollbar_test";
    RegisterClassW(&wc);
    registered = true;
  }
  scroll_log.clear();
  return CreateWindowExW(0, L"display_scrollbar_test", L"", WS_POPUP | WS_VISIBLE | style, 100,
                         100, 200, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int ClientWidth(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r.right;
}

void SetBar(HWND hwnd, int maximum, unsigned page, int position) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = maximum;
  si.nPage = page;
  si.nPos = position;
  SkinnedSetScrollInfo(hwnd, &si);
}

// Screen point on the vertical bar, `along` pixels below its top.
POINT OnBar(HWND hwnd, int along) {
  RECT w;
  GetWindowRect(hwnd, &w);
  return POINT{w.right - GetSystemMetrics(SM_CXVSCROLL) / 2, w.top + along};
}

LPARAM Packed(POINT p) { return MAKELPARAM(p.x, p.y); }

bool Consistent(HWND hwnd) {
  const auto* sb = static_cast<const SkinnedScrollbar*>(GetPropW(hwnd, kScrollbarProperty));
  return sb && CheckScrollbarInvariants(*sb);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(DisplayScrollbarWin, InstallAndRemove) {
  HWND hwnd = MakeWindow(0);
  ASSERT_NE(nullptr, hwnd);
  EXPECT_EQ(E_FAIL, RemoveSkinnedScrollbar(hwnd));
  const LONG_PTR original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  EXPECT_NE(nullptr, GetPropW(hwnd, kScrollbarProperty));
  EXPECT_FALSE(InstallSkinnedScrollbar(hwnd));
  EXPECT_EQ(200, ClientWidth(hwnd));
  // A range longer than the page shows the bar: the frame is recalculated.
  SetBar(hwnd, 100, 10, 0);
  EXPECT_EQ(200 - GetSystemMetrics(SM_CXVSCROLL), ClientWidth(hwnd));
  // A page larger than the range hides it again.
  SetBar(hwnd, 20, 30, 0);
  EXPECT_EQ(200, ClientWidth(hwnd));
  SkinnedShowScrollBar(hwnd, TRUE);
  EXPECT_EQ(200 - GetSystemMetrics(SM_CXVSCROLL), ClientWidth(hwnd));
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VSCROLL);
  SkinnedShowScrollBar(hwnd, FALSE);
  EXPECT_EQ(200, ClientWidth(hwnd));
  EXPECT_EQ(S_OK, RemoveSkinnedScrollbar(hwnd));
  EXPECT_EQ(nullptr, GetPropW(hwnd, kScrollbarProperty));
  EXPECT_EQ(original, GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  EXPECT_EQ(E_FAIL, RemoveSkinnedScrollbar(hwnd));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, ScrollCallsClampAndFallBackWithoutARecord) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = 100;
  si.nPage = 500;
  si.nPos = 70;
  EXPECT_EQ(0, SkinnedSetScrollInfo(hwnd, &si));  // page capped to 101: no room to move
  si.nPage = 10;
  si.nPos = 1000;
  EXPECT_EQ(91, SkinnedSetScrollInfo(hwnd, &si));
  EXPECT_EQ(91, SkinnedSetScrollPos(hwnd, -5));
  EXPECT_EQ(0, SkinnedSetScrollPos(hwnd, 40));
  SCROLLINFO out = {};
  out.cbSize = sizeof out;
  out.fMask = SIF_ALL;
  ASSERT_TRUE(SkinnedGetScrollInfo(hwnd, &out));
  EXPECT_EQ(100, out.nMax);
  EXPECT_EQ(10u, out.nPage);
  EXPECT_EQ(40, out.nPos);
  out.fMask = 0;
  EXPECT_FALSE(SkinnedGetScrollInfo(hwnd, &out));
  EXPECT_TRUE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  EXPECT_EQ(S_OK, RemoveSkinnedScrollbar(hwnd));
  // Without the record the system bar answers.
  EXPECT_FALSE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nPos = 5;
  SkinnedSetScrollInfo(hwnd, &si);
  EXPECT_EQ(5, GetScrollPos(hwnd, SB_VERT));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, HitTestAndSwallowedRightClicks) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  EXPECT_EQ(HTVSCROLL, SendMessageW(hwnd, WM_NCHITTEST, 0, Packed(OnBar(hwnd, 150))));
  EXPECT_EQ(HTCLIENT, SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(150, 250)));
  SetBar(hwnd, 10, 30, 0);  // hidden bar: no hit
  EXPECT_EQ(HTCLIENT, SendMessageW(hwnd, WM_NCHITTEST, 0, Packed(OnBar(hwnd, 150))));
  SetBar(hwnd, 100, 10, 0);
  scroll_log.clear();
  const LPARAM at = Packed(OnBar(hwnd, 150));
  EXPECT_EQ(0, SendMessageW(hwnd, WM_NCRBUTTONDOWN, HTVSCROLL, at));
  EXPECT_EQ(0, SendMessageW(hwnd, WM_NCRBUTTONUP, HTVSCROLL, at));
  EXPECT_EQ(0, SendMessageW(hwnd, WM_NCMBUTTONDOWN, HTVSCROLL, at));
  EXPECT_TRUE(scroll_log.empty());
  // Elsewhere in the frame they still reach the window.
  SendMessageW(hwnd, WM_NCRBUTTONDOWN, HTBORDER, at);
  ASSERT_EQ(1u, scroll_log.size());
  EXPECT_EQ(static_cast<UINT>(WM_NCRBUTTONDOWN), scroll_log[0].message);
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, ArrowPressRepeatsAfterTheDelayTimer) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  const POINT arrow = OnBar(hwnd, 300 - 3);
  SetCursorPos(arrow.x, arrow.y);
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(arrow));
  ASSERT_EQ(1u, scroll_log.size());  // one SB_LINEDOWN at once
  EXPECT_EQ(SB_LINEDOWN, scroll_log[0].code);
  EXPECT_EQ(hwnd, GetCapture());
  EXPECT_TRUE(Consistent(hwnd));
  // Follow the timers as they arrive: first the delay, then the repeats.
  std::vector<UINT_PTR> timers;
  std::vector<size_t> sends_after_timer;
  const DWORD give_up = GetTickCount() + 5000;
  while (timers.size() < 5 && GetTickCount() < give_up) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(1);
      continue;
    }
    const bool timer = msg.message == WM_TIMER && msg.hwnd == hwnd;
    DispatchMessageW(&msg);
    if (timer) {
      timers.push_back(msg.wParam);
      sends_after_timer.push_back(scroll_log.size());
    }
  }
  ASSERT_EQ(5u, timers.size());
  EXPECT_EQ(kRepeatDelayTimer, timers[0]);
  EXPECT_EQ(1u, sends_after_timer[0]);  // the delay itself sends nothing
  for (size_t k = 1; k < timers.size(); ++k) {
    EXPECT_EQ(kRepeatTimer, timers[k]);
    EXPECT_EQ(k + 1, sends_after_timer[k]);  // one SB_LINEDOWN per repeat tick
  }
  for (const Logged& l : scroll_log) EXPECT_EQ(SB_LINEDOWN, l.code);
  // Off the arrow the ticks send nothing.
  SetCursorPos(arrow.x - 100, arrow.y);
  const size_t before = scroll_log.size();
  SendMessageW(hwnd, WM_TIMER, kRepeatTimer, 0);
  EXPECT_EQ(before, scroll_log.size());
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(SB_ENDSCROLL, scroll_log.back().code);
  EXPECT_NE(hwnd, GetCapture());
  EXPECT_FALSE(KillTimer(hwnd, kRepeatTimer));  // already stopped
  EXPECT_TRUE(Consistent(hwnd));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, ThumbDragToTheBottomAndRelease) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  ASSERT_TRUE(SkinnedSetMinThumbSize(hwnd, SB_VERT, 25));
  SetBar(hwnd, 100, 10, 0);
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  const POINT grab = OnBar(hwnd, arrow + 3);  // on the thumb at the top
  EXPECT_EQ(HTVSCROLL, SendMessageW(hwnd, WM_NCHITTEST, 0, Packed(grab)));
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(grab));
  EXPECT_TRUE(scroll_log.empty());
  EXPECT_EQ(hwnd, GetCapture());
  EXPECT_TRUE(Consistent(hwnd));
  // Moves are read from the message's own position.
  SetCursorPos(grab.x, grab.y + 1000);
  PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
  Pump();
  ASSERT_FALSE(scroll_log.empty());
  EXPECT_EQ(SB_THUMBTRACK, scroll_log.back().code);
  EXPECT_EQ(91, scroll_log.back().position);  // maximum - page + 1
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  ASSERT_TRUE(SkinnedGetScrollInfo(hwnd, &si));
  EXPECT_EQ(91, si.nTrackPos);
  const size_t before = scroll_log.size();
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  ASSERT_EQ(before + 2, scroll_log.size());
  EXPECT_EQ(SB_THUMBPOSITION, scroll_log[before].code);
  EXPECT_EQ(91, scroll_log[before].position);
  EXPECT_EQ(SB_ENDSCROLL, scroll_log[before + 1].code);
  EXPECT_NE(hwnd, GetCapture());
  EXPECT_TRUE(Consistent(hwnd));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, LosingTheCaptureEndsAPress) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  const POINT page = OnBar(hwnd, 250);
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(page));
  ASSERT_EQ(1u, scroll_log.size());
  EXPECT_EQ(SB_PAGEDOWN, scroll_log[0].code);
  ReleaseCapture();
  ASSERT_EQ(2u, scroll_log.size());
  EXPECT_EQ(SB_ENDSCROLL, scroll_log[1].code);
  EXPECT_FALSE(KillTimer(hwnd, kRepeatDelayTimer));
  EXPECT_TRUE(Consistent(hwnd));
  // A bar that cannot scroll only takes the capture.
  SetBar(hwnd, 100, 101, 0);
  SkinnedShowScrollBar(hwnd, TRUE);
  SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(page));
  EXPECT_EQ(hwnd, GetCapture());
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(2u, scroll_log.size());
  EXPECT_NE(hwnd, GetCapture());
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, HotTrackingFollowsThePointerAndStopsOffTheBar) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  SkinnedScrollbar* sb = static_cast<SkinnedScrollbar*>(GetPropW(hwnd, kScrollbarProperty));
  ASSERT_NE(nullptr, sb);
  const POINT up = OnBar(hwnd, 3);
  SetCursorPos(up.x, up.y);
  SendMessageW(hwnd, WM_NCMOUSEMOVE, HTVSCROLL, Packed(up));
  EXPECT_TRUE(sb->hot_timer);
  SendMessageW(hwnd, WM_TIMER, kHotTrackTimer, 0);
  EXPECT_EQ(SB_LINEUP, sb->hot_zone);
  const POINT page = OnBar(hwnd, 250);
  SetCursorPos(page.x, page.y);
  SendMessageW(hwnd, WM_TIMER, kHotTrackTimer, 0);
  EXPECT_EQ(SB_PAGEDOWN, sb->hot_zone);
  SetCursorPos(page.x - 100, page.y);  // into the client area
  SendMessageW(hwnd, WM_TIMER, kHotTrackTimer, 0);
  EXPECT_FALSE(sb->hot_timer);
  EXPECT_EQ(-1, sb->hot_zone);
  EXPECT_FALSE(KillTimer(hwnd, kHotTrackTimer));
  DestroyWindow(hwnd);
}

TEST(DisplayScrollbarWin, LeftScrollbarWindowsGetTheBarOnTheLeft) {
  HWND hwnd = MakeWindow(WS_VSCROLL);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_LEFTSCROLLBAR);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  RECT w;
  GetWindowRect(hwnd, &w);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int cx = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(w.left + cx, origin.x);
  EXPECT_EQ(HTVSCROLL, SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(w.left + cx / 2, w.top + 150)));
  EXPECT_EQ(HTCLIENT, SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(w.right - 3, w.top + 150)));
  DestroyWindow(hwnd);
}

std::wstring SourceFolder(const char* tail) {
  std::wstring w = L"Z:";
  for (const char* s = ORV_SOURCE_DIR; *s; ++s) w += static_cast<wchar_t>(*s == '/' ? '\\' : *s);
  for (const char* s = tail; *s; ++s) w += static_cast<wchar_t>(*s == '/' ? '\\' : *s);
  return w;
}

COLORREF FramePixel(HWND hwnd, int x, int y) {
  HDC dc = GetWindowDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

TEST(DisplayScrollbarWin, DrawsFromTheSkinOrFlatWithoutIt) {
  const int bar_left = 200 - GetSystemMetrics(SM_CXVSCROLL);
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  // The shipped skin: dark arrow cells and a grey thumb at the top of the track.
  scrollbar_skin = ScrollbarSkin{};
  SetScrollbarSkinFolder(SourceFolder("/data").c_str());
  HWND hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  ASSERT_NE(nullptr, scrollbar_skin.image.pixels);
  EXPECT_EQ(RGB(36, 36, 36), FramePixel(hwnd, bar_left + 1, 1));
  EXPECT_EQ(RGB(72, 72, 72), FramePixel(hwnd, bar_left + 4, arrow + 2));
  DestroyWindow(hwnd);
  // No image: the flat look in system colours.
  scrollbar_skin = ScrollbarSkin{};
  SetScrollbarSkinFolder(L"Z:\\no\\such\\folder");
  hwnd = MakeWindow(WS_VSCROLL);
  ASSERT_TRUE(InstallSkinnedScrollbar(hwnd));
  SetBar(hwnd, 100, 10, 0);
  EXPECT_TRUE(scrollbar_skin.tried);
  EXPECT_EQ(nullptr, scrollbar_skin.image.pixels);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), FramePixel(hwnd, bar_left + 1, 1));
  DestroyWindow(hwnd);
  SetScrollbarSkinFolder(nullptr);
  scrollbar_skin = ScrollbarSkin{};
}

}  // namespace
