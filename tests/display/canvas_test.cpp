#include <gtest/gtest.h>

#include "display/canvas.h"

namespace {

const Pixel kBlack = MakePixel(0, 0, 0);
const Pixel kWhite = MakePixel(255, 255, 255);

Canvas MakeCanvas(int w, int h, Pixel colour) {
  Canvas c;
  EXPECT_TRUE(ResizeCanvas(c, w, h));
  ClearCanvas(c, colour);
  return c;
}

TEST(PixelTest, ColourConversionAndBlending) {
  EXPECT_EQ(MakePixel(25, 25, 25), PixelFromColorRef(0x191919));
  // The preferences window's yellow: COLORREF 0x80FFFF is (255,255,128).
  EXPECT_EQ(MakePixel(255, 255, 128), PixelFromColorRef(0x80FFFF));
  EXPECT_EQ(0x80FFFFu, ColorRefFromPixel(MakePixel(255, 255, 128)));
  EXPECT_EQ(kWhite, BlendPixel(kBlack, kWhite, OpacityWeight(1.0f)));
  EXPECT_EQ(kBlack, BlendPixel(kBlack, kWhite, OpacityWeight(0.0f)));
  EXPECT_EQ(0, OpacityWeight(-3.0f));
  EXPECT_EQ(256, OpacityWeight(7.0f));
  // 0.6 of (128,128,255) over black.
  const Pixel mixed = BlendPixel(kBlack, MakePixel(128, 128, 255), OpacityWeight(0.6f));
  EXPECT_EQ(77, PixelRed(mixed));
  EXPECT_EQ(153, PixelBlue(mixed));
}

TEST(CanvasTest, ResizeKeepsInvariantsAndRejectsBadSizes) {
  Canvas c;
  EXPECT_TRUE(CheckCanvasInvariants(c));
  ASSERT_TRUE(ResizeCanvas(c, 4, 3));
  EXPECT_TRUE(CheckCanvasInvariants(c));
  EXPECT_EQ(0u, CanvasPixelAt(c, 3, 2));
  ClearCanvas(c, kWhite);
  ASSERT_TRUE(ResizeCanvas(c, 4, 3));  // same size keeps the content
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 1, 1));
  EXPECT_FALSE(ResizeCanvas(c, -1, 5));
  EXPECT_FALSE(ResizeCanvas(c, kMaxCanvasSide + 1, 1));
  EXPECT_FALSE(ResizeCanvas(c, 30000, 30000));
  EXPECT_EQ(4, c.width);
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 1, 1));
  ASSERT_TRUE(ResizeCanvas(c, 0, 7));
  EXPECT_EQ(nullptr, c.pixels);
  EXPECT_TRUE(CheckCanvasInvariants(c));
  // Drawing on an empty canvas is harmless.
  ClearCanvas(c, kWhite);
  FillCanvasRect(c, 0, 0, 5, 5, kWhite, 1.0f);
  DrawCanvasLine(c, 0, 0, 9, 9, kWhite, 1.0f, true);
  // A heap canvas, as a render cache's caret backup holds it.
  Canvas* backup = NewCanvas();
  ASSERT_NE(nullptr, backup);
  ASSERT_TRUE(ResizeCanvas(*backup, 8, 14));
  DeleteCanvas(backup);  // storage freed with it (ASan would notice a leak)
  DeleteCanvas(nullptr);
}

TEST(CanvasTest, FillAndPutPixelClipAndBlend) {
  Canvas c = MakeCanvas(10, 8, kBlack);
  FillCanvasRect(c, -5, 6, 100, 100, kWhite, 1.0f);
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 0, 6));
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 9, 7));
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 9, 5));
  FillCanvasRect(c, 2, 2, 2, 2, MakePixel(200, 100, 0), 0.5f);
  EXPECT_EQ(MakePixel(100, 50, 0), CanvasPixelAt(c, 3, 3));
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 4, 3));
  FillCanvasRect(c, 2147483000, 0, 2147483000, 3, kWhite, 1.0f);  // no overflow
  PutCanvasPixel(c, -1, 0, kWhite, 1.0f);
  PutCanvasPixel(c, 10, 0, kWhite, 1.0f);
  PutCanvasPixel(c, 5, 0, kWhite, 1.0f);
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 5, 0));
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 4, 0));
}

