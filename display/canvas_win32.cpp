// Windows storage of a Canvas: a 32-bit top-down DIB section selected into a
// memory DC of its own.
#include "display/canvas_win32.h"

#include <new>

struct CanvasSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;  // the DC's original bitmap, put back before deletion
};

void DestroyCanvasSurface(CanvasSurface* surface) {
  if (!surface) return;
  if (surface->dc) {
    if (surface->previous) SelectObject(surface->dc, surface->previous);
    DeleteDC(surface->dc);
  }
  if (surface->bitmap) DeleteObject(surface->bitmap);
  delete surface;
}

CanvasSurface* CreateCanvasSurface(int width, int height, Pixel** pixels) {
  auto* surface = new (std::nothrow) CanvasSurface;
  if (!surface) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  surface->dc = CreateCompatibleDC(nullptr);
  if (surface->dc)
    surface->bitmap = CreateDIBSection(surface->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!surface->dc || !surface->bitmap || !bits) {
    DestroyCanvasSurface(surface);
    return nullptr;
  }
  surface->previous = SelectObject(surface->dc, surface->bitmap);
  *pixels = static_cast<Pixel*>(bits);
  ZeroMemory(bits, static_cast<size_t>(width) * height * sizeof(Pixel));
  return surface;
}

HDC CanvasDc(const Canvas& canvas) { return canvas.surface ? canvas.surface->dc : nullptr; }
