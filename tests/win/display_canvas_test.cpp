// Canvas and CachedFont against real GDI.
#include <windows.h>

#include <gtest/gtest.h>

#include "display/cached_font_win32.h"
#include "display/canvas_win32.h"

namespace {

const Pixel kBlack = MakePixel(0, 0, 0);

TEST(DisplayCanvasWin, GdiAndThePixelArrayShareOneBitmap) {
  Canvas c;
  ASSERT_TRUE(ResizeCanvas(c, 16, 8));
  ASSERT_NE(nullptr, CanvasDc(c));
  ClearCanvas(c, kBlack);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  RECT r = {2, 1, 5, 3};
  FillRect(CanvasDc(c), &r, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(0x000A141Eu, CanvasPixelAt(c, 2, 1) & 0xFFFFFF);  // top-down rows
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 5, 1));
  PutCanvasPixel(c, 7, 6, MakePixel(1, 2, 3), 1.0f);
  EXPECT_EQ(RGB(1, 2, 3), GetPixel(CanvasDc(c), 7, 6));
  // A canvas is a BitBlt source for another one.
  Canvas copy;
  ASSERT_TRUE(ResizeCanvas(copy, 16, 8));
  BitBlt(CanvasDc(copy), 0, 0, 16, 8, CanvasDc(c), 0, 0, SRCCOPY);
  GdiFlush();
  EXPECT_EQ(MakePixel(1, 2, 3) & 0xFFFFFF, CanvasPixelAt(copy, 7, 6) & 0xFFFFFF);
  ASSERT_TRUE(ResizeCanvas(c, 0, 0));
  EXPECT_EQ(nullptr, CanvasDc(c));
}

TEST(DisplayCanvasWin, EditorFontMeasuresAndDrawsUtf8) {
  CachedFont font;
  ASSERT_TRUE(SetCachedFontHandle(font, CreateEditorFont(), true));
  Canvas none;
  PixelRect cell{0, 0, 0, 0};
  const int height = DrawUtf8Text(font, none, "V", 1, &cell, kTextCalcRect);
  EXPECT_GE(height, 12);
  EXPECT_LE(height, 20);
  EXPECT_EQ(height, cell.bottom);
  EXPECT_GT(cell.right, 4);
  // Monospaced: ten characters, Greek included, are ten cells wide.
  PixelRect line{0, 0, 0, 0};
  DrawUtf8Text(font, none, "\xCE\x93\xCE\xBD\xE1\xBF\xB6\xCE\xB8\xCE\xB9 abcd", -1, &line,
               kTextCalcRect);
  EXPECT_EQ(10 * cell.right, line.right);

  Canvas c;
  ASSERT_TRUE(ResizeCanvas(c, 60, 30));
  const Pixel bg = MakePixel(48, 25, 52);
  ClearCanvas(c, bg);
  SetBackgroundMode(font, kBackgroundTransparent);
  SetTextColour(font, MakePixel(255, 255, 255));
  PixelRect box{10, 5, 10 + cell.right, 5 + height};
  DrawUtf8Text(font, c, "W", -1, &box, 0);
  int lit = 0, outside = 0;  // pixels other than the background
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      if (CanvasPixelAt(c, x, y) != bg)
        ++(x >= box.left && x < box.right && y >= box.top && y < box.bottom ? lit : outside);
  EXPECT_GT(lit, 10);
  EXPECT_EQ(0, outside);
  // Replacing the font drops the cached glyphs.
  EXPECT_FALSE(font.glyphs.empty());
  ASSERT_TRUE(SetCachedFontHandle(font, CreateEditorFont(), true));
  EXPECT_TRUE(font.glyphs.empty());
}

}  // namespace
