// The skinned scrollbar: its arithmetic (stored values, visibility, the
// thumb's place, the zone under a point, the position a thumb drag means),
// the skin image's size markers and the bar composed from its cells.
#include <gtest/gtest.h>

#include <vector>

#include "display/scrollbar_geometry.h"
#include "display/scrollbar_skin.h"
#include "tests/display/grid_font.h"

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
  for (int minimum : {0, 950}) {  // a range moved from under the position keeps the thumb at its end
    BarScroll moved = Bar(0, 1000, 10, 900);
    StoreScrollInfo(moved, kScrollMaskRange, minimum, minimum + 99, 0, 0);
    EXPECT_EQ(minimum ? 17 : 200 - 17 - 17, PlaceThumb(moved, 200, 17, 8).start) << minimum;
  }
  EXPECT_FALSE(ThumbFits(PlaceThumb(Bar(0, 9, 10, 0), 200, 17, 8), 200, 17));
  EXPECT_TRUE(ThumbFits(PlaceThumb(Bar(0, 99, 10, 0), 200, 17, 8), 200, 17));
  EXPECT_TRUE(ThumbFits(ThumbPlace{17, 165}, 200, 17));
  EXPECT_FALSE(ThumbFits(ThumbPlace{17, 0}, 200, 17));
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

const Pixel kGrey = MakePixel(40, 40, 40);

struct TestImage {
  int width, height;
  std::vector<Pixel> pixels;
  TestImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, kGrey) {}
  void Run(int x, int y, int n, bool down) {
    for (int k = 0; k < n; ++k) pixels[static_cast<size_t>(y + (down ? k : 0)) * width + x + (down ? 0 : k)] = kSkinMarker;
  }
  SkinPieces Read() const { return ReadSkinMarkers(pixels.data(), width, height).pieces; }
};

// Markers: horizontal track caps 4 and 6; thumb caps 3 and 4, fillers 10
// and 12, grip 7 from row 91; track caps 5 and 9; horizontal thumb 2 9 6 9 2.
TestImage Marked() {
  TestImage img(204, 238);
  img.Run(0, 35, 4, false);
  img.Run(198, 35, 6, false);
  img.Run(52, 91, 3, true);
  img.Run(52, 104, 7, true);
  img.Run(52, 123, 4, true);
  img.Run(168, 37, 5, true);
  img.Run(168, 229, 9, true);
  img.Run(0, 89, 2, false);
  img.Run(11, 89, 6, false);
  img.Run(26, 89, 2, false);
  return img;
}

std::vector<int> All(const SkinPieces& p) {
  return {p.thumb_top, p.thumb_upper, p.thumb_grip, p.thumb_lower, p.thumb_bottom, p.thumb_first_row,
          p.track_top, p.track_bottom, p.htrack_left, p.htrack_right, p.hthumb[0], p.hthumb[1],
          p.hthumb[2], p.hthumb[3], p.hthumb[4]};
}

TEST(ScrollbarSkin, ReadsMarkersOrFallsBackToFixedSizes) {
  const TestImage img = Marked();
  EXPECT_TRUE(ReadSkinMarkers(img.pixels.data(), 204, 238).has_markers);
  EXPECT_EQ(std::vector<int>({3, 10, 7, 12, 4, 91, 5, 9, 4, 6, 2, 9, 6, 9, 2}), All(img.Read()));
  const SkinPieces fixed = TestImage(204, 238).Read();
  const std::vector<int> got = All(fixed);
  EXPECT_EQ(std::vector<int>({8, 16, 18, 16, 8, 116}), std::vector<int>(got.begin(), got.begin() + 6));
  // Markers in an image one pixel too narrow or too low, none at all, or a
  // magenta that is not opaque are not trusted.
  TestImage narrow(203, 238), low(204, 237), faint(204, 238);
  narrow.Run(0, 35, 1, false);
  low.Run(0, 35, 1, false);
  faint.pixels[35 * 204] = MakePixel(255, 0, 255, 128);
  for (const TestImage* bad : {&narrow, &low, &faint})
    EXPECT_FALSE(ReadSkinMarkers(bad->pixels.data(), bad->width, bad->height).has_markers);
  EXPECT_FALSE(ReadSkinMarkers(nullptr, 500, 500).has_markers);
  TestImage runaway = Marked();  // runs reaching each edge of the image stop there
  runaway.Run(168, 0, 238, true);
  runaway.Run(0, 35, 2 * 204, false);  // rows 35 and 36 whole
  const std::vector<int> edges = All(runaway.Read());
  EXPECT_EQ(std::vector<int>({201, 238, 204, 204}), std::vector<int>(edges.begin() + 6, edges.begin() + 10));
}

