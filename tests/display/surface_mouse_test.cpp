#include <gtest/gtest.h>

#include "display/surface_layout.h"
#include "display/surface_mouse.h"
#include "engine/document.h"
#include "tests/support/engine_test_document.h"

namespace {

// A document of `lines` lines "line NNN" in a pane of 7 x 14 cells.
std::unique_ptr<Document> Numbered(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    if (i) text += '\n';
    text += "line " + std::to_string(1000 + i);
  }
  auto doc = MakeTestDocument(text);
  EXPECT_TRUE(StoreMetrics(*doc->render_cache, 7, 14, 700, 420, doc->lines.Count()));
  return doc;
}

// Client point inside cell (row, column) of the pane.
int X(int column) { return 5 + column * 7 + 3; }
int Y(int row) { return row * 14 + 6; }

TEST(SurfaceMouse, PointerCellCountsTheMarginAndScrolledColumns) {
  RenderCache c;
  StoreMetrics(c, 7, 14, 700, 420, 10);
  EXPECT_EQ(0, PointerCellAt(c, 0, 0).column);
  EXPECT_EQ(0, PointerCellAt(c, -30, -5).row);
  EXPECT_EQ(0, PointerCellAt(c, -30, -5).column);
  EXPECT_EQ(0, PointerCellAt(c, 11, 13).column);  // still the first cell
  EXPECT_EQ(0, PointerCellAt(c, 11, 13).row);
  EXPECT_EQ(1, PointerCellAt(c, 12, 14).column);
  EXPECT_EQ(1, PointerCellAt(c, 12, 14).row);
  c.scroll_x = -21;
  EXPECT_EQ(5, DocumentColumnAt(c, PointerCellAt(c, X(2), 0)));
}

TEST(SurfaceMouse, PlainClickMovesTheCaretAndLeavesNoSelection) {
  auto doc = Numbered(50);
  RenderCache& c = *doc->render_cache;
  c.top_line = 10;
  PressAt(doc.get(), &c, X(3), Y(2));
  EXPECT_EQ(12u, doc->caret_line);
  EXPECT_EQ(3u, doc->caret_column);
  EXPECT_TRUE(doc->has_selection);
  EXPECT_EQ(2, c.click_row);
  EXPECT_EQ(3, c.click_column);
  ReleaseAt(doc.get(), &c, X(3) + 2, Y(2) + 3);  // same cell
  EXPECT_FALSE(doc->has_selection);
  EXPECT_EQ(0, doc->anchor_line);
  EXPECT_EQ(0, doc->sel_caret_column);
  EXPECT_EQ(12u, doc->caret_line);
  EXPECT_EQ(3u, doc->caret_column);
  std::string why;
  EXPECT_TRUE(CheckInvariants(*doc, &why)) << why;
}

TEST(SurfaceMouse, DragSelectsAndStopsAtTheText) {
  auto doc = Numbered(20);
  RenderCache& c = *doc->render_cache;
  PressAt(doc.get(), &c, X(2), Y(1));
  const uint32_t anchor = doc->caret;
  DragTo(doc.get(), &c, X(4), Y(3));
  EXPECT_EQ(3, doc->sel_caret_line);
  EXPECT_EQ(4, doc->sel_caret_column);
  EXPECT_EQ(1u, doc->caret_line);  // the caret waits for the release
  // Below the last line and past its end: clamped to the text.
  DragTo(doc.get(), &c, X(60), Y(28));
  EXPECT_EQ(19, doc->sel_caret_line);
  EXPECT_EQ(9, doc->sel_caret_column);
  ReleaseAt(doc.get(), &c, X(6), Y(3));
  EXPECT_TRUE(doc->has_selection);
  EXPECT_EQ(anchor, doc->sel_start);
  EXPECT_EQ(doc->caret, doc->sel_end);
  EXPECT_EQ(3u, doc->caret_line);
  EXPECT_EQ(6u, doc->caret_column);
  EXPECT_EQ(1, doc->anchor_line);
  EXPECT_EQ(2, doc->anchor_column);
  EXPECT_EQ(3, doc->sel_caret_line);
  // A backwards drag moves the start instead.
  PressAt(doc.get(), &c, X(5), Y(6));
  const uint32_t end = doc->caret;
  ReleaseAt(doc.get(), &c, X(1), Y(4));
  EXPECT_EQ(end, doc->sel_end);
  EXPECT_EQ(doc->caret, doc->sel_start);
  EXPECT_LT(doc->sel_start, doc->sel_end);
  std::string why;
  EXPECT_TRUE(CheckInvariants(*doc, &why)) << why;
}

