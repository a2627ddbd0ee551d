// WindowPainter: paints a window's own background through a back buffer and
// copies it to the screen in one piece, leaving the visible child windows'
// areas alone so the children are not overdrawn. Used from WM_PAINT:
// PaintBegin, then PaintEnd.
#pragma once

#include <windows.h>

#include "display/canvas.h"
#include "display/painter_plan.h"

struct WindowPainter {
  HWND hwnd = nullptr;  // the window being painted; null outside PaintBegin..PaintEnd
  PAINTSTRUCT paint = {};
  Canvas buffer;        // the back buffer; only grows
  PixelRect buffered;   // what the buffer holds, in client coordinates
  int offset_x = 0;     // client position of the buffer's origin
  int offset_y = 0;
  int scale = kPainterUnitScale;
};

// colour is a COLORREF (0x00BBGGRR); a negative value means COLOR_BTNFACE.
// Returns false when the back buffer cannot be had (PaintEnd still ends the paint).
bool PaintBegin(WindowPainter& painter, HWND hwnd, int colour);
void PaintEnd(WindowPainter& painter);
