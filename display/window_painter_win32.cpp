#include "display/window_painter_win32.h"

#include "display/canvas_win32.h"

namespace {

PixelRect FromRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

struct ChildCut {
  HWND parent;
  HRGN area;
  bool any;
};

BOOL CALLBACK CutOutChild(HWND child, LPARAM data) {
  auto* cut = reinterpret_cast<ChildCut*>(data);
  if (!IsWindowVisible(child)) return TRUE;
  RECT r;
  if (!GetWindowRect(child, &r)) return TRUE;
  MapWindowPoints(HWND_DESKTOP, cut->parent, reinterpret_cast<POINT*>(&r), 2);
  HRGN piece = CreateRectRgnIndirect(&r);
  if (!piece) return TRUE;
  CombineRgn(cut->area, cut->area, piece, RGN_DIFF);
  DeleteObject(piece);
  cut->any = true;
  return TRUE;
}

}  // namespace

bool PaintBegin(WindowPainter& painter, HWND hwnd, int colour) {
  if (!painter.hwnd) {
    if (!BeginPaint(hwnd, &painter.paint)) return false;
    painter.hwnd = hwnd;
  }
  RECT client;
  GetClientRect(painter.hwnd, &client);
  const PainterPlan plan = PlanPainterBuffer(FromRect(client), FromRect(painter.paint.rcPaint),
                                             painter.scale, painter.buffer.width,
                                             painter.buffer.height);
  painter.buffered = plan.buffered;
  painter.offset_x = plan.offset_x;
  painter.offset_y = plan.offset_y;
  if (!ResizeCanvas(painter.buffer, plan.buffer_width, plan.buffer_height)) return false;
  const Pixel fill = colour < 0 ? PixelFromColorRef(GetSysColor(COLOR_BTNFACE))
                                : PixelFromColorRef(static_cast<uint32_t>(colour));
  FillCanvasRect(painter.buffer, plan.buffered.left - plan.offset_x,
                 plan.buffered.top - plan.offset_y, RectWidth(plan.buffered),
                 RectHeight(plan.buffered), fill, 1.0f);
  return true;
}

void PaintEnd(WindowPainter& painter) {
  HDC dc = painter.paint.hdc;
  if (!painter.hwnd && !dc) return;
  HRGN saved_clip = nullptr;
  bool clip_saved = false;
  if (painter.hwnd && CanvasDc(painter.buffer)) {
    const RECT& p = painter.paint.rcPaint;
    ChildCut cut{painter.hwnd, CreateRectRgnIndirect(&p), false};
    if (cut.area) {
      EnumChildWindows(painter.hwnd, CutOutChild, reinterpret_cast<LPARAM>(&cut));
      if (cut.any) {
        saved_clip = CreateRectRgn(0, 0, 0, 0);
        // GetClipRgn answers 0 when the DC had no clip region: restore "none" then.
        if (saved_clip && GetClipRgn(dc, saved_clip) != 1) {
          DeleteObject(saved_clip);
          saved_clip = nullptr;
        }
        clip_saved = true;
        ExtSelectClipRgn(dc, cut.area, RGN_AND);
      }
      DeleteObject(cut.area);
    }
    BitBlt(dc, p.left, p.top, p.right - p.left, p.bottom - p.top, CanvasDc(painter.buffer),
           p.left - painter.offset_x, p.top - painter.offset_y, SRCCOPY);
  }
  if (clip_saved) {
    SelectClipRgn(dc, saved_clip);
    if (saved_clip) DeleteObject(saved_clip);
  }
  if (painter.hwnd) EndPaint(painter.hwnd, &painter.paint);
  painter.hwnd = nullptr;
  painter.paint = PAINTSTRUCT{};
}
