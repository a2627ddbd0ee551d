// Native storage of a Canvas: a plain heap block.
#include <new>

#include "display/canvas.h"

struct CanvasSurface {
  std::unique_ptr<Pixel[]> block;
};

void DestroyCanvasSurface(CanvasSurface* surface) { delete surface; }

CanvasSurface* CreateCanvasSurface(int width, int height, Pixel** pixels) {
  auto* surface = new (std::nothrow) CanvasSurface;
  if (!surface) return nullptr;
  surface->block.reset(new (std::nothrow) Pixel[static_cast<size_t>(width) * height]());
  if (!surface->block) {
    delete surface;
    return nullptr;
  }
  *pixels = surface->block.get();
  return surface;
}
