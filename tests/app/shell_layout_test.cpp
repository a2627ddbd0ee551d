// Child layout with anchors and DPI scaling, and the line-pane width rule.
#include <gtest/gtest.h>

#include "app/sizer.h"

namespace {

Sizer MainLayout() {
  Sizer s;
  SetUpSizer(&s, 800, 600, 96);
  AddSizerChild(&s, 1004, {0, 0, 40, 600}, {0, 0, 0, 1});
  AddSizerChild(&s, 1003, {40, 0, 800, 600}, {0, 0, 1, 1});
  return s;
}

TEST(ShellSizer, AnchorsFollowTheClientSize) {
  Sizer s = MainLayout();
  const SizerChild& line = *FindSizerChild(&s, 1004);
  const SizerChild& surface = *FindSizerChild(&s, 1003);
  // Unchanged size: registered rectangles.
  EXPECT_EQ(LayoutChild(s, line, 800, 600, 96), (SizerRect{0, 0, 40, 600}));
  // Wider and shorter: the line pane keeps its width, the text pane follows.
  EXPECT_EQ(LayoutChild(s, line, 1000, 500, 96), (SizerRect{0, 0, 40, 500}));
  EXPECT_EQ(LayoutChild(s, surface, 1000, 500, 96), (SizerRect{40, 0, 1000, 500}));
  // A half anchor moves the edge by half the change.
  AddSizerChild(&s, 7, {100, 100, 200, 200}, {0.5, 0.5, 0.5, 1});
  EXPECT_EQ(LayoutChild(s, *FindSizerChild(&s, 7), 900, 700, 96), (SizerRect{150, 150, 250, 300}));
  // Registering an id again replaces it rather than adding a second child.
  AddSizerChild(&s, 7, {1, 2, 3, 4}, {});
  EXPECT_EQ(s.children.size(), 3u);
  EXPECT_EQ(FindSizerChild(&s, 7)->rect, (SizerRect{1, 2, 3, 4}));
  EXPECT_EQ(FindSizerChild(&s, 99), nullptr);
}

TEST(ShellSizer, RectanglesScaleWithTheDpi) {
  Sizer s = MainLayout();
  const SizerChild& line = *FindSizerChild(&s, 1004);
  const SizerChild& surface = *FindSizerChild(&s, 1003);
  // Same logical size at 144 dpi (1.5x): every edge scales.
  EXPECT_EQ(LayoutChild(s, line, 1200, 900, 144), (SizerRect{0, 0, 60, 900}));
  EXPECT_EQ(LayoutChild(s, surface, 1200, 900, 144), (SizerRect{60, 0, 1200, 900}));
  // At 192 dpi with a client that grew by 100 logical pixels.
  EXPECT_EQ(LayoutChild(s, surface, 1800, 1200, 192), (SizerRect{80, 0, 1800, 1200}));
  // A bad DPI falls back to the set-up one.
  EXPECT_EQ(LayoutChild(s, line, 800, 600, 0), (SizerRect{0, 0, 40, 600}));
}

TEST(ShellSizer, LinePaneWidthMovesEdgesOnlyOnChange) {
  Sizer s = MainLayout();
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 1003, 40)) << "already 40 wide";
  EXPECT_TRUE(SetLinePaneWidth(&s, 1004, 1003, 0));
  EXPECT_EQ(FindSizerChild(&s, 1004)->rect, (SizerRect{0, 0, 0, 600}));
  EXPECT_EQ(FindSizerChild(&s, 1003)->rect.left, 0);
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 1003, 0));
  EXPECT_TRUE(SetLinePaneWidth(&s, 1004, 1003, 57));
  EXPECT_EQ(FindSizerChild(&s, 1004)->rect, (SizerRect{0, 0, 57, 600}));
  EXPECT_EQ(FindSizerChild(&s, 1003)->rect, (SizerRect{57, 0, 800, 600}));
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 5, 10)) << "unknown pane";
  AddSizerChild(&s, 1004, {10, 0, 67, 600}, {0, 0, 0, 1});  // its width, not its right edge, counts
  EXPECT_FALSE(SetLinePaneWidth(&s, 1004, 1003, 57));
}

}  // namespace
