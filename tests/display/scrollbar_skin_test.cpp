// The skin image's size markers and the bar composed from its cells.
#include <gtest/gtest.h>

#include <vector>

#include "display/scrollbar_skin.h"

namespace {

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
  TestImage runaway = Marked();  // runs reaching the image's edge stop there
  runaway.Run(168, 37, 201, true);
  EXPECT_EQ(201, runaway.Read().track_top);
  EXPECT_EQ(201, runaway.Read().track_bottom);
}

// A skin whose cells are told apart by their red value.
Canvas ColouredSkin() {
  Canvas skin;
  EXPECT_TRUE(ResizeCanvas(skin, 204, 238));
  ClearCanvas(skin, kGrey);
  const int cells[][4] = {{116, 121, 17, 1}, {133, 121, 17, 2}, {150, 181, 17, 3},  // up, up hot, down pressed
                          {170, 37, 201, 4}, {187, 37, 201, 5}, {34, 116, 66, 6},   // track, pressed track, dragged thumb
                          {17, 116, 66, 7},  {116, 181, 17, 8}};                    // hot thumb, down
  for (const auto& c : cells) FillCanvasRect(skin, c[0], c[1], 17, c[2], MakePixel(c[3], 0, 0), 1.0f);
  FillCanvasRect(skin, 34, 116 + 8 + 16, 17, 18, MakePixel(9, 0, 0), 1.0f);  // dragged thumb's grip
  return skin;
}

TEST(ScrollbarSkin, ComposesTheBarFromTheRightCells) {
  const Canvas skin = ColouredSkin();
  const SkinMetrics metrics = ReadSkinMarkers(skin.pixels, skin.width, skin.height);
  BarLook look;
  look.width = 17;
  look.length = 300;
  look.arrow = 17;
  look.thumb = ThumbPlace{100, 60};
  const struct { int hot, pressed; bool dragging; int up, down, before, thumb, after; } looks[] = {
      {kScrollLineUp, kScrollLineDown, true, 2, 3, 4, 9, 4},
      {kZoneNone, kScrollPageDown, false, 1, 8, 4, 40, 5},
      {kScrollThumbTrack, kScrollPageUp, false, 1, 8, 5, 7, 4}};
  Canvas bar;
  ASSERT_TRUE(ResizeCanvas(bar, 17, 300));
  for (const auto& l : looks) {
    look.hot_zone = l.hot;
    look.pressed_zone = l.pressed;
    look.dragging = l.dragging;
    DrawSkinnedBar(bar, look, skin, metrics);
    EXPECT_EQ(std::vector<int>({l.up, l.down, l.before, l.thumb, l.after}),
              std::vector<int>({PixelRed(CanvasPixelAt(bar, 8, 8)), PixelRed(CanvasPixelAt(bar, 8, 290)),
                                PixelRed(CanvasPixelAt(bar, 8, 50)), PixelRed(CanvasPixelAt(bar, 8, 130)),
                                PixelRed(CanvasPixelAt(bar, 8, 200))})) << l.hot << " " << l.pressed;
    if (l.dragging) EXPECT_EQ(6, PixelRed(CanvasPixelAt(bar, 8, 112))) << "the filler above the centred grip";
  }
  Canvas wide;  // a wider bar scales the pieces across
  ASSERT_TRUE(ResizeCanvas(wide, 34, 300));
  look.width = 34;
  DrawSkinnedBar(wide, look, skin, metrics);
  EXPECT_EQ(1, PixelRed(CanvasPixelAt(wide, 33, 8)));
}

TEST(ScrollbarSkin, FlatBarShowsArrowsAndAThumbThatFits) {
  Canvas bar;
  ASSERT_TRUE(ResizeCanvas(bar, 17, 200));
  BarLook look;
  look.width = 17;
  look.length = 200;
  look.arrow = 17;
  look.thumb = ThumbPlace{40, 30};
  const Pixel face = MakePixel(240, 240, 240), text = MakePixel(0, 0, 0);
  DrawFlatBar(bar, look, face, text);
  EXPECT_EQ(face, CanvasPixelAt(bar, 8, 20));
  EXPECT_NE(face, CanvasPixelAt(bar, 8, 55));  // thumb
  EXPECT_EQ(text, CanvasPixelAt(bar, 8, 8));   // tip of the up arrow's triangle
  EXPECT_EQ(face, CanvasPixelAt(bar, 0, 8));
  for (int zone : {kScrollPageUp, kScrollPageDown}) {  // the pressed part of the track darkens
    look.pressed_zone = zone;
    DrawFlatBar(bar, look, face, text);
    EXPECT_EQ(zone == kScrollPageUp, CanvasPixelAt(bar, 8, 25) != face) << zone;
    EXPECT_EQ(zone == kScrollPageDown, CanvasPixelAt(bar, 8, 150) != face) << zone;
  }
  look.pressed_zone = kZoneNone;
  look.thumb = ThumbPlace{17, 166};  // does not fit: not drawn
  DrawFlatBar(bar, look, face, text);
  EXPECT_EQ(face, CanvasPixelAt(bar, 8, 100));
}

}  // namespace
