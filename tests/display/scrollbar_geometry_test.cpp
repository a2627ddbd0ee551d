// The skinned scrollbar's arithmetic: stored values, visibility, the thumb's
// place, the zone under a point and the position a thumb drag means.
#include <gtest/gtest.h>

#include <random>

#include "display/scrollbar_geometry.h"

namespace {

BarScroll Bar(int minimum, int maximum, unsigned page, int position) {
  BarScroll b;
  StoreScrollInfo(b, kScrollMaskRange | kScrollMaskPage | kScrollMaskPos, minimum, maximum, page,
                  position);
  return b;
}

TEST(ScrollbarGeometry, MulDivRoundsLikeWin32) {
  const struct { int a, b, c, expected; } cases[] = {{5, 3, 5, 3},   {3, 1, 2, 2},  {-3, 1, 2, -2}, {3, 1, -2, -2}, {-3, -1, 2, 2},
               {7, 1, 3, 2},   {8, 1, 3, 3},  {-7, 1, 3, -2}, {7, 7, 0, -1},
               {2000000000, 2000000000, 1, -1}, {-2000000000, 2000000000, 1, -1},
               {2000000000, 2000000000, 2000000000, 2000000000}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, MulDivRound(c.a, c.b, c.c)) << c.a << "*" << c.b << "/" << c.c;
}

TEST(ScrollbarGeometry, StoringClampsPageAndPosition) {
  BarScroll b;
  // The page is at most the range (plus one); the position stops one page
  // before the end, at the minimum in an empty range; no mask bit, no change.
  const struct { unsigned mask; int minimum, maximum; unsigned page; int position, result, max_after; unsigned page_after; } steps[] = {
      {kScrollMaskRange | kScrollMaskPage | kScrollMaskPos, 0, 100, 10, 500, 91, 100, 10},
      {kScrollMaskPos, 0, 0, 0, -4, 0, 100, 10}, {kScrollMaskPage, 0, 0, 1000, 0, 0, 100, 101},
      {kScrollMaskPos, 0, 0, 0, 50, 0, 100, 101}, {0, 7, 8, 9, 10, 0, 100, 101}};
  for (const auto& k : steps) {
    EXPECT_EQ(k.result, StoreScrollInfo(b, k.mask, k.minimum, k.maximum, k.page, k.position)) << k.mask;
    EXPECT_EQ(std::vector<int>({0, k.max_after, int(k.page_after)}), std::vector<int>({b.minimum, b.maximum, int(b.page)}));
  }
  // A page of 0 lets the position reach the maximum; the range may be
  // negative-based; an inverted range gives no room for a page.
  b = Bar(-10, 10, 0, 99);
  EXPECT_EQ(std::vector<int>({10, -10, 9}), std::vector<int>({b.position, ClampScrollPosition(b, -11), Bar(-10, 10, 2, 99).position}));
  b = Bar(5, 2, 3, 4);
  EXPECT_EQ(std::vector<int>({0, 5}), std::vector<int>({int(b.page), b.position}));
}

TEST(ScrollbarGeometry, VisibilityAndScrollability) {
  const struct { int minimum, maximum; unsigned page; bool shows, scrolls; } cases[] = {{0, 100, 30, true, true},  {0, 20, 30, false, false}, {0, 0, 0, false, false},
               {5, 5, 0, false, false},   {0, 30, 30, true, true},   {0, 29, 30, false, false},
               {3, 4, 0, true, true},     {-5, 0, 0, false, false},  {0, 1, 0, true, true}};
  for (const auto& c : cases) {
    const BarScroll b = Bar(c.minimum, c.maximum, c.page, 0);
    EXPECT_EQ(c.shows, BarShouldShow(b, kScrollMaskRange | kScrollMaskPage)) << c.maximum << " " << c.page;
    EXPECT_TRUE(BarShouldShow(b, kScrollMaskDisableNoScroll));
    EXPECT_EQ(c.scrolls, BarCanScroll(b)) << c.minimum << ".." << c.maximum << " " << c.page;
  }
}

TEST(ScrollbarGeometry, ThumbLengthAndOffset) {
  EXPECT_EQ(std::vector<int>({17, 17, 16}), std::vector<int>({ArrowLength(200, 17), ArrowLength(34, 17), ArrowLength(33, 17)}));
  // Track 166 of a 200-pixel bar; a third of the range in view.
  const struct { BarScroll bar; int bar_length, min_thumb, start, length; } cases[] = {
      {Bar(0, 299, 100, 0), 200, 8, 17, 55},             // MulDiv(100, 166, 300)
      {Bar(0, 299, 100, 200), 200, 8, 17 + 166 - 55, 55},  // at the end of the track
      {Bar(0, 299, 100, 100), 200, 8, 17 + 56, 55},        // MulDiv(100, 111, 200)
      {Bar(0, 100000, 40, 0), 600, 25, 17, 25},            // the minimum length
      {Bar(0, 100000, 40, 100000), 600, 25, 600 - 17 - 25, 25},
      {Bar(0, 10, 0, 5), 200, 8, 17 + 75, 17},             // no page: as long as an arrow
      {Bar(0, 9, 10, 0), 200, 8, 17, 166},                 // a whole-range page fills the track
      {Bar(0, INT32_MAX - 1, 1u << 30, 0), 200, 8, 17, 83},  // the widest range the thumb measures
  };
  for (const auto& c : cases) {
    const ThumbPlace t = PlaceThumb(c.bar, c.bar_length, 17, c.min_thumb);
    EXPECT_EQ(std::make_pair(c.start, c.length), std::make_pair(t.start, t.length)) << c.bar.maximum << " " << c.bar.position;
  }
  EXPECT_FALSE(ThumbFits(PlaceThumb(Bar(0, 9, 10, 0), 200, 17, 8), 200, 17));
  EXPECT_TRUE(ThumbFits(PlaceThumb(Bar(0, 99, 10, 0), 200, 17, 8), 200, 17));
  EXPECT_TRUE(ThumbFits(ThumbPlace{17, 165}, 200, 17));
  EXPECT_FALSE(ThumbFits(ThumbPlace{17, 0}, 200, 17));
}

// Over random bars: the thumb lies within the track, moves forward with the
// position, touches both ends of the track, and a drag from the thumb's own
// place gives back its position.
TEST(ScrollbarGeometry, ThumbStaysInTheTrackAndFollowsThePosition) {
  std::mt19937 random(4242);
  for (int round = 0; round < 500; ++round) {
    const int minimum = static_cast<int>(random() % 200) - 100;
    const int span = 1 + static_cast<int>(random() % 5000);
    const unsigned page = random() % 3 == 0 ? 0 : 1 + random() % span;
    const int bar_length = 40 + static_cast<int>(random() % 800);
    const int arrow = ArrowLength(bar_length, 17);
    const int track = bar_length - 2 * arrow;
    BarScroll bar = Bar(minimum, minimum + span - 1, page, minimum);
    const int last = ClampScrollPosition(bar, INT32_MAX);
    int previous = -1;
    for (int step = 0; step <= 20; ++step) {
      const int position = minimum + static_cast<int>((static_cast<long long>(last - minimum) * step) / 20);
      StoreScrollInfo(bar, kScrollMaskPos, 0, 0, 0, position);
      const ThumbPlace t = PlaceThumb(bar, bar_length, arrow, 8);
      ASSERT_GE(t.start, arrow);
      if (ThumbFits(t, bar_length, arrow)) {
        ASSERT_LE(t.start + t.length, arrow + track) << "span " << span << " page " << page;
        EXPECT_GE(t.start, previous);
        if (step == 0) { EXPECT_EQ(arrow, t.start); }
        if (step == 20 && last > minimum) { EXPECT_EQ(arrow + track - t.length, t.start); }
        const int back = DragPosition(bar, t.start, 0, bar_length, arrow, t.length);
        const int travel = track - t.length;
        const int slack = travel > 0 ? (last - minimum) / travel + 1 : 0;
        EXPECT_NEAR(position, back, slack) << "span " << span << " page " << page;
        EXPECT_EQ(kScrollThumbTrack, ZoneAt(t.start, bar_length, arrow, t));
        EXPECT_EQ(kScrollThumbTrack, ZoneAt(t.start + t.length - 1, bar_length, arrow, t));
      }
      previous = t.start;
    }
  }
}

TEST(ScrollbarGeometry, ZoneOfAPoint) {
  const ThumbPlace t{60, 30};
  const struct { int point, zone; } cases[] = {{-1, kZoneNone},         {0, kScrollLineUp},         {16, kScrollLineUp},
               {17, kScrollPageUp},     {59, kScrollPageUp},        {60, kScrollThumbTrack},
               {89, kScrollThumbTrack}, {90, kScrollPageDown},      {182, kScrollPageDown},
               {183, kScrollLineDown},  {199, kScrollLineDown},     {200, kZoneNone}};
  for (const auto& c : cases) EXPECT_EQ(c.zone, ZoneAt(c.point, 200, 17, t)) << c.point;
  // A thumb filling the track: only the arrows answer.
  EXPECT_EQ(kZoneNone, ZoneAt(100, 200, 17, ThumbPlace{17, 166}));
  EXPECT_EQ(kScrollPageUp, ZoneAt(100, 200, 17, ThumbPlace{120, 45}));
  EXPECT_EQ(kScrollLineDown, ZoneAt(190, 200, 17, ThumbPlace{17, 166}));
}

TEST(ScrollbarGeometry, DragPositionFollowsThePointerWithinTheTrack) {
  const BarScroll b = Bar(0, 100, 10, 0);
  const ThumbPlace t = PlaceThumb(b, 200, 17, 8);
  const int grab = 5;
  const int travel = 166 - t.length;
  const struct { int pointer, position; } cases[] = {{17 + grab, 0}, {-400, 0}, {17 + travel + grab, 91}, {5000, 91},
               {17 + travel / 2 + grab, MulDivRound(travel / 2, 91, travel)},
               {17 + 1 + grab, MulDivRound(1, 91, travel)}};
  for (const auto& c : cases) EXPECT_EQ(c.position, DragPosition(b, c.pointer, grab, 200, 17, t.length)) << c.pointer;
  // The minimum is the origin of the positions.
  const BarScroll shifted = Bar(50, 150, 10, 50);
  EXPECT_EQ(50, DragPosition(shifted, 0, 0, 200, 17, t.length));
  EXPECT_EQ(141, DragPosition(shifted, 5000, 0, 200, 17, t.length));
  // No travel, or no span: the minimum.
  EXPECT_EQ(0, DragPosition(b, 100, 0, 200, 17, 166));
  EXPECT_EQ(50, DragPosition(Bar(50, 59, 10, 50), 100, 0, 200, 17, 20));
}

}  // namespace
