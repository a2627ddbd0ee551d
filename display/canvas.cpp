#include "display/canvas.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace {

// The part of [x, x + w) x [y, y + h) that lies on the canvas.
bool ClipToCanvas(const Canvas& canvas, PixelRect* r) {
  r->left = std::max(r->left, 0);
  r->top = std::max(r->top, 0);
  r->right = std::min(r->right, canvas.width);
  r->bottom = std::min(r->bottom, canvas.height);
  return r->left < r->right && r->top < r->bottom;
}

PixelRect RectAt(int x, int y, int width, int height) {
  // Computed in 64 bits so huge sizes cannot wrap.
  const long long right = std::min<long long>(static_cast<long long>(x) + width, kMaxCanvasSide + 1);
  const long long bottom = std::min<long long>(static_cast<long long>(y) + height, kMaxCanvasSide + 1);
  return PixelRect{x, y, static_cast<int>(right), static_cast<int>(bottom)};
}

// The source pixels one target pixel covers along an axis: from `first` on,
// with the share of the target pixel each covers (the shares add up to 1).
struct Coverage {
  int first = 0;
  std::vector<float> shares;
};

std::vector<Coverage> AxisCoverage(int from_start, int from_length, int to_length) {
  std::vector<Coverage> axis(static_cast<size_t>(to_length));
  const double ratio = static_cast<double>(from_length) / to_length;
  for (int t = 0; t < to_length; ++t) {
    const double start = t * ratio, end = start + ratio;
    const int first = static_cast<int>(std::floor(start));
    const int last = std::min(static_cast<int>(std::ceil(end)), from_length);
    Coverage& c = axis[static_cast<size_t>(t)];
    c.first = from_start + first;
    for (int s = first; s < last; ++s)
      c.shares.push_back(static_cast<float>((std::min(end, s + 1.0) - std::max(start, 1.0 * s)) / ratio));
  }
  return axis;
}

}  // namespace

bool CheckCanvasInvariants(const Canvas& canvas) {
  if (canvas.width < 0 || canvas.height < 0) return false;
  const bool empty = canvas.width == 0 || canvas.height == 0;
  if (empty) return canvas.pixels == nullptr;
  return canvas.pixels != nullptr && canvas.surface != nullptr;
}

Canvas* NewCanvas() { return new (std::nothrow) Canvas; }

void DeleteCanvas(Canvas* canvas) { delete canvas; }

Pixel CanvasPixelAt(const Canvas& canvas, int x, int y) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return 0;
  return canvas.pixels[static_cast<long long>(y) * canvas.width + x];
}

void ClearCanvas(Canvas& canvas, Pixel colour) {
  if (!canvas.pixels) return;
  std::fill(canvas.pixels, canvas.pixels + static_cast<long long>(canvas.width) * canvas.height,
            colour);
}

void FillCanvasRect(Canvas& canvas, int x, int y, int width, int height, Pixel colour,
                    float opacity) {
  if (width <= 0 || height <= 0) return;
  PixelRect r = RectAt(x, y, width, height);
  const int weight = OpacityWeight(opacity);
  if (weight == 0 || !ClipToCanvas(canvas, &r)) return;
  for (int row = r.top; row < r.bottom; ++row) {
    Pixel* line = canvas.pixels + static_cast<long long>(row) * canvas.width;
    for (int col = r.left; col < r.right; ++col) line[col] = BlendPixel(line[col], colour, weight);
  }
}

void PutCanvasPixel(Canvas& canvas, int x, int y, Pixel colour, float opacity) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
  Pixel& p = canvas.pixels[static_cast<long long>(y) * canvas.width + x];
  p = BlendPixel(p, colour, OpacityWeight(opacity));
}

void CopyCanvas(Canvas& target, int x, int y, const Canvas& source, const PixelRect& from,
                float opacity) {
  PixelRect src = from;
  if (!ClipToCanvas(source, &src)) return;
  // Keep the destination aligned with the clipped source.
  x += src.left - from.left;
  y += src.top - from.top;
  CopyCanvasScaled(target, RectAt(x, y, RectWidth(src), RectHeight(src)), source, src, opacity);
}

