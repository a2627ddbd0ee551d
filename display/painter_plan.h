// The sizing decisions of the window background painter, apart from GDI.
#pragma once

#include "display/canvas.h"

constexpr int kPainterUnitScale = 256;      // scale in 1/256 units: 256 is 1:1
constexpr int kPainterLargeWindow = 2048;   // from this size on only the invalid part is buffered

struct PainterPlan {
  PixelRect buffered;  // what the back buffer holds, in (scaled) client coordinates
  int offset_x = 0;    // client position of the buffer's origin
  int offset_y = 0;
  int buffer_width = 0;   // size the buffer must have afterwards: it only grows
  int buffer_height = 0;
};

PixelRect ScalePainterRect(const PixelRect& rect, int scale);

// client: the client rectangle; paint: the rectangle to repaint; have_*: the
// back buffer's current size.
PainterPlan PlanPainterBuffer(const PixelRect& client, const PixelRect& paint, int scale,
                              int have_width, int have_height);