TEST(CanvasTest, LinesHardAndAntialiased) {
  Canvas c = MakeCanvas(20, 20, kBlack);
  // Axis-aligned antialiased lines are crisp and include both ends.
  DrawCanvasLine(c, 2, 5, 12, 5, kWhite, 1.0f, true);
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 2, 5));
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 12, 5));
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 13, 5));
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 7, 6));
  DrawCanvasLine(c, 15, 19, 15, 1000000, kWhite, 1.0f, true);  // far end off the canvas
  EXPECT_EQ(kWhite, CanvasPixelAt(c, 15, 19));
  // A hard diagonal lights exactly the diagonal.
  Canvas d = MakeCanvas(10, 10, kBlack);
  DrawCanvasLine(d, 9, 9, 0, 0, kWhite, 1.0f, false);
  int lit = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) lit += CanvasPixelAt(d, x, y) == kWhite;
  EXPECT_EQ(10, lit);
  EXPECT_EQ(kWhite, CanvasPixelAt(d, 4, 4));
  // A shallow antialiased line splits coverage between two rows.
  Canvas e = MakeCanvas(10, 10, kBlack);
  DrawCanvasLine(e, 0, 0, 4, 2, kWhite, 1.0f, true);  // y = 0.5 at x = 1
  EXPECT_EQ(PixelRed(CanvasPixelAt(e, 1, 0)), PixelRed(CanvasPixelAt(e, 1, 1)));
  EXPECT_GT(PixelRed(CanvasPixelAt(e, 1, 0)), 100);
  EXPECT_LT(PixelRed(CanvasPixelAt(e, 1, 0)), 160);
}

TEST(CanvasTest, CopyAndScaledCopy) {
  Canvas src = MakeCanvas(4, 4, kBlack);
  PutCanvasPixel(src, 1, 1, kWhite, 1.0f);
  Canvas dst = MakeCanvas(8, 8, MakePixel(10, 10, 10));
  CopyCanvas(dst, 5, 5, src, PixelRect{0, 0, 4, 4}, 1.0f);
  EXPECT_EQ(kWhite, CanvasPixelAt(dst, 6, 6));
  EXPECT_EQ(kBlack, CanvasPixelAt(dst, 7, 7));
  EXPECT_EQ(MakePixel(10, 10, 10), CanvasPixelAt(dst, 4, 4));
  // A source rectangle hanging off the source keeps its alignment.
  Canvas dst2 = MakeCanvas(8, 8, MakePixel(10, 10, 10));
  CopyCanvas(dst2, 0, 0, src, PixelRect{-1, -1, 3, 3}, 1.0f);
  EXPECT_EQ(kWhite, CanvasPixelAt(dst2, 2, 2));
  EXPECT_EQ(MakePixel(10, 10, 10), CanvasPixelAt(dst2, 0, 0));
  // Scaling 4x4 up to 8x8 turns the lit pixel into a 2x2 block.
  Canvas big = MakeCanvas(8, 8, MakePixel(10, 10, 10));
  CopyCanvasScaled(big, PixelRect{0, 0, 8, 8}, src, PixelRect{0, 0, 4, 4}, 1.0f);
  EXPECT_EQ(kWhite, CanvasPixelAt(big, 2, 2));
  EXPECT_EQ(kWhite, CanvasPixelAt(big, 3, 3));
  EXPECT_EQ(kBlack, CanvasPixelAt(big, 4, 3));
  EXPECT_EQ(kBlack, CanvasPixelAt(big, 1, 2));
  // Half opacity, and an overlapping copy within one canvas.
  Canvas self = MakeCanvas(6, 1, kBlack);
  for (int x = 0; x < 6; ++x) PutCanvasPixel(self, x, 0, MakePixel(x * 10, 0, 0), 1.0f);
  CopyCanvas(self, 1, 0, self, PixelRect{0, 0, 5, 1}, 1.0f);
  for (int x = 1; x < 6; ++x) EXPECT_EQ((x - 1) * 10, PixelRed(CanvasPixelAt(self, x, 0)));
  CopyCanvas(dst, 0, 0, big, PixelRect{2, 2, 3, 3}, 0.5f);
  EXPECT_EQ(133, PixelRed(CanvasPixelAt(dst, 0, 0)));
}

}  // namespace
