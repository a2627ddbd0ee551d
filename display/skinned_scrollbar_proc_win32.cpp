// The subclass procedure of the skinned scrollbar: frame space, hit testing,
// presses with their repeat timers, thumb drags and hot tracking.
#include <windowsx.h>

#include "display/skinned_scrollbar_record_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "engine/timer_rule.h"

namespace {

void Notify(SkinnedScrollbar& sb, HWND hwnd, int code, int position = 0) {
  SendMessageW(hwnd, sb.notify_message,
               MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position)), 0);
}

int ZoneAtScreen(const SkinnedScrollbar& sb, HWND hwnd, int bar, POINT pt) {
  RECT r;
  if (!BarScreenRect(sb, hwnd, bar, &r) || !PtInRect(&r, pt)) return kZoneNone;
  const int length = BarLength(r, bar);
  const int arrow = ArrowLength(length, BarArrowMetric(sb, bar));
  return ZoneAt(AlongBar(r, bar, pt), length, arrow, CurrentThumb(sb, bar, r));
}

LRESULT OnNcCalcSize(SkinnedScrollbar& sb, HWND hwnd, WPARAM wp, LPARAM lp) {
  RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
  const RECT window = *r;
  const LRESULT result = CallPreviousHidingScrollStyles(sb, hwnd, WM_NCCALCSIZE, wp, lp);
  sb.insets = RECT{r->left - window.left, r->top - window.top, window.right - r->right,
                   window.bottom - r->bottom};
  BarState& v = sb.bars[kVerticalBar];
  const int cx = BarMetric(sb, SM_CXVSCROLL);
  v.visible = (v.flags & kBarWanted) && r->right - r->left >= cx;
  if (v.visible) {
    if (sb.left_side) r->left += cx; else r->right -= cx;
  }
  BarState& h = sb.bars[kHorizontalBar];
  const int cy = BarMetric(sb, SM_CYHSCROLL);
  h.visible = (h.flags & kBarWanted) && r->bottom - r->top > cy;
  if (h.visible) r->bottom -= cy;
  return result;
}

LRESULT OnNcHitTest(SkinnedScrollbar& sb, HWND hwnd, WPARAM wp, LPARAM lp) {
  const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT r;
  if (BarScreenRect(sb, hwnd, kVerticalBar, &r) && PtInRect(&r, pt)) return HTVSCROLL;
  if (BarScreenRect(sb, hwnd, kHorizontalBar, &r) && PtInRect(&r, pt)) return HTHSCROLL;
  return CallWindowProcW(sb.previous_proc, hwnd, WM_NCHITTEST, wp, lp);
}

void StopHotTracking(SkinnedScrollbar& sb, HWND hwnd) {
  if (sb.hot_timer) KillTimer(hwnd, kHotTrackTimer);
  sb.hot_timer = false;
  sb.hot_zone = sb.previous_hot_zone = kZoneNone;
}

LRESULT Press(SkinnedScrollbar& sb, HWND hwnd, int bar, LPARAM lp) {
  StopHotTracking(sb, hwnd);
  sb.active_bar = bar;
  sb.notify_message = bar == kVerticalBar ? WM_VSCROLL : WM_HSCROLL;
  sb.pressing = true;
  SetCapture(hwnd);
  const BarScroll& scroll = sb.bars[bar].scroll;
  if (!BarCanScroll(scroll)) return 0;
  const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT r;
  if (!BarScreenRect(sb, hwnd, bar, &r)) return 0;
  const int zone = ZoneAtScreen(sb, hwnd, bar, pt);
  if (zone == kScrollThumbTrack) {
    sb.grab_offset = AlongBar(r, bar, pt) - CurrentThumb(sb, bar, r).start;
    sb.last_drag_position = scroll.position;
    sb.bars[bar].scroll.track_position = scroll.position;
    sb.dragging = true;
    RedrawBars(sb, hwnd);
  } else if (zone != kZoneNone) {
    sb.pressed_zone = zone;
    sb.pointer_in_pressed_zone = true;
    Notify(sb, hwnd, zone);
    RedrawBars(sb, hwnd);
    sb.repeat_timer = kRepeatDelayTimer;
    SetTimer(hwnd, kRepeatDelayTimer, kRepeatDelayMs, nullptr);
  }
  return 0;
}