// Every pixel of this skin names where it sits: red the column, green and
// blue the row. A bar drawn from it tells which cell each of its rows took.
Canvas MapSkin() {
  Canvas skin;
  EXPECT_TRUE(ResizeCanvas(skin, 204, 238));
  for (int y = 0; y < 238; ++y)
    for (int x = 0; x < 204; ++x) PutCanvasPixel(skin, x, y, MakePixel(x, y & 0xFF, y >> 8), 1.0f);
  return skin;
}

TEST(ScrollbarSkin, EachRowOfTheBarComesFromItsCellInTheSkin) {
  const Canvas skin = MapSkin();
  SkinMetrics metrics = ReadSkinMarkers(skin.pixels, skin.width, skin.height);
  ASSERT_FALSE(metrics.has_markers);  // the fixed thumb: caps 8, fillers 16, grip 18 from row 116
  metrics.pieces.track_top = 5, metrics.pieces.track_bottom = 9;  // as markers would give
  Canvas bar;
  ASSERT_TRUE(ResizeCanvas(bar, 17, 300));
  const struct { int hot, pressed; bool dragging; int up_x, down_x, thumb_x; } looks[] = {
      {kScrollLineUp, kScrollLineDown, true, 133, 150, 34}, {kZoneNone, kScrollPageDown, false, 116, 116, 0},
      {kScrollThumbTrack, kScrollPageUp, false, 116, 116, 17}, {kScrollLineDown, kScrollLineUp, false, 150, 133, 0}};
  for (const auto& l : looks) {
    for (const ThumbPlace& thumb : {ThumbPlace{17, 60}, ThumbPlace{100, 75}, ThumbPlace{223, 60}, ThumbPlace{100, 25}, ThumbPlace{100, 34}, ThumbPlace{100, 12}, ThumbPlace{17, 266}}) {
      BarLook look;
      look.width = 17, look.length = 300, look.arrow = 17, look.thumb = thumb;
      look.hot_zone = l.hot, look.pressed_zone = l.pressed, look.dragging = l.dragging;
      DrawSkinnedBar(bar, look, skin, metrics);
      const bool fits = thumb.length < 266;
      const int end = thumb.start + thumb.length, grip = thumb.start + (thumb.length - 18) / 2;
      for (int y = 0; y < 300; ++y) {
        const Pixel p = CanvasPixelAt(bar, 8, y);
        const int x = PixelRed(p), row = PixelGreen(p) + 256 * PixelBlue(p);
        // The track strip: its caps taken whole, rows 42..228 stretched over 22..273.
        int want_x = 170 + 8, first = 42 + (2 * (y - 22) + 1) * 187 / 504, last = first;
        if (y >= 17 && y < 22) first = last = 37 + y - 17;
        else if (y >= 274 && y < 283) first = last = 229 + y - 274;
        if (y < 17) want_x = l.up_x + 8, first = last = 121 + y;
        else if (y >= 283) want_x = l.down_x + 8, first = last = 181 + y - 283;
        else if (fits && y >= thumb.start && y < end) {
          want_x = l.thumb_x + 8;
          if (thumb.length < 16) first = y < thumb.start + 6 ? 116 : 174, last = first + 7;  // caps squeezed
          else if (y < thumb.start + 8) first = last = 116 + y - thumb.start;
          else if (y >= end - 8) first = last = 174 + y - (end - 8);
          else if (thumb.length >= 34 && y >= grip && y < grip + 18) first = last = 140 + y - grip;
          else first = y < (thumb.length >= 34 ? grip : thumb.start + thumb.length / 2) ? 124 : 158, last = first + 15;
        } else if (fits && ((l.pressed == kScrollPageUp && y < thumb.start) || (l.pressed == kScrollPageDown && y >= end))) {
          want_x = 187 + 8;
        }
        ASSERT_EQ(want_x, x) << "row " << y << " thumb " << thumb.start << " pressed " << l.pressed;
        ASSERT_TRUE(row >= first && row <= last) << "row " << y << " took " << row << ", thumb " << thumb.start;
      }
    }
  }
  Canvas wide;  // a wider bar scales the pieces across
  ASSERT_TRUE(ResizeCanvas(wide, 34, 300));
  BarLook look;
  look.width = 34, look.length = 300, look.arrow = 17;
  DrawSkinnedBar(wide, look, skin, metrics);
  EXPECT_EQ(116 + 16, PixelRed(CanvasPixelAt(wide, 33, 8)));
  // A track of 6 rows is too short for its caps of 5 and 9: they share it.
  look.width = 17, look.length = 40, look.thumb = ThumbPlace{17, 6};
  DrawSkinnedBar(bar, look, skin, metrics);
  for (int y = 17; y < 23; ++y) {
    const Pixel p = CanvasPixelAt(bar, 8, y);
    EXPECT_EQ(std::make_pair(178, y < 20 ? 37 + y - 17 : 235 + y - 20), std::make_pair(int(PixelRed(p)), int(PixelGreen(p))))
        << "row " << y;
  }
}

