// The line-number pane's window procedure: its LineView, size and paint;
// a click only takes the mouse capture.
#include <new>

#include "display/cached_font_win32.h"
#include "display/canvas_win32.h"
#include "display/line_view.h"
#include "display/panes_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "engine/dpi_win32.h"

namespace {

LineView* ViewOf(HWND hwnd) {
  return reinterpret_cast<LineView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The pane's pixel sizes and font at `dpi`; the cell is measured at each paint.
void ScaleView(LineView* view, int dpi) {
  view->metrics = ScalePaneMetrics(dpi);
  SetCachedFontHandle(view->font, CreateEditorFont(view->metrics.font_height), true);
}

bool Create(HWND hwnd, const CREATESTRUCTW* create) {
  LineView* view = new (std::nothrow) LineView;
  if (view == nullptr) return false;
  view->hwnd = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  line_view = view;
  ScaleView(view, WindowDpi(hwnd));
  InstallSkinnedScrollbar(hwnd);
  ResizeCanvas(view->canvas, create->cx > 0 ? create->cx : 0, create->cy > 0 ? create->cy : 0);
  return true;
}

void Destroy(HWND hwnd, LineView* view) {
  RemoveSkinnedScrollbar(hwnd);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (line_view == view) line_view = nullptr;
  delete view;
}

void DrawAndCopy(HWND hwnd, LineView* view, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  DrawLineLabels(*view, client.right, client.bottom);
  HDC source = CanvasDc(view->canvas);
  if (dc != nullptr && source != nullptr) {
    BitBlt(dc, 0, 0, view->canvas.width, view->canvas.height, source, 0, 0, SRCCOPY);
  }
}

void Paint(HWND hwnd, LineView* view) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  DrawAndCopy(hwnd, view, dc);
  EndPaint(hwnd, &ps);
}

}  // namespace

void SetLinePaneDpi(HWND hwnd, int dpi) {
  LineView* view = ViewOf(hwnd);
  if (view == nullptr) return;
  ScaleView(view, dpi);
  SetSkinnedScrollbarDpi(hwnd, view->metrics.dpi);
  InvalidateRect(hwnd, nullptr, FALSE);
}

void PresentLinePaneNow(HWND hwnd) {
  LineView* view = ViewOf(hwnd);
  if (view == nullptr) return;
  // No EndPaint here: it may flush the window's pixels to the screen before
  // the text pane has copied its own.
  HDC dc = GetDC(hwnd);
  DrawAndCopy(hwnd, view, dc);
  if (dc != nullptr) ReleaseDC(hwnd, dc);
  ValidateRect(hwnd, nullptr);
}

LRESULT CALLBACK LineWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    if (!Create(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lparam))) return FALSE;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  LineView* view = ViewOf(hwnd);
  if (view == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_NCDESTROY:
      Destroy(hwnd, view);
      break;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) {
        ResizeCanvas(view->canvas, LOWORD(lparam), HIWORD(lparam));
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      break;
    case WM_PAINT:
      Paint(hwnd, view);
      return 0;
    case WM_MOUSEMOVE:
      SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
      break;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() != nullptr) ReleaseCapture();
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}
