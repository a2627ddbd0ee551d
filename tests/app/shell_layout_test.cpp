// Child layout with anchors and DPI scaling, and the line-pane width rule.
#include <gtest/gtest.h>

#include "app/sizer.h"

namespace {

Sizer MainLayout() {
  Sizer s;
  SetUpSizer(&s, 800, 600, 96);
  AddSizerChild(&s, 1004, {0, 0, 40, 600}, {0, 0, 0, 1});
  AddSizerChild(&s, 1003, {40, 0, 800, 600}, {0, 0, 1, 1});
  AddSizerChild(&s, 7, {100, 100, 200, 200}, {0.5, 0.5, 0.5, 1});  // half anchors: half the change
  return s;
}

TEST(ShellSizer, AnchorsFollowTheClientSizeAndTheDpi) {
  Sizer s = MainLayout();
  // child, client width, height and dpi (0 falls back to the set-up one), rectangle.
  const struct { int id, w, h, dpi; SizerRect rect; } cases[] = {
      {1004, 800, 600, 96, {0, 0, 40, 600}},   {1004, 1000, 500, 96, {0, 0, 40, 500}},
      {1003, 1000, 500, 96, {40, 0, 1000, 500}}, {7, 900, 700, 96, {150, 150, 250, 300}},
      {1004, 1200, 900, 144, {0, 0, 60, 900}}, {1003, 1200, 900, 144, {60, 0, 1200, 900}},
      {1003, 1800, 1200, 192, {80, 0, 1800, 1200}}, {1004, 800, 600, 0, {0, 0, 40, 600}}};
  for (const auto& k : cases) EXPECT_EQ(LayoutChild(s, *FindSizerChild(&s, k.id), k.w, k.h, k.dpi), k.rect) << k.id << " " << k.w;
  // Registering an id again replaces it rather than adding a second child.
  AddSizerChild(&s, 7, {1, 2, 3, 4}, {});
  EXPECT_EQ(s.children.size(), 3u);
  EXPECT_EQ(FindSizerChild(&s, 7)->rect, (SizerRect{1, 2, 3, 4}));
  EXPECT_EQ(FindSizerChild(&s, 99), nullptr);
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
