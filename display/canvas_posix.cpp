// Native storage of a Canvas: a plain heap block.
#include <new>

#include "display/canvas.h"

struct CanvasSurface {
  std::unique_ptr<Pixel[]> block;
};

void DestroyCanvasSurface(CanvasSurface* surface) { delete surface; }

bool ResizeCanvas(Canvas& canvas, int width, int height) {
  if (!CanvasSizeAllowed(width, height)) return false;
  const long long count = static_cast<long long>(width) * height;
  if (width == canvas.width && height == canvas.height) return true;
  if (count == 0) {
    canvas.surface.reset();
    canvas.pixels = nullptr;
  } else {
    std::unique_ptr<CanvasSurface, CanvasSurfaceDeleter> fresh(new (std::nothrow) CanvasSurface);
    if (!fresh) return false;
    fresh->block.reset(new (std::nothrow) Pixel[count]());
    if (!fresh->block) return false;
    canvas.pixels = fresh->block.get();
    canvas.surface = std::move(fresh);
  }
  canvas.width = width;
  canvas.height = height;
  return true;
}
