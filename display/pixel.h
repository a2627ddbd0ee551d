// Pixel values and colour arithmetic shared by every drawing operation.
#pragma once

#include <cstdint>

// One canvas pixel as a 32-bit DIB stores it: 0xAARRGGBB, which is the bytes
// blue, green, red, alpha in memory.
using Pixel = uint32_t;

constexpr Pixel MakePixel(int red, int green, int blue, int alpha = 255) {
  return (static_cast<Pixel>(alpha & 0xFF) << 24) | (static_cast<Pixel>(red & 0xFF) << 16) |
         (static_cast<Pixel>(green & 0xFF) << 8) | static_cast<Pixel>(blue & 0xFF);
}
constexpr int PixelRed(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int PixelGreen(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int PixelBlue(Pixel p) { return static_cast<int>(p & 0xFF); }

// A COLORREF is 0x00BBGGRR: red and blue trade places, and the pixel is opaque.
constexpr Pixel PixelFromColorRef(uint32_t colorref) {
  return MakePixel(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                   static_cast<int>((colorref >> 16) & 0xFF));
}
constexpr uint32_t ColorRefFromPixel(Pixel p) {
  return static_cast<uint32_t>(PixelRed(p)) | (static_cast<uint32_t>(PixelGreen(p)) << 8) |
         (static_cast<uint32_t>(PixelBlue(p)) << 16);
}

// Opacity 0..1 as a weight 0..256 (out-of-range and NaN opacities are clamped;
// NaN counts as fully transparent).
int OpacityWeight(float opacity);

// dst moved toward src by weight/256, every channel alike. Weight 256 gives
// src exactly and weight 0 gives dst exactly.
Pixel BlendPixel(Pixel dst, Pixel src, int weight);
