#include <gtest/gtest.h>

#include "display/view_scroll.h"
#include "engine/render_cache.h"

namespace {

TEST(ViewScroll, KeysMoveTheViewOneLineWhileTheCaretRowStaysInsideTheMargins) {
  RenderCache cache;
  cache.top_line = 1;
  cache.caret_row = 3;
  cache.bottom_margin = 10;
  cache.top_margin = 5;
  cache.rows = 20;
  cache.line_count = 100;
  cache.dirty = 0;
  EXPECT_TRUE(ScrollViewUp(&cache));
  EXPECT_EQ(cache.top_line, 0);
  EXPECT_EQ(cache.caret_row, 4);
  EXPECT_EQ(cache.dirty, 1);
  EXPECT_FALSE(ScrollViewUp(&cache));  // already at the top
  EXPECT_FALSE(ScrollViewDown(&cache));  // caret row not below top_margin
  cache.caret_row = 6;
  EXPECT_TRUE(ScrollViewDown(&cache));
  EXPECT_EQ(cache.top_line, 1);
  EXPECT_EQ(cache.caret_row, 5);
  EXPECT_FALSE(ScrollViewDown(nullptr));
}

TEST(ViewScroll, ScrollbarAndSearchDetachTheView) {
  RenderCache c;
  c.caret_row = 7;
  c.dirty = 0;
  ScrollViewTo(&c, 13, true);
  EXPECT_EQ(-1, c.caret_row);
  EXPECT_EQ(13, c.top_line);
  EXPECT_TRUE(c.dirty);
  c.caret_row = 4;
  ScrollViewTo(&c, 16, false);  // while dragging the caret stays attached
  EXPECT_EQ(4, c.caret_row);
  DetachView(&c);
  EXPECT_EQ(-1, c.caret_row);
  DetachView(nullptr);
}

}  // namespace
