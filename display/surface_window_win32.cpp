// The text pane's window procedure: creation and destruction of the
// SurfaceView, size, paint, the caret timer, typed characters and the mouse;
// and the paint the message loop asks for after each input.
#include <windowsx.h>

#include <new>

#include "display/cached_font_win32.h"
#include "display/canvas_win32.h"
#include "display/line_view.h"
#include "display/maxims.h"
#include "display/pane_hooks.h"
#include "display/paint_request.h"
#include "display/panes_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "display/surface_mouse.h"
#include "display/surface_layout.h"
#include "display/surface_paint.h"
#include "display/view_scroll.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/char_input.h"
#include "engine/document.h"
#include "engine/dpi_win32.h"
#include "engine/timer_rule.h"
#include "preferences/preferences.h"

namespace {

constexpr UINT_PTR kCaretBlinkTimer = 333;
// One tick per phase of the caret (the paint's blink counts 100 ms phases).
constexpr UINT kCaretBlinkMs = 100;
constexpr int kMinThumbSize = 25;  // at 96 DPI; the scrollbar scales it

class Win32SurfacePort : public SurfacePort {
 public:
  Win32SurfacePort(HWND hwnd, HDC dc, const Canvas& canvas) : hwnd_(hwnd), dc_(dc), canvas_(canvas) {}
  void SetScroll(const SavedScroll& info) override {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = static_cast<UINT>(info.mask);
    si.nMin = info.minimum;
    si.nMax = info.maximum;
    si.nPage = static_cast<UINT>(info.page);
    si.nPos = info.position;
    SkinnedSetScrollInfo(hwnd_, &si);
  }
  SavedScroll GetScroll() override {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    SkinnedGetScrollInfo(hwnd_, &si);
    return SavedScroll{static_cast<int32_t>(si.cbSize), static_cast<int32_t>(si.fMask), si.nMin,
                       si.nMax, static_cast<int32_t>(si.nPage), si.nPos};
  }
  void ShowScroll(bool show) override { SkinnedShowScrollBar(hwnd_, show ? TRUE : FALSE); }
  void Present(const PixelRect& r) override {
    HDC source = CanvasDc(canvas_);
    if (source == nullptr) return;
    BitBlt(dc_, r.left, r.top, RectWidth(r), RectHeight(r), source, r.left, r.top, SRCCOPY);
    if (r.left <= 0 && r.top <= 0 && r.right >= canvas_.width && r.bottom >= canvas_.height)
      presented_whole_ = true;
  }
  // Windows asks for a paint also when something uncovers the pane (a menu
  // closing, a window moved away, a restore), with nothing changed in the
  // text: the uncovered part comes from the frame already composed.
  void PresentUncovered(const RECT& r) {
    if (presented_whole_) return;
    Present(PixelRect{r.left, r.top, r.right, r.bottom});
  }
  void InvalidateSurface() override { InvalidateRect(hwnd_, nullptr, FALSE); }
  void PresentLinePane() override {
    if (line_view != nullptr) PresentLinePaneNow(static_cast<HWND>(line_view->hwnd));
  }
  void ClientSize(int* width, int* height) override {
    RECT client;
    GetClientRect(hwnd_, &client);
    *width = client.right;
    *height = client.bottom;
  }
  uint32_t NowMs() override { return GetTickCount(); }
  bool PointerHeld() override { return GetCapture() == hwnd_; }

