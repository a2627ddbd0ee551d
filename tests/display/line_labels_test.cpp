#include <gtest/gtest.h>

#include "display/line_view.h"
#include "tests/display/grid_font.h"

namespace {

struct Labels : testing::Test {
  LineView view;
  void SetUp() override { UseGridFont(view.font); }
};

TEST_F(Labels, Formats) {
  EXPECT_EQ("001", FormatColumnText(1));
  EXPECT_EQ("123", FormatColumnText(123));
  EXPECT_EQ("1234", FormatColumnText(1234));
  std::string s;
  FormatLineLabel(&s, "007", 42, false);
  EXPECT_EQ("    0042", s);
  FormatLineLabel(&s, "007", 42, true);
  EXPECT_EQ("007:0042", s);
  FormatLineLabel(&s, "1000", 12345, false);
  EXPECT_EQ("     12345", s);
}

TEST_F(Labels, CaretRowCarriesTheColumn) {
  UpdateLineLabels(view, 40, 5, 2, 1);
  ASSERT_EQ(5u, view.labels.size());
  EXPECT_EQ("    0040", view.labels[0]);
  EXPECT_EQ("    0041", view.labels[1]);
  EXPECT_EQ("001:0042", view.labels[2]);
  EXPECT_EQ("    0044", view.labels[4]);
  EXPECT_EQ(2, view.caret_row);
  EXPECT_EQ(5 + 8 * 7, view.pane_width);
  // Column 1000: every label starts with five spaces or four digits.
  UpdateLineLabels(view, 40, 3, 0, 1000);
  EXPECT_EQ("1000:0040", view.labels[0]);
  EXPECT_EQ("     0041", view.labels[1]);
  // Detached: no row shows the column.
  UpdateLineLabels(view, 1, 3, -1, 5);
  for (const std::string& label : view.labels) EXPECT_EQ(std::string::npos, label.find(':'));
}

TEST_F(Labels, FiveDigitLinesWidenThePaneAndNoLabelsKeepIt) {
  UpdateLineLabels(view, 9990, 30, 3, 1);
  EXPECT_EQ("    9990", view.labels.front());
  EXPECT_EQ("    10019", view.labels.back());
  EXPECT_EQ(5 + 9 * 7, view.pane_width);
  UpdateLineLabels(view, 0, 0, 0, 0);
  EXPECT_TRUE(view.labels.empty());
  EXPECT_EQ(5 + 9 * 7, view.pane_width);
}

TEST_F(Labels, StringsAreRecycled) {
  UpdateLineLabels(view, 1, 30, 0, 1);
  EXPECT_TRUE(view.spare_labels.empty());
  UpdateLineLabels(view, 1, 10, 0, 1);
  EXPECT_EQ(10u, view.labels.size());
  EXPECT_EQ(20u, view.spare_labels.size());
  UpdateLineLabels(view, 1, 30, 0, 1);
  EXPECT_EQ(30u, view.labels.size());
  EXPECT_TRUE(view.spare_labels.empty());
  EXPECT_EQ("    0030", view.labels.back());
}

TEST_F(Labels, DrawnRightAlignedWithTheCaretRowHighlighted) {
  ASSERT_TRUE(ResizeCanvas(view.canvas, 100, 70));
  DrawLineLabels(view, 100, 70);
  EXPECT_EQ(MakePixel(48, 25, 52), CanvasPixelAt(view.canvas, 50, 30));  // no labels
  EXPECT_EQ(5, view.rows);
  UpdateLineLabels(view, 7, 3, 1, 2);
  DrawLineLabels(view, 100, 70);
  const Canvas& c = view.canvas;
  // "    0007": the last glyph's block ends one pixel short of the right edge.
  EXPECT_EQ(MakePixel(70, 70, 70), (CanvasPixelAt(c, 97, 6) & 0xFFFFFF) | 0xFF000000u);
  EXPECT_EQ(MakePixel(0, 0, 0), (CanvasPixelAt(c, 99, 6) & 0xFFFFFF) | 0xFF000000u);
  // The leading spaces stay black: the label is 8 cells = 56 pixels wide.
  EXPECT_EQ(MakePixel(0, 0, 0), (CanvasPixelAt(c, 100 - 29, 6) & 0xFFFFFF) | 0xFF000000u);
  // Row 1 is the caret's: "002:0008" in the highlight colour, column digits too.
  EXPECT_EQ(MakePixel(128, 128, 255), (CanvasPixelAt(c, 97, 14 + 6) & 0xFFFFFF) | 0xFF000000u);
  EXPECT_EQ(MakePixel(128, 128, 255), (CanvasPixelAt(c, 100 - 56 + 3, 14 + 6) & 0xFFFFFF) | 0xFF000000u);
  EXPECT_EQ(MakePixel(70, 70, 70), (CanvasPixelAt(c, 97, 28 + 6) & 0xFFFFFF) | 0xFF000000u);
  EXPECT_EQ(MakePixel(0, 0, 0), (CanvasPixelAt(c, 50, 56) & 0xFFFFFF) | 0xFF000000u);
}

}  // namespace
