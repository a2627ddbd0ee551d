// The text pane's view arithmetic (following the caret, the scroll keys,
// selection rectangles, the caret blink) and its mouse: clicks, drags, the
// scrollbar's requests and the wheel.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>

#include "display/surface_layout.h"
#include "display/surface_mouse.h"
#include "display/view_scroll.h"
#include "engine/document.h"
#include "tests/support/engine_test_document.h"

namespace {

using View = std::pair<int32_t, int32_t>;  // top_line, caret_row
View Of(const RenderCache& c) { return {c.top_line, c.caret_row}; }

// A pane of `rows` rows of 7 x 14 cells, 100 columns, over `lines` lines.
void SetPane(RenderCache& c, int32_t lines, int rows = 30) {
  ASSERT_TRUE(StoreMetrics(c, 7, 14, 7 * 107, 14 * rows + 13, lines));
}

// One layout after the caret moved to (line, column), checked.
void MoveTo(RenderCache& c, int32_t line, int32_t column = 0) {
  FollowVertically(c, line, column);
  FollowHorizontally(c, column);
  c.last_caret_line = line;
  c.last_caret_column = column;
  std::string why;
  ASSERT_TRUE(CheckLayoutInvariants(c, line, column, &why)) << why << " at " << line << ":" << column;
  EXPECT_LE(c.top_line, std::max(0, c.line_count - c.rows)) << "no blank rows below the text";
  if (c.caret_row >= 0) { EXPECT_LT(c.caret_row, c.rows) << "the caret stays in the pane"; }
  EXPECT_TRUE(c.caret_cell_column >= 0 && c.caret_cell_column <= c.columns) << c.caret_cell_column;
}

TEST(SurfaceLayout, MetricsAndWhatAsksForAFullLayout) {
  RenderCache c;
  SetPane(c, 1000);
  // The cell width in pixels, not one column, comes off the column count.
  EXPECT_EQ(std::vector<int>({30, 100, 5, 27, 22, 1000}),
            std::vector<int>({c.rows, c.columns, c.top_margin, c.bottom_margin, c.page_step, c.line_count}));
  EXPECT_FALSE(StoreMetrics(c, 0, 14, 700, 420, 5) || StoreMetrics(c, 7, 0, 700, 420, 5));
  EXPECT_EQ(1000, c.line_count);
  // Each kind of damage is reported, with the caret on line 0, column 0.
  const struct { int32_t top, row, scroll_x; const char* why; } damaged[] = {
      {-1, -1, 0, "top_line negative"}, {0, -2, 0, "caret_row below -1"},
      {5, 0, 0, "caret row does not show the caret line"}, {0, 0, 7, "scroll_x positive"},
      {0, 0, -3, "scroll_x off the cell grid"}, {0, 0, -7, "caret cell does not show the caret column"}};
  for (const auto& d : damaged) {
    RenderCache bad;
    SetPane(bad, 1000);
    bad.top_line = d.top, bad.caret_row = d.row, bad.scroll_x = d.scroll_x;
    std::string why;
    EXPECT_FALSE(CheckLayoutInvariants(bad, 0, 0, nullptr));
    EXPECT_FALSE(CheckLayoutInvariants(bad, 0, 0, &why));
    EXPECT_EQ(d.why, why);
  }
  for (int k = 0; k < 7; ++k) {  // each change alone, or none
    c.last_line_count = k == 5 ? -1 : 1000;
    c.dirty = k == 0;
    c.last_has_selection = k == 1;
    Document e;
    e.caret_column = k == 2;
    e.caret_line = k == 3;
    e.has_selection = k == 4;
    EXPECT_EQ(k < 6, NeedsFullLayout(c, e)) << k;
  }
}

// Steps, jumps and wheel detaches over panes and texts of many sizes. A
// caret moved in a view that follows it keeps its row, held at row 5 or
// rows - 3 where it would pass them in the direction it moves; the first
// five lines show the top, the last three the last page; a text that fits
// never scrolls; the caret stays in the pane, even one shorter than its margins.
TEST(SurfaceLayout, RandomWalksKeepTheCaretInViewAndScrollAtTheMargins) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 300; ++round) {
    RenderCache c;
    const int32_t lines = 1 + static_cast<int32_t>(random() % 120);
    SetPane(c, lines, 1 + static_cast<int>(random() % 39));  // from panes shorter than the margins
    int32_t line = 0, column = 0;
    for (int step = 0; step < 200 && !testing::Test::HasFailure(); ++step) {
      const int32_t old_row = c.caret_row, old_line = line;
      switch (random() % 6) {
        case 0: line = std::max(0, line - 1); break;
        case 1: line = std::min(lines - 1, line + 1); break;
        case 2: line = static_cast<int32_t>(random() % lines); break;
        case 3: column = static_cast<int32_t>(random() % 300); break;
        case 4: column = std::max(0, column + static_cast<int32_t>(random() % 7) - 3); break;
        default:
          if (lines <= c.rows) break;
          ScrollViewTo(&c, static_cast<int32_t>(random() % (lines - c.rows + 1)), true);
      }
      MoveTo(c, line, column);
      if (old_row < 0 || line == old_line || (lines > c.rows && lines <= c.rows + 3) || c.rows < 8) continue;
      const int32_t row = lines <= c.rows || line < 5 ? line
                          : line > lines - 3       ? line - (lines - c.rows)
                          : line > old_line        ? std::min(old_row + line - old_line, std::max(c.rows - 3, old_row))
                                                   : std::max(old_row + line - old_line, std::min(5, old_row));
      EXPECT_EQ(View(line - row, row), Of(c)) << "from " << old_line << " in " << lines << " lines, " << c.rows << " rows";
    }
  }
}

