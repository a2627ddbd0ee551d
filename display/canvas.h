// Canvas: an off-screen 32-bit top-down pixel bitmap. The drawing operations
// work on the pixel array and are the same in every build; only the storage
// is platform specific (a DIB section with its own memory DC on Windows, see
// canvas_win32.h; a heap block natively).
#pragma once

#include <memory>

#include "display/pixel.h"

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
inline int RectWidth(const PixelRect& r) { return r.right - r.left; }
inline int RectHeight(const PixelRect& r) { return r.bottom - r.top; }

// Largest canvas side and area accepted by ResizeCanvas.
constexpr int kMaxCanvasSide = 32767;
constexpr long long kMaxCanvasPixels = 1LL << 27;

// A size a canvas may take: both sides within 0..kMaxCanvasSide and the
// pixel count within kMaxCanvasPixels.
inline bool CanvasSizeAllowed(int width, int height) {
  return width >= 0 && height >= 0 && width <= kMaxCanvasSide && height <= kMaxCanvasSide &&
         static_cast<long long>(width) * height <= kMaxCanvasPixels;
}

struct CanvasSurface;  // platform storage of the pixels
// Platform storage for a width × height canvas, cleared to zero; sets
// *pixels to its first pixel. Null when it cannot be had.
CanvasSurface* CreateCanvasSurface(int width, int height, Pixel** pixels);
void DestroyCanvasSurface(CanvasSurface* surface);
struct CanvasSurfaceDeleter {
  void operator()(CanvasSurface* surface) const { DestroyCanvasSurface(surface); }
};

struct Canvas {
  // Invariants: 0 <= width, height; pixels is null exactly when width or
  // height is 0; otherwise it holds width * height pixels, rows from the top,
  // and belongs to `surface`.
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::unique_ptr<CanvasSurface, CanvasSurfaceDeleter> surface;
};

bool CheckCanvasInvariants(const Canvas& canvas);

// A heap Canvas for owners that hold one by pointer (the caret backup of a
// RenderCache); DeleteCanvas fits its `destroy` slot. NewCanvas may answer null.
Canvas* NewCanvas();
void DeleteCanvas(Canvas* canvas);

// New size; the content is cleared to 0 when the size changes and kept when it
// does not. 0 x 0 releases the storage. Fails (canvas unchanged) for negative
// or oversized requests and when the storage cannot be had.
bool ResizeCanvas(Canvas& canvas, int width, int height);

// Pixel at (x, y), 0 outside the canvas.
Pixel CanvasPixelAt(const Canvas& canvas, int x, int y);

// Every operation clips to the canvas. Opacity 1 writes the colour as given
// (alpha included); lower opacities blend every channel toward it.
void ClearCanvas(Canvas& canvas, Pixel colour);
void FillCanvasRect(Canvas& canvas, int x, int y, int width, int height, Pixel colour,
                    float opacity);
void PutCanvasPixel(Canvas& canvas, int x, int y, Pixel colour, float opacity);
// Both end points are drawn. Antialiased lines share each step's coverage
// between the two pixels nearest to the ideal line.
void DrawCanvasLine(Canvas& canvas, int x1, int y1, int x2, int y2, Pixel colour, float opacity,
                    bool antialiased);
// Copies the rectangle `from` of `source` (clipped to the source) to (x, y).
// The source's alpha is not used as coverage: GDI leaves it 0 in what it draws.
void CopyCanvas(Canvas& target, int x, int y, const Canvas& source, const PixelRect& from,
                float opacity);
// Copies `from` of `source` stretched or shrunk onto `to` (nearest pixel).
void CopyCanvasScaled(Canvas& target, const PixelRect& to, const Canvas& source,
                      const PixelRect& from, float opacity);
// The same resampled smoothly: each target pixel is the mean of the source
// area it covers, so an image drawn at another scale keeps its shapes
// without doubled or dropped pixels. Pixels outside the source count as 0.
// `target` and `source` are different canvases.
void CopyCanvasSmooth(Canvas& target, const PixelRect& to, const Canvas& source,
                      const PixelRect& from, float opacity);
