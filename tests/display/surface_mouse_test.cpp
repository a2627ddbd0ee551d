// Clicks, drags, the scrollbar's requests and the wheel on the text pane.
#include <gtest/gtest.h>

#include "display/surface_layout.h"
#include "display/surface_mouse.h"
#include "engine/document.h"
#include "tests/support/engine_test_document.h"

namespace {

// A document of `lines` lines "line NNNN" in a pane of 7 x 14 cells.
std::unique_ptr<Document> Numbered(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += (i ? "\nline " : "line ") + std::to_string(1000 + i);
  auto doc = MakeTestDocument(text);
  EXPECT_TRUE(StoreMetrics(*doc->render_cache, 7, 14, 700, 420, doc->lines.Count()));
  return doc;
}

// Client point inside cell (row, column) of the pane.
int X(int column) { return 5 + column * 7 + 3; }
int Y(int row) { return row * 14 + 6; }

void ExpectSound(const Document& doc) {
  std::string why;
  EXPECT_TRUE(CheckInvariants(doc, &why)) << why;
}

TEST(SurfaceMouse, PointerCellCountsTheMarginAndScrolledColumns) {
  RenderCache c;
  EXPECT_EQ(0, PointerCellAt(c, 50, 50).row) << "no cell size yet";
  EXPECT_EQ(9, DocumentColumnAt(c, PointerCell{0, 9}));
  StoreMetrics(c, 7, 14, 700, 420, 10);
  const int cases[][4] = {{0, 0, 0, 0}, {-30, -5, 0, 0}, {11, 13, 0, 0}, {12, 14, 1, 1}, {X(9), Y(4), 4, 9}};
  for (const auto& k : cases)
    EXPECT_EQ(std::make_pair(k[2], k[3]), std::make_pair(PointerCellAt(c, k[0], k[1]).row, PointerCellAt(c, k[0], k[1]).column));
  c.scroll_x = -21;
  EXPECT_EQ(5, DocumentColumnAt(c, PointerCellAt(c, X(2), 0)));
}

TEST(SurfaceMouse, DragSelectsAndStopsAtTheText) {
  auto doc = Numbered(20);
  RenderCache& c = *doc->render_cache;
  c.top_line = 10;
  PressAt(doc.get(), &c, X(2), Y(1));  // the press moves the caret and records the cell
  EXPECT_EQ(std::vector<int>({11, 2, 1, 1, 2}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), doc->has_selection, c.click_row, c.click_column}));
  c.top_line = 0;
  PressAt(doc.get(), &c, X(2), Y(1));
  const uint32_t anchor = doc->caret;
  DragTo(doc.get(), &c, X(4), Y(3));  // the caret waits for the release
  EXPECT_EQ(std::vector<int>({3, 4, 1}), std::vector<int>({doc->sel_caret_line, doc->sel_caret_column, int(doc->caret_line)}));
  DragTo(doc.get(), &c, X(60), Y(28));  // below the last line and past its end
  EXPECT_EQ(std::vector<int>({19, 9}), std::vector<int>({doc->sel_caret_line, doc->sel_caret_column}));
  ReleaseAt(doc.get(), &c, X(6), Y(3));
  EXPECT_TRUE(doc->has_selection);
  EXPECT_EQ(std::vector<uint32_t>({anchor, doc->caret}), std::vector<uint32_t>({doc->sel_start, doc->sel_end}));
  EXPECT_EQ(std::vector<int>({3, 6, 1, 2}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), doc->anchor_line, doc->anchor_column}));
  // A backwards drag moves the start instead; a release on another column
  // of the pressed row also selects.
  PressAt(doc.get(), &c, X(5), Y(6));
  const uint32_t end = doc->caret;
  ReleaseAt(doc.get(), &c, X(1), Y(4));
  EXPECT_EQ(end, doc->sel_end);
  EXPECT_EQ(doc->caret, doc->sel_start);
  EXPECT_LT(doc->sel_start, doc->sel_end);
  PressAt(doc.get(), &c, X(5), Y(6));
  ReleaseAt(doc.get(), &c, X(7), Y(6));
  EXPECT_EQ(2u, doc->sel_end - doc->sel_start);
  ExpectSound(*doc);
}

TEST(SurfaceMouse, ClicksInScrolledOrMultiByteTextCountCharacters) {
  auto doc = MakeTestDocument(std::string(300, 'x') + "\nshort\n\xCE\xB1\xCE\xB2\xCE\xB3");
  RenderCache& c = *doc->render_cache;
  StoreMetrics(c, 7, 14, 700, 420, doc->lines.Count());
  c.scroll_x = -40 * 7;
  PressAt(doc.get(), &c, X(10), Y(0));
  EXPECT_EQ(50u, doc->caret_column);
  PressAt(doc.get(), &c, X(2), Y(1));  // past the end of a line: at its end
  EXPECT_EQ(1u, doc->caret_line);
  EXPECT_EQ(5u, doc->caret_column);
  RenderCache unlaid;  // a drag before the first layout stays at the start
  unlaid.cell_width = 7, unlaid.cell_height = 14;
  DragTo(doc.get(), &unlaid, X(4), Y(1));
  EXPECT_EQ(std::make_pair(0, 0), std::make_pair(doc->sel_caret_line, doc->sel_caret_column));
  c.scroll_x = 0;
  PressAt(doc.get(), &c, X(0), Y(2));
  DragTo(doc.get(), &c, X(20), Y(2));
  EXPECT_EQ(3, doc->sel_caret_column) << "three characters, six bytes";
  ExpectSound(*doc);
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
