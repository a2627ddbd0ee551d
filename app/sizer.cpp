// Child layout: registered rectangles moved by their anchors and scaled by
// DPI.
#include "app/sizer.h"

#include <cmath>

namespace {

int32_t Scale(double value, int32_t dpi, int32_t base_dpi) {
  return static_cast<int32_t>(std::lround(value * dpi / base_dpi));
}

}  // namespace

void SetUpSizer(Sizer* sizer, int32_t client_width, int32_t client_height, int32_t dpi) {
  sizer->base_width = client_width;
  sizer->base_height = client_height;
  sizer->base_dpi = dpi > 0 ? dpi : 96;
  sizer->children.clear();
}

void AddSizerChild(Sizer* sizer, int32_t id, const SizerRect& rect, const SizerAnchors& anchors) {
  SizerChild* existing = FindSizerChild(sizer, id);
  if (existing != nullptr) {
    existing->rect = rect;
    existing->anchors = anchors;
    return;
  }
  sizer->children.push_back({id, rect, anchors});
}

SizerChild* FindSizerChild(Sizer* sizer, int32_t id) {
  for (SizerChild& c : sizer->children)
    if (c.id == id) return &c;
  return nullptr;
}

SizerRect LayoutChild(const Sizer& sizer, const SizerChild& child, int32_t client_width,
                      int32_t client_height, int32_t dpi) {
  if (dpi <= 0) dpi = sizer.base_dpi;
  // Work in set-up DPI pixels, then scale the result.
  double width = static_cast<double>(client_width) * sizer.base_dpi / dpi;
  double height = static_cast<double>(client_height) * sizer.base_dpi / dpi;
  double dw = width - sizer.base_width;
  double dh = height - sizer.base_height;
  const SizerAnchors& a = child.anchors;
  SizerRect out;
  out.left = Scale(child.rect.left + a.left * dw, dpi, sizer.base_dpi);
  out.right = Scale(child.rect.right + a.right * dw, dpi, sizer.base_dpi);
  out.top = Scale(child.rect.top + a.top * dh, dpi, sizer.base_dpi);
  out.bottom = Scale(child.rect.bottom + a.bottom * dh, dpi, sizer.base_dpi);
  return out;
}

bool SetLinePaneWidth(Sizer* sizer, int32_t line_id, int32_t surface_id, int32_t width,
                      int32_t dpi) {
  SizerChild* line = FindSizerChild(sizer, line_id);
  SizerChild* surface = FindSizerChild(sizer, surface_id);
  if (line == nullptr || surface == nullptr) return false;
  if (dpi > 0) width = Scale(width, sizer->base_dpi, dpi);
  if (line->rect.right - line->rect.left == width) return false;
  line->rect.left = 0;
  line->rect.right = width;
  surface->rect.left = width;
  return true;
}