void CopyCanvasScaled(Canvas& target, const PixelRect& to, const Canvas& source,
                      const PixelRect& from, float opacity) {
  const int dw = RectWidth(to), dh = RectHeight(to);
  const int sw = RectWidth(from), sh = RectHeight(from);
  const int weight = OpacityWeight(opacity);
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || weight == 0) return;
  PixelRect clipped = to;
  if (!ClipToCanvas(target, &clipped)) return;
  // A copy within one canvas reads from a snapshot so overlapping areas stay right.
  std::vector<Pixel> snapshot;
  const Pixel* src_pixels = source.pixels;
  if (&target == &source) {
    snapshot.assign(source.pixels, source.pixels + static_cast<long long>(source.width) * source.height);
    src_pixels = snapshot.data();
  }
  for (int row = clipped.top; row < clipped.bottom; ++row) {
    // Sample at the centre of each target pixel.
    const long long sy = from.top + ((2LL * (row - to.top) + 1) * sh) / (2LL * dh);
    if (sy < 0 || sy >= source.height) continue;
    Pixel* out = target.pixels + static_cast<long long>(row) * target.width;
    const Pixel* in = src_pixels + sy * source.width;
    for (int col = clipped.left; col < clipped.right; ++col) {
      const long long sx = from.left + ((2LL * (col - to.left) + 1) * sw) / (2LL * dw);
      if (sx < 0 || sx >= source.width) continue;
      out[col] = BlendPixel(out[col], in[sx], weight);
    }
  }
}

void CopyCanvasSmooth(Canvas& target, const PixelRect& to, const Canvas& source,
                      const PixelRect& from, float opacity) {
  const int dw = RectWidth(to), dh = RectHeight(to);
  const int sw = RectWidth(from), sh = RectHeight(from);
  const int weight = OpacityWeight(opacity);
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || weight == 0) return;
  PixelRect clipped = to;
  if (!ClipToCanvas(target, &clipped)) return;
  const std::vector<Coverage> xs = AxisCoverage(from.left, sw, dw);
  const std::vector<Coverage> ys = AxisCoverage(from.top, sh, dh);
  for (int row = clipped.top; row < clipped.bottom; ++row) {
    const Coverage& cy = ys[static_cast<size_t>(row - to.top)];
    Pixel* out = target.pixels + static_cast<long long>(row) * target.width;
    for (int col = clipped.left; col < clipped.right; ++col) {
      const Coverage& cx = xs[static_cast<size_t>(col - to.left)];
      float sum[4] = {0, 0, 0, 0};  // alpha, red, green, blue
      for (size_t j = 0; j < cy.shares.size(); ++j) {
        for (size_t i = 0; i < cx.shares.size(); ++i) {
          const Pixel p = CanvasPixelAt(source, cx.first + static_cast<int>(i), cy.first + static_cast<int>(j));
          const float share = cx.shares[i] * cy.shares[j];
          for (int k = 0; k < 4; ++k) sum[k] += share * static_cast<float>((p >> (24 - 8 * k)) & 0xFF);
        }
      }
      auto channel = [&](int k) { return static_cast<int>(std::lround(std::min(sum[k], 255.0f))); };
      out[col] = BlendPixel(out[col], MakePixel(channel(1), channel(2), channel(3), channel(0)), weight);
    }
  }
}

bool ResizeCanvas(Canvas& canvas, int width, int height) {
  if (!CanvasSizeAllowed(width, height)) return false;
  if (width == canvas.width && height == canvas.height) return true;
  if (static_cast<long long>(width) * height == 0) {
    canvas.surface.reset();
    canvas.pixels = nullptr;
  } else {
    Pixel* pixels = nullptr;
    CanvasSurface* fresh = CreateCanvasSurface(width, height, &pixels);
    if (!fresh) return false;
    canvas.surface.reset(fresh);
    canvas.pixels = pixels;
  }
  canvas.width = width;
  canvas.height = height;
  return true;
}