// Ctrl+Up and Ctrl+Down move the text one line under a caret that stays on
// its line; they stop with the caret at a margin or at either end of the text.
TEST(ViewScroll, KeysStopAtTheMarginsAndAtBothEndsOfTheText) {
  EXPECT_FALSE(ScrollViewUp(nullptr) || ScrollViewDown(nullptr));
  // 100 lines in 30 rows: margins at rows 5 and 27, the last top line 70.
  const struct { bool down; View from; bool moved; } cases[] = {
      {false, {1, 26}, true},  {false, {0, 10}, false}, {false, {10, 27}, false},
      {true, {69, 6}, true},   {true, {70, 10}, false}, {true, {10, 5}, false}};
  for (const auto& k : cases) {
    RenderCache c;
    SetPane(c, 100);
    c.top_line = k.from.first, c.caret_row = k.from.second;
    c.dirty = 0;
    const bool moved = k.down ? ScrollViewDown(&c) : ScrollViewUp(&c);
    const int32_t step = !k.moved ? 0 : k.down ? 1 : -1;
    EXPECT_EQ(std::make_pair(k.moved, View(k.from.first + step, k.from.second - step)), std::make_pair(moved, Of(c)))
        << k.down << " from " << k.from.first << "," << k.from.second;
    EXPECT_EQ(k.moved, c.dirty == 1);
  }
}

TEST(SurfaceLayout, SelectionRectanglesFromEitherEnd) {
  RenderCache c;
  SetPane(c, 100);
  c.top_line = 10;
  Document doc;
  auto rects = [&](int32_t anchor_line, int32_t anchor_column, int32_t caret_line, int32_t caret_column) {
    doc.anchor_line = anchor_line, doc.anchor_column = anchor_column;
    doc.sel_caret_line = caret_line, doc.sel_caret_column = caret_column;
    std::vector<int> out;
    for (const PixelRect& r : SelectionRects(c, SelectionPixels(c, doc), 700, 420))
      out.insert(out.end(), {r.left, r.top, r.right, r.bottom});
    return out;
  };
  // From the anchor to the right edge, whole rows, then up to the caret;
  // each one pixel short of the cell. Reversed ends give the same; on one
  // row from the smaller x; empty when both ends meet.
  const std::vector<int> expected = {33, 14, 700, 27, 5, 28, 705, 41, 5, 42, 705, 55, 5, 56, 19, 69};
  EXPECT_EQ(expected, rects(11, 4, 14, 2));
  const SelectionEnds e = SelectionPixels(c, doc);
  EXPECT_EQ(std::vector<int>({33, 14, 19, 56}), std::vector<int>({e.x_a, e.y_a, e.x_c, e.y_c}));
  EXPECT_EQ(expected, rects(14, 2, 11, 4));
  EXPECT_EQ(std::vector<int>({26, 28, 68, 41}), rects(12, 9, 12, 3));
  EXPECT_TRUE(rects(12, 3, 12, 3).empty());
  // Scrolled text shifts both ends; a selection from far above to the row
  // just below the pane, or far below, covers exactly the pane's rows.
  c.scroll_x = -70;
  for (int32_t last : {40, 100000}) {
    const std::vector<int> r = rects(0, 3, last, 20);
    EXPECT_EQ(3 * 7 + 5 - 70, SelectionPixels(c, doc).x_a);
    ASSERT_EQ(30u * 4, r.size());
    for (size_t k = 0; k < 30; ++k) EXPECT_EQ(static_cast<int>(k) * 14, r[4 * k + 1]);
  }
}

