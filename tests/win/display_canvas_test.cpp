// Canvas, CachedFont and WindowPainter against real GDI.
#include <windows.h>

#include <gtest/gtest.h>

#include "display/cached_font_win32.h"
#include "display/canvas_win32.h"
#include "display/window_painter_win32.h"

namespace {

const Pixel kBlack = MakePixel(0, 0, 0);

TEST(DisplayCanvasWin, GdiAndThePixelArrayShareOneBitmap) {
  Canvas c;
  ASSERT_TRUE(ResizeCanvas(c, 16, 8));
  ASSERT_NE(nullptr, CanvasDc(c));
  ClearCanvas(c, kBlack);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  RECT r = {2, 1, 5, 3};
  FillRect(CanvasDc(c), &r, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(0x000A141Eu, CanvasPixelAt(c, 2, 1) & 0xFFFFFF);  // top-down rows
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 5, 1));
  PutCanvasPixel(c, 7, 6, MakePixel(1, 2, 3), 1.0f);
  EXPECT_EQ(RGB(1, 2, 3), GetPixel(CanvasDc(c), 7, 6));
  // A canvas is a BitBlt source for another one.
  Canvas copy;
  ASSERT_TRUE(ResizeCanvas(copy, 16, 8));
  BitBlt(CanvasDc(copy), 0, 0, 16, 8, CanvasDc(c), 0, 0, SRCCOPY);
  GdiFlush();
  EXPECT_EQ(MakePixel(1, 2, 3) & 0xFFFFFF, CanvasPixelAt(copy, 7, 6) & 0xFFFFFF);
  ASSERT_TRUE(ResizeCanvas(c, 0, 0));
  EXPECT_EQ(nullptr, CanvasDc(c));
}

TEST(DisplayCanvasWin, EditorFontMeasuresAndDrawsUtf8) {
  CachedFont font;
  ASSERT_TRUE(SetCachedFontHandle(font, CreateEditorFont(), true));
  Canvas none;
  PixelRect cell{0, 0, 0, 0};
  const int height = DrawUtf8Text(font, none, "V", 1, &cell, kTextCalcRect);
  EXPECT_GE(height, 12);
  EXPECT_LE(height, 20);
  EXPECT_EQ(height, cell.bottom);
  EXPECT_GT(cell.right, 4);
  // Monospaced: ten characters, Greek included, are ten cells wide.
  PixelRect line{0, 0, 0, 0};
  DrawUtf8Text(font, none, "\xCE\x93\xCE\xBD\xE1\xBF\xB6\xCE\xB8\xCE\xB9 abcd", -1, &line,
               kTextCalcRect);
  EXPECT_EQ(10 * cell.right, line.right);

  Canvas c;
  ASSERT_TRUE(ResizeCanvas(c, 60, 30));
  const Pixel bg = MakePixel(48, 25, 52);
  ClearCanvas(c, bg);
  SetBackgroundMode(font, kBackgroundTransparent);
  SetTextColour(font, MakePixel(255, 255, 255));
  PixelRect box{10, 5, 10 + cell.right, 5 + height};
  DrawUtf8Text(font, c, "W", -1, &box, 0);
  int lit = 0, outside = 0;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = CanvasPixelAt(c, x, y);
      if (p == bg) continue;
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      (inside ? lit : outside)++;
      if (p == MakePixel(255, 255, 255)) {
        EXPECT_TRUE(inside);
      }
    }
  }
  EXPECT_GT(lit, 10);
  EXPECT_EQ(0, outside);
  // Replacing the font drops the cached glyphs.
  EXPECT_FALSE(font.glyphs.empty());
  ASSERT_TRUE(SetCachedFontHandle(font, CreateEditorFont(), true));
  EXPECT_TRUE(font.glyphs.empty());
}

// --- WindowPainter ---------------------------------------------------------

struct PainterHost {
  WindowPainter painter;
  int colour = 0;
};
PainterHost* painter_host = nullptr;

LRESULT CALLBACK PainterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT && painter_host) {
    PaintBegin(painter_host->painter, hwnd, painter_host->colour);
    PaintEnd(painter_host->painter);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A child that never paints, so whatever the parent left under it stays.
LRESULT CALLBACK SilentChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterPainterClasses() {
  static bool done = false;
  if (done) return;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = PainterProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"display_painter_test";
  RegisterClassW(&wc);
  wc.lpfnWndProc = SilentChildProc;
  wc.lpszClassName = L"display_silent_child_test";
  RegisterClassW(&wc);
  done = true;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

TEST(DisplayWindowPainterWin, PaintsTheBackgroundButNotVisibleChildren) {
  RegisterPainterClasses();
  PainterHost host;
  painter_host = &host;
  HWND parent = CreateWindowExW(0, L"display_painter_test", L"painter", WS_POPUP | WS_VISIBLE,
                                50, 50, 200, 150, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  ASSERT_NE(nullptr, parent);
  HWND child = CreateWindowExW(0, L"display_silent_child_test", L"", WS_CHILD, 20, 20, 60, 40,
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, child);
  host.colour = 0x191919;
  InvalidateRect(parent, nullptr, FALSE);
  UpdateWindow(parent);
  Pump();
  EXPECT_EQ(RGB(25, 25, 25), ScreenPixel(parent, 30, 30));
  EXPECT_EQ(200, host.painter.buffer.width);
  EXPECT_EQ(nullptr, host.painter.hwnd);  // idle again after PaintEnd

  // With the child shown, a new colour reaches only the uncovered strips.
  ShowWindow(child, SW_SHOWNA);
  Pump();
  host.colour = 0x80FFFF;
  InvalidateRect(parent, nullptr, FALSE);
  UpdateWindow(parent);
  Pump();
  EXPECT_EQ(RGB(255, 255, 128), ScreenPixel(parent, 5, 5));
  EXPECT_EQ(RGB(255, 255, 128), ScreenPixel(parent, 150, 100));
  EXPECT_EQ(RGB(25, 25, 25), ScreenPixel(parent, 30, 30));

  // A child covering everything: nothing of the buffer reaches the screen.
  MoveWindow(child, 0, 0, 200, 150, FALSE);
  host.colour = 0x0000FF;
  InvalidateRect(parent, nullptr, FALSE);
  UpdateWindow(parent);
  Pump();
  EXPECT_EQ(RGB(255, 255, 128), ScreenPixel(parent, 5, 5));

  // Shrinking the window keeps the back buffer.
  ShowWindow(child, SW_HIDE);
  SetWindowPos(parent, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
  host.colour = -1;
  InvalidateRect(parent, nullptr, FALSE);
  UpdateWindow(parent);
  Pump();
  EXPECT_EQ(200, host.painter.buffer.width);
  EXPECT_EQ(150, host.painter.buffer.height);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ScreenPixel(parent, 5, 5));
  DestroyWindow(parent);
  painter_host = nullptr;
}

}  // namespace
