#include <gtest/gtest.h>

#include "display/scrollbar_geometry.h"

namespace {

BarScroll Bar(int minimum, int maximum, unsigned page, int position) {
  BarScroll b;
  StoreScrollInfo(b, kScrollMaskRange | kScrollMaskPage | kScrollMaskPos, minimum, maximum, page,
                  position);
  return b;
}

TEST(ScrollbarGeometryTest, MulDivRoundsLikeWin32) {
  EXPECT_EQ(3, MulDivRound(5, 3, 5));
  EXPECT_EQ(2, MulDivRound(3, 1, 2));    // 1.5 rounds up
  EXPECT_EQ(-2, MulDivRound(-3, 1, 2));  // and away from zero
  EXPECT_EQ(-1, MulDivRound(7, 7, 0));
  EXPECT_EQ(-1, MulDivRound(2000000000, 2000000000, 1));
  EXPECT_EQ(2000000000, MulDivRound(2000000000, 2000000000, 2000000000));
}

TEST(ScrollbarGeometryTest, StoringClampsPageAndPosition) {
  BarScroll b;
  // The page is at most the range; the position stops one page before the end.
  EXPECT_EQ(91, StoreScrollInfo(b, kScrollMaskRange | kScrollMaskPage | kScrollMaskPos, 0, 100,
                                10, 500));
  EXPECT_EQ(10u, b.page);
  EXPECT_EQ(0, StoreScrollInfo(b, kScrollMaskPos, 0, 0, 0, -4));
  StoreScrollInfo(b, kScrollMaskPage, 0, 0, 1000, 0);
  EXPECT_EQ(101u, b.page);
  EXPECT_EQ(0, StoreScrollInfo(b, kScrollMaskPos, 0, 0, 0, 50));  // empty range: the minimum
  // Without the mask bits nothing changes.
  const BarScroll before = b;
  StoreScrollInfo(b, 0, 7, 8, 9, 10);
  EXPECT_EQ(before.maximum, b.maximum);
  EXPECT_EQ(before.page, b.page);
  // A page of 0 lets the position reach the maximum; the range may be negative-based.
  b = Bar(-10, 10, 0, 99);
  EXPECT_EQ(10, b.position);
  EXPECT_EQ(-10, ClampScrollPosition(b, -11));
  // An inverted range gives no room for a page.
  b = Bar(5, 2, 3, 4);
  EXPECT_EQ(0u, b.page);
  EXPECT_EQ(5, b.position);
}

TEST(ScrollbarGeometryTest, VisibilityAndScrollability) {
  EXPECT_TRUE(BarShouldShow(Bar(0, 100, 30, 0), kScrollMaskRange | kScrollMaskPage));
  EXPECT_FALSE(BarShouldShow(Bar(0, 20, 30, 0), kScrollMaskRange | kScrollMaskPage));
  EXPECT_TRUE(BarShouldShow(Bar(0, 20, 30, 0), kScrollMaskDisableNoScroll));
  EXPECT_FALSE(BarShouldShow(Bar(0, 0, 0, 0), kScrollMaskRange));
  EXPECT_FALSE(BarShouldShow(Bar(5, 5, 0, 0), kScrollMaskRange));
  EXPECT_TRUE(BarShouldShow(Bar(0, 30, 30, 0), kScrollMaskRange));  // one line left to scroll
  EXPECT_TRUE(BarCanScroll(Bar(0, 100, 30, 0)));
  EXPECT_FALSE(BarCanScroll(Bar(0, 20, 30, 0)));
  EXPECT_FALSE(BarCanScroll(Bar(0, 0, 0, 0)));
  EXPECT_FALSE(BarCanScroll(Bar(3, 3, 0, 0)));
}

TEST(ScrollbarGeometryTest, ThumbLengthAndOffset) {
  EXPECT_EQ(17, ArrowLength(200, 17));
  EXPECT_EQ(12, ArrowLength(25, 17));
  // Track 166 of a 200-pixel bar; a third of the range in view.
  ThumbPlace t = PlaceThumb(Bar(0, 299, 100, 0), 200, 17, 8);
  EXPECT_EQ(17, t.start);
  EXPECT_EQ(55, t.length);  // MulDiv(100, 166, 300)
  t = PlaceThumb(Bar(0, 299, 100, 200), 200, 17, 8);
  EXPECT_EQ(17 + 166 - 55, t.start);  // at the end of the track
  t = PlaceThumb(Bar(0, 299, 100, 100), 200, 17, 8);
  EXPECT_EQ(17 + 56, t.start);  // MulDiv(100, 111, 200)
  // A long document keeps the minimum length.
  t = PlaceThumb(Bar(0, 100000, 40, 0), 600, 17, 25);
  EXPECT_EQ(25, t.length);
  t = PlaceThumb(Bar(0, 100000, 40, 100000), 600, 17, 25);
  EXPECT_EQ(600 - 17 - 25, t.start);
  // Without a page the thumb is as long as an arrow.
  t = PlaceThumb(Bar(0, 10, 0, 5), 200, 17, 8);
  EXPECT_EQ(17, t.length);
  EXPECT_EQ(17 + 75, t.start);  // MulDiv(5, 149, 10)
  // A whole-range page leaves no travel: the thumb fills the track and does not fit.
  t = PlaceThumb(Bar(0, 9, 10, 0), 200, 17, 8);
  EXPECT_EQ(17, t.start);
  EXPECT_FALSE(ThumbFits(t, 200, 17));
  EXPECT_TRUE(ThumbFits(PlaceThumb(Bar(0, 99, 10, 0), 200, 17, 8), 200, 17));
}

TEST(ScrollbarGeometryTest, ZoneOfAPoint) {
  const ThumbPlace t{60, 30};
  EXPECT_EQ(kZoneNone, ZoneAt(-1, 200, 17, t));
  EXPECT_EQ(kScrollLineUp, ZoneAt(0, 200, 17, t));
  EXPECT_EQ(kScrollLineUp, ZoneAt(16, 200, 17, t));
  EXPECT_EQ(kScrollPageUp, ZoneAt(17, 200, 17, t));
  EXPECT_EQ(kScrollPageUp, ZoneAt(59, 200, 17, t));
  EXPECT_EQ(kScrollThumbTrack, ZoneAt(60, 200, 17, t));
  EXPECT_EQ(kScrollThumbTrack, ZoneAt(89, 200, 17, t));
  EXPECT_EQ(kScrollPageDown, ZoneAt(90, 200, 17, t));
  EXPECT_EQ(kScrollPageDown, ZoneAt(182, 200, 17, t));
  EXPECT_EQ(kScrollLineDown, ZoneAt(183, 200, 17, t));
  EXPECT_EQ(kScrollLineDown, ZoneAt(199, 200, 17, t));
  EXPECT_EQ(kZoneNone, ZoneAt(200, 200, 17, t));
  // A thumb filling the track: only the arrows answer.
  EXPECT_EQ(kZoneNone, ZoneAt(100, 200, 17, ThumbPlace{17, 166}));
  EXPECT_EQ(kScrollLineDown, ZoneAt(190, 200, 17, ThumbPlace{17, 166}));
}

TEST(ScrollbarGeometryTest, DragPositionFollowsThePointerWithinTheTrack) {
  const BarScroll b = Bar(0, 100, 10, 0);
  const ThumbPlace t = PlaceThumb(b, 200, 17, 8);
  const int grab = 5;
  // At the top, above it, at the bottom and below it.
  EXPECT_EQ(0, DragPosition(b, 17 + grab, grab, 200, 17, t.length));
  EXPECT_EQ(0, DragPosition(b, -400, grab, 200, 17, t.length));
  EXPECT_EQ(91, DragPosition(b, 183 - t.length + grab, grab, 200, 17, t.length));
  EXPECT_EQ(91, DragPosition(b, 5000, grab, 200, 17, t.length));  // maximum - page + 1
  // Half way along the travel is about half the positions.
  const int travel = 166 - t.length;
  EXPECT_EQ(MulDivRound(travel / 2, 91, travel),
            DragPosition(b, 17 + travel / 2 + grab, grab, 200, 17, t.length));
  // The minimum is the origin of the positions.
  const BarScroll shifted = Bar(50, 150, 10, 50);
  EXPECT_EQ(50, DragPosition(shifted, 0, 0, 200, 17, t.length));
  EXPECT_EQ(141, DragPosition(shifted, 5000, 0, 200, 17, t.length));
  // No travel: the minimum.
  EXPECT_EQ(0, DragPosition(b, 100, 0, 200, 17, 166));
}

}  // namespace
