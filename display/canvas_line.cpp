// Straight lines on a Canvas, walked along their major axis so that only the
// stretch that can touch the canvas costs anything. A hard line takes the
// nearest pixel of each step; an antialiased one shares the step's coverage
// between the two pixels nearest to the ideal line.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "display/canvas.h"

void DrawCanvasLine(Canvas& canvas, int x1, int y1, int x2, int y2, Pixel colour, float opacity,
                    bool antialiased) {
  if (!canvas.pixels) return;
  const bool steep = std::llabs(static_cast<long long>(y2) - y1) >
                     std::llabs(static_cast<long long>(x2) - x1);
  if (steep) { std::swap(x1, y1); std::swap(x2, y2); }
  if (x1 > x2) { std::swap(x1, x2); std::swap(y1, y2); }
  const double gradient =
      x2 == x1 ? 0.0 : (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
  const int limit = steep ? canvas.height : canvas.width;
  const int first = std::max(x1, 0), last = std::min(x2, limit - 1);
  for (int major = first; major <= last; ++major) {
    const double minor = y1 + gradient * (static_cast<double>(major) - x1);
    const double base = std::floor(minor);
    if (base < -2.0 || base > static_cast<double>(kMaxCanvasSide) + 2.0) continue;
    const float far_share = static_cast<float>(minor - base);
    int near_minor = static_cast<int>(base);
    float near_opacity = opacity * (1.0f - far_share);
    float far_opacity = opacity * far_share;
    if (!antialiased) {
      if (far_share >= 0.5f) ++near_minor;
      near_opacity = opacity;
      far_opacity = 0.0f;
    }
    if (steep) {
      PutCanvasPixel(canvas, near_minor, major, colour, near_opacity);
      if (far_opacity > 0.0f) PutCanvasPixel(canvas, near_minor + 1, major, colour, far_opacity);
    } else {
      PutCanvasPixel(canvas, major, near_minor, colour, near_opacity);
      if (far_opacity > 0.0f) PutCanvasPixel(canvas, major, near_minor + 1, colour, far_opacity);
    }
  }
}
