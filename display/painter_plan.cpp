#include "display/painter_plan.h"

#include <algorithm>

namespace {

int ScaleCoordinate(int value, int scale) {
  return static_cast<int>(static_cast<long long>(value) * scale / kPainterUnitScale);
}

}  // namespace

PixelRect ScalePainterRect(const PixelRect& rect, int scale) {
  if (scale == kPainterUnitScale) return rect;
  return PixelRect{ScaleCoordinate(rect.left, scale), ScaleCoordinate(rect.top, scale),
                   ScaleCoordinate(rect.right, scale), ScaleCoordinate(rect.bottom, scale)};
}

PainterPlan PlanPainterBuffer(const PixelRect& client, const PixelRect& paint, int scale,
                              int have_width, int have_height) {
  PainterPlan plan;
  const PixelRect scaled_client = ScalePainterRect(client, scale);
  const bool large = RectWidth(scaled_client) >= kPainterLargeWindow ||
                     RectHeight(scaled_client) >= kPainterLargeWindow;
  if (large) {
    plan.buffered = ScalePainterRect(paint, scale);
    plan.offset_x = plan.buffered.left;
    plan.offset_y = plan.buffered.top;
  } else {
    plan.buffered = scaled_client;
  }
  plan.buffer_width = std::max({have_width, plan.buffered.right - plan.offset_x, 0});
  plan.buffer_height = std::max({have_height, plan.buffered.bottom - plan.offset_y, 0});
  return plan;
}