void Drag(SkinnedScrollbar& sb, HWND hwnd) {
  RECT r;
  if (!BarScreenRect(sb, hwnd, sb.active_bar, &r)) return;
  const DWORD at = GetMessagePos();
  const POINT pt{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  BarState& bar = sb.bars[sb.active_bar];
  const int length = BarLength(r, sb.active_bar);
  const int arrow = ArrowLength(length, BarArrowMetric(sb, sb.active_bar));
  const ThumbPlace thumb = CurrentThumb(sb, sb.active_bar, r);
  const int position = DragPosition(bar.scroll, AlongBar(r, sb.active_bar, pt), sb.grab_offset,
                                    length, arrow, thumb.length);
  if (position == sb.last_drag_position) return;
  sb.last_drag_position = position;
  bar.scroll.track_position = position;
  Notify(sb, hwnd, kScrollThumbTrack, position);
  RedrawBars(sb, hwnd);
}

// Ends a press, on the button's release or when the capture is taken away.
void Release(SkinnedScrollbar& sb, HWND hwnd) {
  const bool was_dragging = sb.dragging;
  const bool was_zone = sb.pressed_zone != kZoneNone;
  sb.pressing = false;
  sb.dragging = false;
  sb.pressed_zone = kZoneNone;
  if (sb.repeat_timer) KillTimer(hwnd, sb.repeat_timer);
  sb.repeat_timer = 0;
  if (was_dragging) {
    Notify(sb, hwnd, kScrollThumbPosition, sb.last_drag_position);
    Notify(sb, hwnd, kScrollEndScroll);
  } else if (was_zone) {
    Notify(sb, hwnd, kScrollEndScroll);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  RedrawBars(sb, hwnd);
}

void OnPointerMove(SkinnedScrollbar& sb, HWND hwnd) {
  if (sb.dragging) {
    Drag(sb, hwnd);
    return;
  }
  if (sb.pressed_zone == kZoneNone) return;
  POINT pt;
  GetCursorPos(&pt);
  const bool inside = ZoneAtScreen(sb, hwnd, sb.active_bar, pt) == sb.pressed_zone;
  if (inside != sb.pointer_in_pressed_zone) {
    sb.pointer_in_pressed_zone = inside;
    RedrawBars(sb, hwnd);
  }
}

void OnRepeatTimer(SkinnedScrollbar& sb, HWND hwnd, UINT_PTR id) {
  if (id == kRepeatDelayTimer) {
    KillTimer(hwnd, kRepeatDelayTimer);
    sb.repeat_timer = kRepeatTimer;
    SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
    return;
  }
  TimerFacts facts;
  facts.pressed = sb.pressed_zone != kZoneNone;
  if (!TimerShouldRun(TimerKind::kScrollRepeat, facts)) {
    KillTimer(hwnd, id);
    sb.repeat_timer = 0;
    return;
  }
  POINT pt;
  GetCursorPos(&pt);
  const bool inside = ZoneAtScreen(sb, hwnd, sb.active_bar, pt) == sb.pressed_zone;
  if (inside != sb.pointer_in_pressed_zone) {
    sb.pointer_in_pressed_zone = inside;
    RedrawBars(sb, hwnd);
  }
  if (inside) Notify(sb, hwnd, sb.pressed_zone);
}

void OnHotTimer(SkinnedScrollbar& sb, HWND hwnd) {
  POINT pt;
  GetCursorPos(&pt);
  RECT r;
  TimerFacts facts;
  facts.shown = IsWindowVisible(hwnd) != 0;
  facts.pointer_over = BarScreenRect(sb, hwnd, sb.hot_bar, &r) && PtInRect(&r, pt) &&
                       WindowFromPoint(pt) == hwnd;
  facts.pressed = sb.pressing;
  if (!TimerShouldRun(TimerKind::kScrollHover, facts)) {
    StopHotTracking(sb, hwnd);
    if (IsWindowVisible(hwnd)) SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    return;
  }
  sb.hot_zone = ZoneAtScreen(sb, hwnd, sb.hot_bar, pt);
  if (sb.hot_zone != sb.previous_hot_zone) {
    sb.previous_hot_zone = sb.hot_zone;
    RedrawBars(sb, hwnd);
  }
}

void OnNcPaint(SkinnedScrollbar& sb, HWND hwnd, WPARAM wp, LPARAM lp) {
  EnsureScrollbarSkin();
  HDC dc = GetWindowDC(hwnd);
  if (dc) {
    PaintBars(sb, hwnd, dc);
    ReleaseDC(hwnd, dc);
  }
  CallPreviousHidingScrollStyles(sb, hwnd, WM_NCPAINT, wp, lp);
}

bool IsBarHit(WPARAM hit) { return hit == HTVSCROLL || hit == HTHSCROLL; }
int BarOfHit(WPARAM hit) { return hit == HTVSCROLL ? kVerticalBar : kHorizontalBar; }

}  // namespace

LRESULT CallPreviousHidingScrollStyles(SkinnedScrollbar& sb, HWND hwnd, UINT msg, WPARAM wp,
                                       LPARAM lp) {
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR scroll_styles = WS_HSCROLL | WS_VSCROLL;
  if (!(style & scroll_styles)) return CallWindowProcW(sb.previous_proc, hwnd, msg, wp, lp);
  sb.style_lock = true;
  SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~scroll_styles);
  const LRESULT result = CallWindowProcW(sb.previous_proc, hwnd, msg, wp, lp);
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  sb.style_lock = false;
  return result;
}