TEST(SurfaceMouse, ClickInScrolledTextAddsTheHiddenColumns) {
  auto doc = MakeTestDocument(std::string(300, 'x') + "\nshort");
  RenderCache& c = *doc->render_cache;
  StoreMetrics(c, 7, 14, 700, 420, doc->lines.Count());
  c.scroll_x = -40 * 7;
  PressAt(doc.get(), &c, X(10), Y(0));
  EXPECT_EQ(50u, doc->caret_column);
  // A press past the end of a line puts the caret at its end.
  PressAt(doc.get(), &c, X(2), Y(1));
  EXPECT_EQ(1u, doc->caret_line);
  EXPECT_EQ(5u, doc->caret_column);
}

TEST(SurfaceMouse, DragClampsMultiByteLinesByCharacters) {
  auto doc = MakeTestDocument("\xCE\xB1\xCE\xB2\xCE\xB3\nabc");
  RenderCache& c = *doc->render_cache;
  StoreMetrics(c, 7, 14, 700, 420, doc->lines.Count());
  PressAt(doc.get(), &c, X(0), Y(0));
  DragTo(doc.get(), &c, X(20), Y(0));
  EXPECT_EQ(3, doc->sel_caret_column);  // three characters, six bytes
}

TEST(SurfaceMouse, ScrollbarRequests) {
  ScrollState s;
  s.maximum = 1000;
  s.page = 30;
  s.position = 100;
  s.track = 555;
  EXPECT_EQ(99, ScrollRequestPosition(s, 0));
  EXPECT_EQ(101, ScrollRequestPosition(s, 1));
  EXPECT_EQ(70, ScrollRequestPosition(s, 2));
  EXPECT_EQ(130, ScrollRequestPosition(s, 3));
  EXPECT_EQ(100, ScrollRequestPosition(s, 4));
  EXPECT_EQ(555, ScrollRequestPosition(s, 5));
  EXPECT_EQ(0, ScrollRequestPosition(s, 6));
  EXPECT_EQ(970, ScrollRequestPosition(s, 7));
  EXPECT_EQ(100, ScrollRequestPosition(s, 8));
  s.position = 0;
  EXPECT_EQ(0, ScrollRequestPosition(s, 0));
  s.position = 970;
  EXPECT_EQ(970, ScrollRequestPosition(s, 3));
  // A document shorter than a page never scrolls.
  s.maximum = 10;
  s.position = 0;
  EXPECT_EQ(0, ScrollRequestPosition(s, 7));
  EXPECT_EQ(0, ScrollRequestPosition(s, 1));
}

TEST(SurfaceMouse, WheelScrollsThreeLinesANotchWithinThePage) {
  ScrollState s;
  s.maximum = 100;
  s.page = 30;
  s.position = 10;
  EXPECT_EQ(13, WheelPosition(s, -120));
  EXPECT_EQ(7, WheelPosition(s, 120));
  EXPECT_EQ(16, WheelPosition(s, -240));
  EXPECT_EQ(12, WheelPosition(s, -60));  // half a notch: 1.5 rounds up
  s.position = 69;
  EXPECT_EQ(70, WheelPosition(s, -120));
  s.position = 1;
  EXPECT_EQ(0, WheelPosition(s, 120));
}

}  // namespace