TEST(ScrollbarSkin, FlatBarShowsArrowsAndAThumbThatFits) {
  Canvas bar;
  ASSERT_TRUE(ResizeCanvas(bar, 17, 200));
  BarLook look;
  look.width = 17, look.length = 200, look.arrow = 17, look.thumb = ThumbPlace{40, 30};
  const Pixel face = MakePixel(240, 240, 240), text = MakePixel(0, 0, 0);
  DrawFlatBar(bar, look, face, text);
  // The up arrow's triangle on rows 6 to 10, the down arrow's on 189 to 193, the face around them.
  ExpectSpots(bar, {{8, 20, face}, {8, 8, text}, {8, 5, face}, {4, 10, text}, {12, 10, text}, {8, 11, face}, {0, 8, face},
                    {4, 189, text}, {12, 189, text}, {8, 193, text}, {7, 193, face}, {8, 194, face}, {8, 188, face}});
  EXPECT_NE(face, CanvasPixelAt(bar, 8, 55));  // thumb
  for (int zone : {kScrollPageUp, kScrollPageDown}) {  // only the pressed side's track darkens
    look.pressed_zone = zone;
    DrawFlatBar(bar, look, face, text);
    const std::vector<int> dark = {CanvasPixelAt(bar, 8, 25) != face, CanvasPixelAt(bar, 8, 150) != face,
                                   CanvasPixelAt(bar, 8, 72) != face, CanvasPixelAt(bar, 1, 195) != face};
    EXPECT_EQ(std::vector<int>({zone == kScrollPageUp, zone == kScrollPageDown, zone == kScrollPageDown, 0}), dark);
  }
  look.pressed_zone = kZoneNone;
  look.thumb = ThumbPlace{17, 166};  // does not fit: not drawn
  DrawFlatBar(bar, look, face, text);
  EXPECT_EQ(face, CanvasPixelAt(bar, 8, 100));
}

}  // namespace