LRESULT CALLBACK SkinnedScrollbarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  SkinnedScrollbar* found = FindScrollbar(hwnd);
  if (!found) return DefWindowProcW(hwnd, msg, wp, lp);
  SkinnedScrollbar& sb = *found;
  switch (msg) {
    case WM_NCCALCSIZE:
      return OnNcCalcSize(sb, hwnd, wp, lp);
    case WM_NCHITTEST:
      return OnNcHitTest(sb, hwnd, wp, lp);
    case WM_NCPAINT:
      OnNcPaint(sb, hwnd, wp, lp);
      return 0;
    case WM_NCACTIVATE:
    case WM_SYSCOMMAND:
      return CallPreviousHidingScrollStyles(sb, hwnd, msg, wp, lp);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (IsBarHit(wp)) return Press(sb, hwnd, BarOfHit(wp), lp);
      if (msg == WM_NCLBUTTONDOWN) sb.hot_zone = sb.previous_hot_zone = kZoneNone;
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (IsBarHit(wp)) return 0;
      break;
    case WM_NCMOUSEMOVE:
      if (IsBarHit(wp) && !sb.pressing) {
        sb.hot_bar = BarOfHit(wp);
        if (!sb.hot_timer) SetTimer(hwnd, kHotTrackTimer, kHotTrackMs, nullptr);
        sb.hot_timer = true;
      }
      break;
    case WM_MOUSEMOVE:
      if (sb.pressing) {
        OnPointerMove(sb, hwnd);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (sb.pressing) {
        Release(sb, hwnd);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      // Losing the capture mid-press ends the press as a release would.
      if (sb.pressing && reinterpret_cast<HWND>(lp) != hwnd) Release(sb, hwnd);
      break;
    case WM_TIMER:
      if (wp == kRepeatDelayTimer || wp == kRepeatTimer) {
        OnRepeatTimer(sb, hwnd, wp);
        return 0;
      }
      if (wp == kHotTrackTimer) {
        OnHotTimer(sb, hwnd);
        return 0;
      }
      break;
    case WM_STYLECHANGED:
      if (sb.style_lock) return 0;
      if (wp == static_cast<WPARAM>(GWL_EXSTYLE))
        sb.left_side = (reinterpret_cast<STYLESTRUCT*>(lp)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
      break;
    case WM_MOUSEHWHEEL: {
      const LRESULT result = CallWindowProcW(sb.previous_proc, hwnd, msg, wp, lp);
      return result == 0 ? 1 : result;
    }
    case WM_NCDESTROY: {
      const WNDPROC previous = sb.previous_proc;
      RemoveSkinnedScrollbar(hwnd);
      return CallWindowProcW(previous, hwnd, msg, wp, lp);
    }
    default:
      break;
  }
  return CallWindowProcW(sb.previous_proc, hwnd, msg, wp, lp);
}
