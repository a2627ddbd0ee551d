#pragma once
// A monospaced stand-in for the GDI font: every cell is 7 x 13 pixels ("V"
// measures 7 x 13, so the pane's cell is 7 x 14); a printable character is a
// solid block on rows 3..9 of its cell, a space is empty. Also the pixel
// checks the drawing tests share.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display/cached_font.h"

class GridGlyphs : public GlyphSource {
 public:
  static constexpr int kWidth = 7;
  static constexpr int kHeight = 13;
  int LineHeight() const override { return kHeight; }
  bool Render(char32_t cp, Glyph* g) override {
    g->advance = kWidth;
    if (cp == U' ') return true;
    g->left = 1;
    g->top = 3;
    g->width = kWidth - 2;
    g->height = 7;
    g->coverage.assign(static_cast<size_t>(g->width) * g->height, 255);
    return true;
  }
};

inline void UseGridFont(CachedFont& font) {
  SetGlyphSource(font, std::make_unique<GridGlyphs>());
}

struct Spot { int x, y; Pixel colour; };

// Each spot's pixel; `opaque` ignores the alpha a blend leaves.
inline void ExpectSpots(const Canvas& c, const std::vector<Spot>& spots, bool opaque = false) {
  for (const Spot& s : spots)
    EXPECT_EQ(s.colour, CanvasPixelAt(c, s.x, s.y) | (opaque ? 0xFF000000u : 0u)) << s.x << "," << s.y;
}
