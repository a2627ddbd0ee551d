#include "display/pixel.h"

#include <algorithm>

int OpacityWeight(float opacity) {
  if (!(opacity > 0.0f)) return 0;  // also catches NaN
  return static_cast<int>(std::min(opacity, 1.0f) * 256.0f + 0.5f);
}

Pixel BlendPixel(Pixel dst, Pixel src, int weight) {
  if (weight >= 256) return src;
  if (weight <= 0) return dst;
  Pixel out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int d = static_cast<int>((dst >> shift) & 0xFF);
    const int s = static_cast<int>((src >> shift) & 0xFF);
    const int mixed = (s * weight + d * (256 - weight) + 128) >> 8;
    out |= static_cast<Pixel>(mixed) << shift;
  }
  return out;
}
