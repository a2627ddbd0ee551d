#include <gtest/gtest.h>

#include "display/cached_font.h"

namespace {

// Every character is a solid box: 'i' is 2 wide, everything else 5 wide;
// counts how often it was asked to render.
class BoxGlyphs : public GlyphSource {
 public:
  explicit BoxGlyphs(int* renders) : renders_(renders) {}
  int LineHeight() const override { return 10; }
  bool Render(char32_t cp, Glyph* g) override {
    ++*renders_;
    if (cp == U'?') return false;
    g->advance = cp == U'i' ? 2 : 5;
    if (cp == U' ') return true;
    g->left = 0;
    g->top = 1;
    g->width = g->advance;
    g->height = 8;
    g->coverage.assign(static_cast<size_t>(g->width) * g->height, 255);
    return true;
  }

 private:
  int* renders_;
};

TEST(CachedFontTest, MeasuresLikeCalcRect) {
  int renders = 0;
  CachedFont font;
  PixelRect r{10, 20, 10, 20};
  Canvas none;
  EXPECT_EQ(0, DrawUtf8Text(font, none, "V", -1, &r, kTextCalcRect));  // no font yet
  SetGlyphSource(font, std::make_unique<BoxGlyphs>(&renders));
  EXPECT_EQ(10, DrawUtf8Text(font, none, "Vii", -1, &r, kTextCalcRect));
  EXPECT_EQ(10 + 9, r.right);
  EXPECT_EQ(30, r.bottom);
  // Length limits the bytes; lines break at LF, CR LF and CR; the widest wins.
  r = PixelRect{0, 0, 0, 0};
  EXPECT_EQ(30, DrawUtf8Text(font, none, "ab\r\nc\rdddd\nignored", 10, &r, kTextCalcRect));
  EXPECT_EQ(20, r.right);
  r = PixelRect{0, 0, 0, 0};
  EXPECT_EQ(10, DrawUtf8Text(font, none, "a\nb", -1, &r, kTextCalcRect | kTextSingleLine));
  // "&" is an ordinary character; unrenderable ones take no room.
  r = PixelRect{0, 0, 0, 0};
  DrawUtf8Text(font, none, "a&&b?", -1, &r, kTextCalcRect);
  EXPECT_EQ(20, r.right);
  // Each code point is rendered once and then served from the cache.
  const int before = renders;
  DrawUtf8Text(font, none, "a&b?Vi", -1, &r, kTextCalcRect);
  EXPECT_EQ(before, renders);
}

TEST(CachedFontTest, DrawsGlyphsTransparentOrOpaqueWithinTheRectangle) {
  int renders = 0;
  CachedFont font;
  SetGlyphSource(font, std::make_unique<BoxGlyphs>(&renders));
  Canvas c;
  ASSERT_TRUE(ResizeCanvas(c, 40, 20));
  const Pixel bg = MakePixel(48, 25, 52);
  ClearCanvas(c, bg);
  SetBackgroundMode(font, kBackgroundTransparent);
  SetTextColour(font, MakePixel(192, 192, 192));
  PixelRect r{2, 3, 40, 20};
  EXPECT_EQ(10, DrawUtf8Text(font, c, "a b", -1, &r, 0));
  EXPECT_EQ(MakePixel(192, 192, 192), CanvasPixelAt(c, 2, 4));
  EXPECT_EQ(bg, CanvasPixelAt(c, 2, 3));   // glyph top is 1 below the line top
  EXPECT_EQ(bg, CanvasPixelAt(c, 8, 6));   // the space
  EXPECT_EQ(MakePixel(192, 192, 192), CanvasPixelAt(c, 12, 6));
  EXPECT_EQ(bg, CanvasPixelAt(c, 17, 6));
  // Opaque mode fills the line box; half opacity text blends.
  ClearCanvas(c, bg);
  SetBackgroundMode(font, kBackgroundOpaque);
  SetBackgroundColour(font, MakePixel(0, 0, 0));
  SetTextColour(font, MakePixel(200, 0, 0), 0.5f);
  r = PixelRect{0, 0, 40, 20};
  DrawUtf8Text(font, c, " a", -1, &r, 0);
  EXPECT_EQ(MakePixel(0, 0, 0), CanvasPixelAt(c, 2, 0));
  EXPECT_EQ(MakePixel(100, 0, 0), CanvasPixelAt(c, 6, 4));
  EXPECT_EQ(bg, CanvasPixelAt(c, 10, 4));
  // Clipped to the rectangle unless told otherwise; right alignment.
  ClearCanvas(c, bg);
  SetBackgroundMode(font, kBackgroundTransparent);
  SetTextColour(font, MakePixel(255, 255, 255));
  r = PixelRect{0, 0, 7, 20};
  DrawUtf8Text(font, c, "ab", -1, &r, 0);
  EXPECT_EQ(MakePixel(255, 255, 255), CanvasPixelAt(c, 6, 4));
  EXPECT_EQ(bg, CanvasPixelAt(c, 7, 4));
  DrawUtf8Text(font, c, "ab", -1, &r, kTextNoClip);
  EXPECT_EQ(MakePixel(255, 255, 255), CanvasPixelAt(c, 9, 4));
  ClearCanvas(c, bg);
  r = PixelRect{0, 0, 40, 20};
  DrawUtf8Text(font, c, "a", -1, &r, kTextRight | kTextSingleLine | kTextVCenter);
  EXPECT_EQ(MakePixel(255, 255, 255), CanvasPixelAt(c, 39, 6));
  EXPECT_EQ(bg, CanvasPixelAt(c, 34, 6));
  EXPECT_EQ(bg, CanvasPixelAt(c, 39, 5));
  // Text off the canvas is clipped safely.
  r = PixelRect{-100, -100, 1000, 1000};
  DrawUtf8Text(font, c, "abc\nabc\nabc", -1, &r, kTextNoClip);
}

}  // namespace
