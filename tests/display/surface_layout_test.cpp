#include <gtest/gtest.h>

#include <random>
#include <string>

#include "display/surface_layout.h"
#include "engine/document.h"

namespace {

// A pane of 30 rows of 7 x 14 cells, 100 columns, over `lines` lines.
void SetPane(RenderCache& c, int32_t lines) {
  EXPECT_TRUE(StoreMetrics(c, 7, 14, 7 * 107, 14 * 30, lines));
}

// One layout after the caret moved to (line, column).
void MoveTo(RenderCache& c, int32_t line, int32_t column = 0) {
  FollowVertically(c, line, column);
  FollowHorizontally(c, column);
  c.last_caret_line = line;
  c.last_caret_column = column;
  std::string why;
  EXPECT_TRUE(CheckLayoutInvariants(c, line, column, &why)) << why << " at " << line << ":" << column;
}

TEST(SurfaceLayout, MetricsAndTheZeroCellGuard) {
  RenderCache c;
  SetPane(c, 1000);
  EXPECT_EQ(30, c.rows);
  EXPECT_EQ(107 - 7, c.columns);  // the cell width in pixels comes off the count
  EXPECT_EQ(5, c.top_margin);
  EXPECT_EQ(27, c.bottom_margin);
  EXPECT_EQ(22, c.page_step);
  EXPECT_EQ(1000, c.line_count);
  RenderCache z;
  EXPECT_FALSE(StoreMetrics(z, 0, 14, 700, 420, 5));
  EXPECT_FALSE(StoreMetrics(z, 7, 0, 700, 420, 5));
  EXPECT_EQ(0, z.rows);
  EXPECT_EQ(0, z.line_count);
}

TEST(SurfaceLayout, FullLayoutConditions) {
  Document doc;
  RenderCache c;
  SetPane(c, 10);
  c.last_line_count = 10;
  c.dirty = 0;
  EXPECT_FALSE(NeedsFullLayout(c, doc));
  c.dirty = 1;
  EXPECT_TRUE(NeedsFullLayout(c, doc));
  c.dirty = 0;
  doc.caret_column = 1;
  EXPECT_TRUE(NeedsFullLayout(c, doc));
  doc.caret_column = 0;
  doc.caret_line = 2;
  EXPECT_TRUE(NeedsFullLayout(c, doc));
  doc.caret_line = 0;
  c.last_has_selection = 1;
  EXPECT_TRUE(NeedsFullLayout(c, doc));
  c.last_has_selection = 0;
  doc.has_selection = 1;
  EXPECT_TRUE(NeedsFullLayout(c, doc));
  doc.has_selection = 0;
  c.last_line_count = -1;
  EXPECT_TRUE(NeedsFullLayout(c, doc));
}

TEST(SurfaceLayout, ShortDocumentNeverScrolls) {
  RenderCache c;
  SetPane(c, 20);
  for (int32_t line : {0, 7, 19, 3}) {
    MoveTo(c, line);
    EXPECT_EQ(0, c.top_line);
    EXPECT_EQ(line, c.caret_row);
  }
}

TEST(SurfaceLayout, ScrollsAtRowsMinusThreeDownAndRowFiveUp) {
  RenderCache c;
  SetPane(c, 1000);
  for (int32_t line = 1; line <= 27; ++line) {
    MoveTo(c, line);
    EXPECT_EQ(0, c.top_line) << line;
    EXPECT_EQ(line, c.caret_row);
  }
  MoveTo(c, 28);
  EXPECT_EQ(27, c.caret_row);
  EXPECT_EQ(1, c.top_line);
  for (int32_t line = 29; line <= 100; ++line) MoveTo(c, line);
  EXPECT_EQ(27, c.caret_row);
  EXPECT_EQ(73, c.top_line);
  // Going up the caret row falls to 5 before the text moves.
  for (int32_t line = 99; line >= 78; --line) MoveTo(c, line);
  EXPECT_EQ(5, c.caret_row);
  EXPECT_EQ(73, c.top_line);
  MoveTo(c, 77);
  EXPECT_EQ(5, c.caret_row);
  EXPECT_EQ(72, c.top_line);
  // A jump to the top of the text.
  MoveTo(c, 2);
  EXPECT_EQ(2, c.caret_row);
  EXPECT_EQ(0, c.top_line);
  // A page jump down is clamped to the bottom margin.
  MoveTo(c, 500);
  EXPECT_EQ(27, c.caret_row);
  EXPECT_EQ(473, c.top_line);
}

TEST(SurfaceLayout, LastThreeLinesShowTheLastPage) {
  RenderCache c;
  SetPane(c, 1000);
  MoveTo(c, 990);
  MoveTo(c, 998);
  EXPECT_EQ(970, c.top_line);
  EXPECT_EQ(28, c.caret_row);
  MoveTo(c, 999);
  EXPECT_EQ(970, c.top_line);
  EXPECT_EQ(29, c.caret_row);
  // A layout without a caret move keeps the last page.
  MoveTo(c, 999);
  EXPECT_EQ(970, c.top_line);
}

TEST(SurfaceLayout, CaretRowMatchesCaretLineJustAboveOnePage) {
  for (int32_t extra : {1, 2}) {
    RenderCache c;
  SetPane(c, 30 + extra);
    for (int32_t line = 1; line <= 29 + extra; ++line) {
      MoveTo(c, line);
      EXPECT_EQ(line, c.top_line + c.caret_row) << extra << " " << line;
      EXPECT_GE(c.top_line, 0);
      EXPECT_LE(c.top_line, extra);
      EXPECT_LT(c.caret_row, 30);
    }
    for (int32_t line = 28 + extra; line >= 0; --line) {
      MoveTo(c, line);
      EXPECT_EQ(line, c.top_line + c.caret_row) << extra << " " << line;
    }
  }
}

TEST(SurfaceLayout, DetachedViewReattachesWhenTheCaretMoves) {
  RenderCache c;
  SetPane(c, 1000);
  MoveTo(c, 100);
  c.caret_row = -1;  // the wheel scrolled the view away
  c.top_line = 400;
  MoveTo(c, 100);  // no caret move: the view stays where it was scrolled
  EXPECT_EQ(-1, c.caret_row);
  EXPECT_EQ(400, c.top_line);
  // A click on row 12 puts the caret there without moving the text.
  c.click_row = 12;
  c.click_column = 4;
  MoveTo(c, 412);
  EXPECT_EQ(12, c.caret_row);
  EXPECT_EQ(400, c.top_line);
  EXPECT_EQ(12, c.click_row);  // still there for the release of that click
  EXPECT_EQ(4, c.click_column);
  // A keyboard move from a detached view: row 5, or the last page.
  c.caret_row = -1;
  MoveTo(c, 413);
  EXPECT_EQ(5, c.caret_row);
  EXPECT_EQ(408, c.top_line);
  c.caret_row = -1;
  MoveTo(c, 990);
  EXPECT_EQ(970, c.top_line);
  EXPECT_EQ(20, c.caret_row);
  // High on that last page a step down keeps the caret on its line.
  c.caret_row = -1;
  MoveTo(c, 972);
  EXPECT_EQ(2, c.caret_row);
  MoveTo(c, 973);
  EXPECT_EQ(5, c.caret_row);
  EXPECT_EQ(968, c.top_line);
  c.caret_row = -1;
  MoveTo(c, 3);
  EXPECT_EQ(3, c.caret_row);
  EXPECT_EQ(0, c.top_line);
}

TEST(SurfaceLayout, HorizontalFollowScrollsPastTheLastColumn) {
  RenderCache c;
  SetPane(c, 10);
  for (int32_t col = 1; col <= 100; ++col) MoveTo(c, 0, col);
  EXPECT_EQ(0, c.scroll_x);
  EXPECT_EQ(100, c.caret_cell_column);
  MoveTo(c, 0, 101);
  EXPECT_EQ(-7, c.scroll_x);
  EXPECT_EQ(100, c.caret_cell_column);
  MoveTo(c, 0, 150);
  EXPECT_EQ(-50 * 7, c.scroll_x);
  EXPECT_EQ(100, c.caret_cell_column);
  // Back to the left: the caret walks to cell 3, then the text follows.
  MoveTo(c, 0, 53);
  EXPECT_EQ(3, c.caret_cell_column);
  EXPECT_EQ(-50 * 7, c.scroll_x);
  MoveTo(c, 0, 50);
  EXPECT_EQ(3, c.caret_cell_column);
  EXPECT_EQ(-47 * 7, c.scroll_x);
  MoveTo(c, 0, 2);  // Home-like jump
  EXPECT_EQ(0, c.scroll_x);
  EXPECT_EQ(2, c.caret_cell_column);
  // A jump left from the middle below cell 3 re-scrolls for the column.
  MoveTo(c, 0, 120);
  EXPECT_EQ(-20 * 7, c.scroll_x);
  MoveTo(c, 0, 10);
  EXPECT_EQ(0, c.scroll_x);
  EXPECT_EQ(10, c.caret_cell_column);
  // A far jump left that stays past the last column keeps the caret in view.
  MoveTo(c, 0, 250);
  MoveTo(c, 0, 120);
  EXPECT_EQ(-20 * 7, c.scroll_x);
  EXPECT_EQ(100, c.caret_cell_column);
}

TEST(SurfaceLayout, SelectionRectangles) {
  RenderCache c;
  SetPane(c, 100);
  c.top_line = 10;
  Document doc;
  doc.anchor_line = 11;
  doc.anchor_column = 4;
  doc.sel_caret_line = 14;
  doc.sel_caret_column = 2;
  const SelectionEnds e = SelectionPixels(c, doc);
  EXPECT_EQ(4 * 7 + 5, e.x_a);
  EXPECT_EQ(14, e.y_a);
  EXPECT_EQ(2 * 7 + 5, e.x_c);
  EXPECT_EQ(56, e.y_c);
  std::vector<PixelRect> r = SelectionRects(c, e, 700, 420);
  ASSERT_EQ(4u, r.size());
  EXPECT_EQ(33, r[0].left);
  EXPECT_EQ(700, r[0].right);
  EXPECT_EQ(14, r[0].top);
  EXPECT_EQ(27, r[0].bottom);  // cell_height - 1 high
  EXPECT_EQ(5, r[1].left);
  EXPECT_EQ(28, r[1].top);
  EXPECT_EQ(42, r[2].top);
  EXPECT_EQ(705, r[2].right);
  EXPECT_EQ(5, r[3].left);
  EXPECT_EQ(19, r[3].right);
  EXPECT_EQ(56, r[3].top);
  // Reversed ends give the same rectangles.
  std::swap(doc.anchor_line, doc.sel_caret_line);
  std::swap(doc.anchor_column, doc.sel_caret_column);
  std::vector<PixelRect> back = SelectionRects(c, SelectionPixels(c, doc), 700, 420);
  ASSERT_EQ(4u, back.size());
  EXPECT_EQ(33, back[0].left);
  EXPECT_EQ(19, back[3].right);
  // One row: from the smaller x; empty when both ends meet.
  doc.anchor_line = doc.sel_caret_line = 12;
  doc.anchor_column = 9;
  doc.sel_caret_column = 3;
  r = SelectionRects(c, SelectionPixels(c, doc), 700, 420);
  ASSERT_EQ(1u, r.size());
  EXPECT_EQ(26, r[0].left);
  EXPECT_EQ(68, r[0].right);
  doc.anchor_column = 3;
  EXPECT_TRUE(SelectionRects(c, SelectionPixels(c, doc), 700, 420).empty());
  // Scrolled text shifts both ends; a selection of many lines stops at the client.
  c.scroll_x = -70;
  doc.anchor_line = 0;
  doc.sel_caret_line = 100000;
  doc.sel_caret_column = 20;
  const SelectionEnds far = SelectionPixels(c, doc);
  EXPECT_EQ(3 * 7 + 5 - 70, far.x_a);
  r = SelectionRects(c, far, 700, 420);
  EXPECT_EQ(30u, r.size());
  for (const PixelRect& rect : r) EXPECT_LT(rect.top, 420);
}

TEST(SurfaceLayout, CaretBlinksEveryOtherTickAndShowsAtOnceAfterAMove) {
  RenderCache c;
  SetPane(c, 10);
  c.caret_moved = 1;
  EXPECT_EQ(CaretDraw::kShow, BlinkStep(c));
  EXPECT_EQ(0, c.caret_moved);
  EXPECT_EQ(CaretDraw::kNothing, BlinkStep(c));
  EXPECT_EQ(CaretDraw::kHide, BlinkStep(c));
  EXPECT_EQ(CaretDraw::kNothing, BlinkStep(c));
  EXPECT_EQ(CaretDraw::kShow, BlinkStep(c));
  c.caret_row = -1;  // detached: no caret at all
  c.caret_moved = 1;
  EXPECT_EQ(CaretDraw::kNothing, BlinkStep(c));
  EXPECT_EQ(CaretDraw::kNothing, BlinkStep(c));
  c.caret_row = 2;
  c.caret_cell_column = 3;
  StoreCaretRect(c);
  EXPECT_EQ(26, c.caret_rect[0]);
  EXPECT_EQ(28, c.caret_rect[1]);
  EXPECT_EQ(33, c.caret_rect[2]);
  EXPECT_EQ(42, c.caret_rect[3]);
}

// Random walks of the caret (steps, jumps, wheel detaches, clicks) over
// documents of many sizes keep the view invariants.
TEST(SurfaceLayout, RandomWalksKeepTheCaretInView) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 200; ++round) {
    RenderCache c;
    const int32_t lines = 1 + static_cast<int32_t>(random() % 90);
    SetPane(c, lines);
    int32_t line = 0, column = 0;
    for (int step = 0; step < 200; ++step) {
      switch (random() % 6) {
        case 0: line = std::max(0, line - 1); break;
        case 1: line = std::min(lines - 1, line + 1); break;
        case 2: line = static_cast<int32_t>(random() % lines); break;
        case 3: column = static_cast<int32_t>(random() % 300); break;
        case 4: column = std::max(0, column + static_cast<int32_t>(random() % 7) - 3); break;
        default:
          if (lines > c.rows) {
            c.caret_row = -1;
            c.top_line = static_cast<int32_t>(random() % (lines - c.rows + 1));
            c.click_row = static_cast<int32_t>(random() % c.rows);
          }
          break;
      }
      MoveTo(c, line, column);
      if (testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