// Random presses, drags and releases over random texts, top lines and
// horizontal scrolls, against the cell under the pointer (rows of 14 and
// columns of 7 pixels after a margin of 5) clamped to the text: the press
// puts the caret there, a drag moves only the selection's end, a release on
// another text position selects from the press to it, one on the pressed
// position (its cell, or another past the same line's end) nothing.
TEST(SurfaceMouse, PressDragAndReleaseSelectBetweenTheCellsUnderThePointer) {
  RenderCache unlaid;  // no cell size yet: every point is cell 0, columns unscrolled
  EXPECT_EQ(std::make_pair(0, 9), std::make_pair(PointerCellAt(unlaid, 50, 50).row, DocumentColumnAt(unlaid, PointerCell{0, 9})));
  std::mt19937 random(20261207);
  for (int round = 0; round < 60 && !testing::Test::HasFailure(); ++round) {
    std::vector<std::vector<uint32_t>> starts(1 + random() % 40);  // each character's offset, then the line end's
    std::string text;
    for (auto& line : starts) {
      for (int k = random() % 4 ? random() % 15 : random() % 200; k > 0; --k) {
        line.push_back(static_cast<uint32_t>(text.size()));
        text += random() % 4 ? "x" : "\xCE\xB1";
      }
      line.push_back(static_cast<uint32_t>(text.size()));
      text += &line == &starts.back() ? "" : "\n";
    }
    auto doc = MakeTestDocument(text);
    RenderCache& c = *doc->render_cache;
    ASSERT_TRUE(StoreMetrics(c, 7, 14, 700, 420, doc->lines.Count()));
    c.top_line = static_cast<int32_t>(random() % starts.size());
    c.scroll_x = -7 * static_cast<int>(random() % 30);
    int x = 0, y = 0;
    std::vector<int> at;  // line, column, offset of the cell under (x, y)
    auto point = [&] {
      x = static_cast<int>(random() % 800) - 30, y = static_cast<int>(random() % 480) - 30;
      const int line = std::min<int>(c.top_line + std::max(y, 0) / 14, static_cast<int>(starts.size()) - 1);
      const int column = std::min<int>(std::max(x - 5, 0) / 7 - c.scroll_x / 7, static_cast<int>(starts[line].size()) - 1);
      at = {line, column, static_cast<int>(starts[line][column])};
    };
    point();
    const std::vector<int> pressed = at;
    const std::vector<int> cell = {std::max(y, 0) / 14, std::max(x - 5, 0) / 7};
    PressAt(doc.get(), &c, x, y);
    EXPECT_EQ(pressed, std::vector<int>({int(doc->caret_line), int(doc->caret_column), int(doc->caret)}));
    for (int k = static_cast<int>(random() % 3); k > 0; --k) {
      point();
      DragTo(doc.get(), &c, x, y);
      EXPECT_EQ(std::vector<int>({at[0], at[1], pressed[2]}), std::vector<int>({doc->sel_caret_line, doc->sel_caret_column, int(doc->caret)}));
    }
    point();
    if (random() % 3 == 0) x = 5 + 7 * cell[1] + 6, y = 14 * cell[0] + 13, at = pressed;  // the pressed cell's far corner
    const bool moved = at[2] != pressed[2];  // text positions decide, not cells
    ReleaseAt(doc.get(), &c, x, y);
    const int from = std::min(pressed[2], at[2]), to = std::max(pressed[2], at[2]);
    std::vector<int> got = {int(doc->caret), doc->has_selection, int(doc->sel_start), int(doc->sel_end)};
    if (moved) got.insert(got.end(), {doc->anchor_line, doc->anchor_column});
    EXPECT_EQ(moved ? std::vector<int>({at[2], 1, from, to, pressed[0], pressed[1]}) : std::vector<int>({pressed[2], 0, 0, 0}), got)
        << round;
    std::string why;
    EXPECT_TRUE(CheckInvariants(*doc, &why)) << why;
  }
  auto doc = MakeTestDocument("abc\ndef");
  unlaid.cell_width = 7, unlaid.cell_height = 14;  // a drag before the first layout stays at the start
  DragTo(doc.get(), &unlaid, 40, 20);
  EXPECT_EQ(std::make_pair(0, 0), std::make_pair(doc->sel_caret_line, doc->sel_caret_column));
}

TEST(SurfaceMouse, ScrollbarRequestsStayWithinTheLastPage) {
  ScrollState s;
  s.maximum = 1000, s.page = 30, s.track = 555;
  const int cases[][3] = {{100, 0, 99}, {100, 1, 101}, {100, 2, 70}, {100, 3, 130}, {100, 4, 100}, {100, 5, 555},
                          {100, 6, 0}, {100, 7, 970}, {100, 8, 100}, {0, 0, 0}, {10, 2, 0}, {969, 1, 970},
                          {970, 1, 970}, {960, 3, 970}};
  for (const auto& k : cases) {
    s.position = k[0];
    EXPECT_EQ(k[2], ScrollRequestPosition(s, k[1])) << k[0] << " code " << k[1];
  }
  s.maximum = 10, s.position = 0;  // a document shorter than a page never scrolls
  EXPECT_EQ(0, ScrollRequestPosition(s, 7) + ScrollRequestPosition(s, 1));
}

TEST(SurfaceMouse, WheelScrollsThreeLinesANotchWithinThePage) {
  ScrollState s;
  s.maximum = 100, s.page = 30;
  const int cases[][3] = {{10, -120, 13}, {10, 120, 7}, {10, -240, 16}, {10, -60, 12} /* 1.5 rounds up */,
                          {10, 40, 9}, {69, -120, 70}, {1, 120, 0}};
  for (const auto& k : cases) {
    s.position = k[0];
    EXPECT_EQ(k[2], WheelPosition(s, k[1])) << k[0] << " " << k[1];
  }
}

}  // namespace