 private:
  HWND hwnd_;
  HDC dc_;
  const Canvas& canvas_;
  bool presented_whole_ = false;
};

SurfaceView* ViewOf(HWND hwnd) {
  return reinterpret_cast<SurfaceView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

Document* CurrentDocument() {
  Document* doc = app_state != nullptr ? GetCurrentDocument(*app_state) : nullptr;
  return doc != nullptr && doc->render_cache != nullptr ? doc : nullptr;
}

int ReadProfile(const char* key, int fallback) {
  if (pane_hooks.profile_get_int == nullptr || pane_hooks.profile_path.empty()) return fallback;
  return pane_hooks.profile_get_int(key, fallback, pane_hooks.profile_path.c_str());
}

void WriteProfile(const char* key, int value) {
  if (pane_hooks.profile_set_int == nullptr || pane_hooks.profile_path.empty()) return;
  pane_hooks.profile_set_int(key, value, pane_hooks.profile_path.c_str());
}

// The pane's pixel sizes and font at `dpi`.
void ScaleView(SurfaceView* view, int dpi) {
  view->metrics = ScalePaneMetrics(dpi);
  SetCachedFontHandle(view->font, CreateEditorFont(view->metrics.font_height), true);
}

bool Create(HWND hwnd, const CREATESTRUCTW* create) {
  SurfaceView* view = new (std::nothrow) SurfaceView;
  if (view == nullptr) return false;
  view->hwnd = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  surface_view = view;
  if (ReadProfile("ruler", 0) != 0) view->ruler_column = GetRuler();
  if (ReadProfile("whitespace", 1) != 0) view->show_whitespace = 1;
  view->show_wisdom = GetAncientWisdom() ? 1 : 0;
  if (view->show_wisdom) view->wisdom_index = ChooseWisdomIndex();
  ScaleView(view, WindowDpi(hwnd));
  InstallSkinnedScrollbar(hwnd);
  ResizeCanvas(view->canvas, create->cx > 0 ? create->cx : 0, create->cy > 0 ? create->cy : 0);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  SkinnedSetScrollInfo(hwnd, &si);
  SkinnedShowScrollBar(hwnd, FALSE);
  SkinnedSetMinThumbSize(hwnd, SB_VERT, kMinThumbSize);
  // The blink starts once the main window is active (SetSurfaceActive).
  return true;
}

void Destroy(HWND hwnd, SurfaceView* view) {
  KillTimer(hwnd, kCaretBlinkTimer);
  RemoveSkinnedScrollbar(hwnd);
  WriteProfile("ruler", view->ruler_column != 0 ? 1 : 0);
  WriteProfile("whitespace", view->show_whitespace ? 1 : 0);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (surface_view == view) surface_view = nullptr;
  delete view;
}

void Resize(HWND hwnd, SurfaceView* view, int width, int height) {
  ResizeCanvas(view->canvas, width, height);
  if (!HasSkinnedScrollbar(hwnd)) ShowScrollBar(hwnd, SB_VERT, TRUE);
  Document* doc = CurrentDocument();
  if (doc != nullptr && view->cache != nullptr) {
    RenderCache& cache = *doc->render_cache;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = cache.line_count;
    si.nPage = cache.cell_height > 0 ? static_cast<UINT>(height / cache.cell_height) : 0;
    SkinnedSetScrollInfo(hwnd, &si);
    cache.dirty = 1;
  } else {
    view->empty_drawn = 0;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

void Paint(HWND hwnd, SurfaceView* view) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc != nullptr) {
    RECT client;
    GetClientRect(hwnd, &client);
    Win32SurfacePort port(hwnd, dc, view->canvas);
    PaintSurface(*view, app_state, port);
    port.PresentUncovered(ps.rcPaint);
    // Showing or hiding the scrollbar (a layout, or a switch putting back a
    // document's bar) resized the client under this paint, whose drawing is
    // clipped to the client it began with; WM_SIZE asked for the next paint,
    // and that one must present the whole new client.
    RECT now;
    GetClientRect(hwnd, &now);
    if (view->cache != nullptr && (now.right != client.right || now.bottom != client.bottom))
      view->cache->dirty = 1;
  }
  EndPaint(hwnd, &ps);
}

// The caret's cell and strip only: a blink changes nothing else.
void InvalidateBlinkArea(HWND hwnd, const SurfaceView* view, const Document* doc) {
  if (doc == nullptr) return;
  RECT client;
  GetClientRect(hwnd, &client);
  const PixelRect a = CaretBlinkArea(*doc->render_cache, view->metrics.caret_rows, client.right);
  const RECT r{a.left, a.top, a.right, a.bottom};
  InvalidateRect(hwnd, &r, FALSE);
}

TimerFacts BlinkFacts(HWND hwnd, const SurfaceView& view, const Document* doc) {
  TimerFacts f;
  const HWND top = GetParent(hwnd);  // the main window
  f.shown = IsWindowVisible(hwnd) && (top == nullptr || !IsIconic(top));
  f.focused = view.window_active != 0;
  // The empty screen and a view scrolled away from the caret show none; a
  // selection's caret stands still (each paint with one lays the text out
  // and shows it solid).
  f.has_caret = doc != nullptr && !view.empty_drawn && doc->render_cache->caret_row >= 0 &&
                !doc->has_selection;
  return f;
}

// Starts or stops the caret's timer as the rule says. Either way the caret
// then shows solid: the first phase after the focus comes back, or for as
// long as the timer stays stopped. With `restart` (after an input) a running
// timer counts its phase from now, so the solid caret lasts a whole phase.
void SyncBlink(HWND hwnd, SurfaceView* view, bool restart) {
  Document* doc = CurrentDocument();
  const bool run = TimerShouldRun(TimerKind::kTextCaret, BlinkFacts(hwnd, *view, doc));
  if (run == (view->blink_armed != 0)) {
    if (run && restart) SetTimer(hwnd, kCaretBlinkTimer, kCaretBlinkMs, nullptr);
    return;
  }
  view->blink_armed = run ? 1 : 0;
  if (run) {
    SetTimer(hwnd, kCaretBlinkTimer, kCaretBlinkMs, nullptr);
  } else {
    KillTimer(hwnd, kCaretBlinkTimer);
  }
  if (doc != nullptr) {
    doc->render_cache->caret_moved = 1;
    InvalidateBlinkArea(hwnd, view, doc);
  }
}

void OnTimer(HWND hwnd, SurfaceView* view) {
  SyncBlink(hwnd, view, false);
  if (!view->blink_armed) return;
  // Whatever changed outside input (none should) is shown in full; otherwise
  // the tick only turns the caret's phase.
  if (TakePaintRequest(*view, app_state, false)) {
    InvalidateRect(hwnd, nullptr, FALSE);
  } else {
    InvalidateBlinkArea(hwnd, view, CurrentDocument());
  }
}

void OnChar(SurfaceView* view, WPARAM unit) {
  TypeCharUnit(CurrentDocument(), &view->char_input, static_cast<uint32_t>(unit));
}

ScrollState ReadScroll(HWND hwnd) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  SkinnedGetScrollInfo(hwnd, &si);
  ScrollState s;
  s.minimum = si.nMin;
  s.maximum = si.nMax;
  s.page = static_cast<int32_t>(si.nPage);
  s.position = si.nPos;
  s.track = si.nTrackPos;
  return s;
}

// The thumb moves at once: the bar's next request (the position after a
// drag) reads it before any paint.
void ScrollTo(HWND hwnd, int32_t position, bool detach) {
  Document* doc = CurrentDocument();
  if (doc != nullptr) {
    ScrollViewTo(doc->render_cache.get(), position, detach);
    SkinnedSetScrollPos(hwnd, position);
  }
}

void OnMouse(HWND hwnd, UINT message, LPARAM lparam) {
  const int x = GET_X_LPARAM(lparam);
  const int y = GET_Y_LPARAM(lparam);
  Document* doc = CurrentDocument();
  if (message == WM_LBUTTONDOWN) {
    if (doc != nullptr) PressAt(doc, doc->render_cache.get(), x, y);
    SetCapture(hwnd);
  } else if (message == WM_MOUSEMOVE) {
    SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
    if (GetCapture() != nullptr && doc != nullptr) DragTo(doc, doc->render_cache.get(), x, y);
  } else if (message == WM_LBUTTONUP && GetCapture() != nullptr) {
    if (doc != nullptr) ReleaseAt(doc, doc->render_cache.get(), x, y);
    ReleaseCapture();
  }
}

LRESULT Dispatch(HWND hwnd, SurfaceView* view, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) Resize(hwnd, view, LOWORD(lparam), HIWORD(lparam));
      break;
    case WM_PAINT:
      Paint(hwnd, view);
      return 0;
    case WM_TIMER:
      if (wparam == kCaretBlinkTimer) OnTimer(hwnd, view);
      break;
    case WM_CHAR:
      OnChar(view, wparam);
      break;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      OnMouse(hwnd, message, lparam);
      break;
    case WM_VSCROLL:
      ScrollTo(hwnd, ScrollRequestPosition(ReadScroll(hwnd), LOWORD(wparam)), true);
      break;
    case WM_MOUSEWHEEL:
      ScrollTo(hwnd, WheelPosition(ReadScroll(hwnd), GET_WHEEL_DELTA_WPARAM(wparam)),
               GetCapture() == nullptr);
      return 0;
    // WM_KEYDOWN: the key table runs every key the pane acts on; the rest
    // move neither the text nor the thumb, so the two always agree.
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

void SetSurfaceDpi(HWND hwnd, int dpi) {
  SurfaceView* view = ViewOf(hwnd);
  if (view == nullptr) return;
  ScaleView(view, dpi);
  SetSkinnedScrollbarDpi(hwnd, view->metrics.dpi);
  // The next paint measures the new cell and lays the text out again.
  view->empty_drawn = 0;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void AskSurfaceForPaint(bool user_action) {
  if (surface_view == nullptr) return;
  HWND hwnd = static_cast<HWND>(surface_view->hwnd);
  // Every message may have changed what the blink depends on; an input shows
  // the caret solid for a whole phase.
  SyncBlink(hwnd, surface_view, user_action);
  if (TakePaintRequest(*surface_view, app_state, user_action)) InvalidateRect(hwnd, nullptr, FALSE);
}

void SetSurfaceActive(HWND hwnd, bool active) {
  SurfaceView* view = ViewOf(hwnd);
  if (view == nullptr) return;
  view->window_active = active ? 1 : 0;
  SyncBlink(hwnd, view, false);
}

LRESULT CALLBACK SurfaceWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    if (!Create(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lparam))) return FALSE;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  SurfaceView* view = ViewOf(hwnd);
  if (view == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    Destroy(hwnd, view);
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return Dispatch(hwnd, view, message, wparam, lparam);
}
