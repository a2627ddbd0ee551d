#include <gtest/gtest.h>

#include "display/painter_plan.h"

namespace {

TEST(PainterPlanTest, SmallWindowsBufferTheWholeClientAndTheBufferOnlyGrows) {
  const PixelRect client{0, 0, 640, 480};
  PainterPlan plan = PlanPainterBuffer(client, PixelRect{10, 10, 20, 20}, 256, 0, 0);
  EXPECT_EQ(640, plan.buffered.right);
  EXPECT_EQ(0, plan.offset_x);
  EXPECT_EQ(640, plan.buffer_width);
  EXPECT_EQ(480, plan.buffer_height);
  plan = PlanPainterBuffer(PixelRect{0, 0, 300, 200}, PixelRect{0, 0, 300, 200}, 256, 640, 480);
  EXPECT_EQ(640, plan.buffer_width);  // shrinking the window keeps the buffer
  EXPECT_EQ(480, plan.buffer_height);
  EXPECT_EQ(300, plan.buffered.right);
}

TEST(PainterPlanTest, LargeWindowsBufferOnlyThePaintRectangle) {
  const PixelRect client{0, 0, 2048, 100};
  const PainterPlan plan = PlanPainterBuffer(client, PixelRect{1000, 30, 1100, 60}, 256, 0, 0);
  EXPECT_EQ(1000, plan.offset_x);
  EXPECT_EQ(30, plan.offset_y);
  EXPECT_EQ(100, plan.buffer_width);
  EXPECT_EQ(30, plan.buffer_height);
  const PainterPlan below = PlanPainterBuffer(PixelRect{0, 0, 2047, 2047}, PixelRect{5, 5, 6, 6}, 256, 0, 0);
  EXPECT_EQ(0, below.offset_x);
  EXPECT_EQ(2047, below.buffer_width);
  // Half scale halves every coordinate.
  const PixelRect half = ScalePainterRect(PixelRect{2, 4, 100, 51}, 128);
  EXPECT_EQ(1, half.left);
  EXPECT_EQ(50, half.right);
  EXPECT_EQ(25, half.bottom);
}

}  // namespace
