// Where the skinned bars lie in the window and how they reach the screen.
#include <algorithm>

#include "display/canvas_win32.h"
#include "display/skinned_scrollbar_record_win32.h"
#include "engine/dpi_scale.h"
#include "engine/dpi_win32.h"

namespace {

constexpr Pixel kSkinnedCorner = MakePixel(51, 51, 51);

// The look of one bar now, in its own coordinates.
BarLook LookOf(const SkinnedScrollbar& sb, int bar, const RECT& r) {
  BarLook look;
  look.length = BarLength(r, bar);
  look.width = bar == kVerticalBar ? r.right - r.left : r.bottom - r.top;
  look.arrow = ArrowLength(look.length, BarArrowMetric(sb, bar));
  look.thumb = CurrentThumb(sb, bar, r);
  const bool active = sb.pressing && sb.active_bar == bar;
  look.pressed_zone = active && sb.pointer_in_pressed_zone ? sb.pressed_zone : kZoneNone;
  look.dragging = active && sb.dragging;
  look.hot_zone = sb.hot_timer && sb.hot_bar == bar ? sb.hot_zone : kZoneNone;
  return look;
}

// A vertical image laid on its side: rows become columns.
void Turn(const Canvas& from, Canvas& to) {
  if (!ResizeCanvas(to, from.height, from.width)) return;
  for (int y = 0; y < from.height; ++y)
    for (int x = 0; x < from.width; ++x) to.pixels[static_cast<long long>(x) * to.width + y] =
        from.pixels[static_cast<long long>(y) * from.width + x];
}

void PaintBar(SkinnedScrollbar& sb, HWND hwnd, HDC dc, int bar, const RECT& window) {
  RECT r;
  if (!BarScreenRect(sb, hwnd, bar, &r)) return;
  const BarLook look = LookOf(sb, bar, r);
  if (look.width <= 0 || look.length <= 0) return;
  if (!ResizeCanvas(sb.bar_image, look.width, look.length)) return;
  if (!scrollbar_skin.image.pixels) {
    DrawFlatBar(sb.bar_image, look, PixelFromColorRef(GetSysColor(COLOR_BTNFACE)),
                PixelFromColorRef(GetSysColor(COLOR_BTNTEXT)));
  } else {
    DrawSkinnedBar(sb.bar_image, look, scrollbar_skin.image, scrollbar_skin.metrics);
  }
  const Canvas* shown = &sb.bar_image;
  if (bar == kHorizontalBar) {
    Turn(sb.bar_image, sb.turned_image);
    shown = &sb.turned_image;
  }
  BitBlt(dc, r.left - window.left, r.top - window.top, r.right - r.left, r.bottom - r.top,
         CanvasDc(*shown), 0, 0, SRCCOPY);
}

void PaintCorner(const SkinnedScrollbar& sb, HWND hwnd, HDC dc, const RECT& window) {
  RECT v, h;
  if (!BarScreenRect(sb, hwnd, kVerticalBar, &v) || !BarScreenRect(sb, hwnd, kHorizontalBar, &h))
    return;
  RECT corner{v.left, h.top, v.right, h.bottom};
  OffsetRect(&corner, -window.left, -window.top);
  const COLORREF colour = scrollbar_skin.image.pixels ? ColorRefFromPixel(kSkinnedCorner)
                                                      : GetSysColor(COLOR_BTNFACE);
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush) return;
  FillRect(dc, &corner, brush);
  DeleteObject(brush);
}

}  // namespace

bool BarScreenRect(const SkinnedScrollbar& sb, HWND hwnd, int bar, RECT* out) {
  if (!sb.bars[bar].visible) return false;
  RECT w;
  if (!GetWindowRect(hwnd, &w)) return false;
  const RECT inner{w.left + sb.insets.left, w.top + sb.insets.top, w.right - sb.insets.right,
                   w.bottom - sb.insets.bottom};
  const int cx = BarMetric(sb, SM_CXVSCROLL), cy = BarMetric(sb, SM_CYHSCROLL);
  const bool v_visible = sb.bars[kVerticalBar].visible;
  const bool h_visible = sb.bars[kHorizontalBar].visible;
  if (bar == kVerticalBar) {
    const int left = sb.left_side ? inner.left : inner.right - cx;
    *out = RECT{left, inner.top, left + cx, inner.bottom - (h_visible ? cy : 0)};
  } else {
    const int left = inner.left + (v_visible && sb.left_side ? cx : 0);
    const int right = inner.right - (v_visible && !sb.left_side ? cx : 0);
    *out = RECT{left, inner.bottom - cy, right, inner.bottom};
  }
  return out->right > out->left && out->bottom > out->top;
}

int BarLength(const RECT& r, int bar) {
  return bar == kVerticalBar ? r.bottom - r.top : r.right - r.left;
}

int BarMetric(const SkinnedScrollbar& sb, int index) {
  return ScaleToDpi(DesignSystemMetric(index), sb.dpi);
}

int BarArrowMetric(const SkinnedScrollbar& sb, int bar) {
  return BarMetric(sb, bar == kVerticalBar ? SM_CYVSCROLL : SM_CXHSCROLL);
}

int AlongBar(const RECT& r, int bar, POINT screen) {
  return bar == kVerticalBar ? screen.y - r.top : screen.x - r.left;
}

ThumbPlace CurrentThumb(const SkinnedScrollbar& sb, int bar, const RECT& r) {
  const BarState& state = sb.bars[bar];
  BarScroll scroll = state.scroll;
  if (sb.dragging && sb.active_bar == bar) scroll.position = sb.last_drag_position;
  const int length = BarLength(r, bar);
  return PlaceThumb(scroll, length, ArrowLength(length, BarArrowMetric(sb, bar)),
                    ScaleToDpi(state.min_thumb, sb.dpi));
}

void PaintBars(SkinnedScrollbar& sb, HWND hwnd, HDC window_dc) {
  RECT window;
  if (!GetWindowRect(hwnd, &window)) return;
  PaintBar(sb, hwnd, window_dc, kVerticalBar, window);
  PaintBar(sb, hwnd, window_dc, kHorizontalBar, window);
  PaintCorner(sb, hwnd, window_dc, window);
}

void RedrawBars(SkinnedScrollbar& sb, HWND hwnd) {
  if (!IsWindowVisible(hwnd)) return;
  EnsureScrollbarSkin();
  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  PaintBars(sb, hwnd, dc);
  ReleaseDC(hwnd, dc);
}
