// Installing and removing the skinned scrollbar subclass, and the calls that
// stand in for the Win32 scroll functions.
#include "display/skinned_scrollbar_win32.h"

#include <new>

#include "display/skinned_scrollbar_record_win32.h"
#include "engine/dpi_win32.h"

namespace {

int DefaultMinThumb() {
  const DWORD version = GetVersion();
  const bool nt = (version & 0x80000000u) == 0;
  return nt && LOBYTE(LOWORD(version)) >= 5 ? 6 : 8;
}

void ReadSystemScroll(HWND hwnd, int which, BarScroll* out) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  if (!GetScrollInfo(hwnd, which, &si)) return;
  out->minimum = si.nMin;
  out->maximum = si.nMax;
  out->page = si.nPage;
  out->position = si.nPos;
  out->track_position = si.nTrackPos;
}

// Repaints the frame so a changed bar shows, unless a drag owns the thumb.
void RefreshFrame(SkinnedScrollbar& sb, HWND hwnd) {
  if (!sb.dragging && IsWindowVisible(hwnd)) SendMessageW(hwnd, WM_NCPAINT, 1, 0);
}

}  // namespace

SkinnedScrollbar* FindScrollbar(HWND hwnd) {
  return static_cast<SkinnedScrollbar*>(GetPropW(hwnd, kScrollbarProperty));
}

bool HasSkinnedScrollbar(HWND hwnd) { return FindScrollbar(hwnd) != nullptr; }

bool CheckScrollbarInvariants(const SkinnedScrollbar& sb) {
  if ((sb.dragging || sb.pressed_zone != kZoneNone) && !sb.pressing) return false;
  if (sb.dragging && sb.pressed_zone != kZoneNone) return false;
  if (sb.repeat_timer != 0 && sb.pressed_zone == kZoneNone) return false;
  if (sb.hot_timer && sb.pressing) return false;
  return sb.active_bar == kHorizontalBar || sb.active_bar == kVerticalBar;
}

void RecalculateFrame(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool InstallSkinnedScrollbar(HWND hwnd) {
  if (!IsWindow(hwnd) || FindScrollbar(hwnd)) return false;
  auto* sb = new (std::nothrow) SkinnedScrollbar;
  if (!sb) return false;
  ReadSystemScroll(hwnd, SB_HORZ, &sb->bars[kHorizontalBar].scroll);
  ReadSystemScroll(hwnd, SB_VERT, &sb->bars[kVerticalBar].scroll);
  sb->left_side = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  if (!SetPropW(hwnd, kScrollbarProperty, sb)) {
    delete sb;
    return false;
  }
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  if (style & WS_HSCROLL) sb->bars[kHorizontalBar].flags |= kBarWanted;
  if (style & WS_VSCROLL) sb->bars[kVerticalBar].flags |= kBarWanted;
  sb->previous_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinnedScrollbarProc)));
  if (!sb->previous_proc) {  // not subclassed: nothing to pass messages on to
    RemovePropW(hwnd, kScrollbarProperty);
    delete sb;
    return false;
  }
  sb->bars[kHorizontalBar].min_thumb = sb->bars[kVerticalBar].min_thumb = DefaultMinThumb();
  sb->dpi = WindowDpi(hwnd);
  RecalculateFrame(hwnd);
  return true;
}

HRESULT RemoveSkinnedScrollbar(HWND hwnd) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb) return E_FAIL;
  if (sb->repeat_timer) KillTimer(hwnd, sb->repeat_timer);
  if (sb->hot_timer) KillTimer(hwnd, kHotTrackTimer);
  if (sb->pressing && GetCapture() == hwnd) {
    sb->pressing = false;
    ReleaseCapture();
  }
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sb->previous_proc));
  RemovePropW(hwnd, kScrollbarProperty);
  delete sb;  // its canvases go with it
  RecalculateFrame(hwnd);
  return S_OK;
}

BOOL SkinnedGetScrollInfo(HWND hwnd, SCROLLINFO* info) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb) return GetScrollInfo(hwnd, SB_VERT, info);
  if (!info) return FALSE;
  const BarScroll& s = sb->bars[kVerticalBar].scroll;
  bool copied = false;
  if (info->fMask & SIF_RANGE) { info->nMin = s.minimum; info->nMax = s.maximum; copied = true; }
  if (info->fMask & SIF_PAGE) { info->nPage = s.page; copied = true; }
  if (info->fMask & SIF_POS) { info->nPos = s.position; copied = true; }
  if (info->fMask & SIF_TRACKPOS) { info->nTrackPos = s.track_position; copied = true; }
  return copied ? TRUE : FALSE;
}

int SkinnedSetScrollInfo(HWND hwnd, const SCROLLINFO* info) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb) return SetScrollInfo(hwnd, SB_VERT, info, TRUE);
  if (!info) return 0;
  BarState& bar = sb->bars[kVerticalBar];
  const int position = StoreScrollInfo(bar.scroll, info->fMask, info->nMin, info->nMax,
                                       info->nPage, info->nPos);
  const bool was_shown = (bar.flags & kBarWanted) != 0;
  const bool shown = BarShouldShow(bar.scroll, info->fMask);
  if (shown) bar.flags |= kBarWanted; else bar.flags &= ~kBarWanted;
  if (shown != was_shown) {
    RecalculateFrame(hwnd);
  } else {
    RefreshFrame(*sb, hwnd);
  }
  return position;
}

int SkinnedSetScrollPos(HWND hwnd, int position) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb) return SetScrollPos(hwnd, SB_VERT, position, TRUE);
  BarScroll& s = sb->bars[kVerticalBar].scroll;
  const int previous = s.position;
  s.position = ClampScrollPosition(s, position);
  RefreshFrame(*sb, hwnd);
  return previous;
}

BOOL SkinnedShowScrollBar(HWND hwnd, BOOL show) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb) return ShowScrollBar(hwnd, SB_VERT, show);
  BarState& bar = sb->bars[kVerticalBar];
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  if (show) {
    bar.flags |= kBarWanted;
    style |= WS_VSCROLL;
  } else {
    bar.flags &= ~kBarWanted;
    style &= ~static_cast<LONG_PTR>(WS_VSCROLL);
  }
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  RecalculateFrame(hwnd);
  return TRUE;
}

void SetSkinnedScrollbarDpi(HWND hwnd, int dpi) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb || dpi <= 0 || dpi == sb->dpi) return;
  sb->dpi = dpi;
  RecalculateFrame(hwnd);
}

bool SkinnedSetMinThumbSize(HWND hwnd, int bar, int size) {
  SkinnedScrollbar* sb = FindScrollbar(hwnd);
  if (!sb) return false;
  const int length = size == -1 ? DefaultMinThumb() : size;
  if (length < 0) return false;
  if (bar == SB_HORZ || bar == SB_BOTH) sb->bars[kHorizontalBar].min_thumb = length;
  if (bar == SB_VERT || bar == SB_BOTH) sb->bars[kVerticalBar].min_thumb = length;
  return true;
}
