#include <gtest/gtest.h>

#include <vector>

#include "display/scrollbar_skin.h"

namespace {

const Pixel kGrey = MakePixel(40, 40, 40);

struct TestImage {
  int width;
  int height;
  std::vector<Pixel> pixels;
  TestImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, kGrey) {}
  void Mark(int x, int y) { pixels[static_cast<size_t>(y) * width + x] = kSkinMarker; }
  void MarkColumn(int x, int y, int n) { for (int k = 0; k < n; ++k) Mark(x, y + k); }
  void MarkRow(int x, int y, int n) { for (int k = 0; k < n; ++k) Mark(x + k, y); }
};

TestImage MarkedImage() {
  TestImage img(204, 238);
  img.Mark(0, 35);
  img.MarkRow(0, 35, 4);          // horizontal left track cap 4
  img.MarkRow(203 - 5, 35, 6);    // right track cap 6
  // Vertical thumb: caps 3 and 4, fillers 10 and 12, grip 7.
  int y = 91;
  img.MarkColumn(52, y, 3); y += 3 + 10;
  img.MarkColumn(52, y, 7); y += 7 + 12;
  img.MarkColumn(52, y, 4);
  img.MarkColumn(168, 37, 5);      // track top cap
  img.MarkColumn(168, 237 - 8, 9);  // track bottom cap
  img.MarkRow(0, 89, 2);
  img.MarkRow(2 + 9, 89, 6);
  img.MarkRow(2 + 9 + 6 + 9, 89, 2);
  return img;
}

TEST(ScrollbarSkinTest, ReadsMarkersFromAMarkedImage) {
  const TestImage img = MarkedImage();
  const SkinMetrics m = ReadSkinMarkers(img.pixels.data(), img.width, img.height);
  ASSERT_TRUE(m.has_markers);
  EXPECT_EQ(3, m.pieces.thumb_top);
  EXPECT_EQ(10, m.pieces.thumb_upper);
  EXPECT_EQ(7, m.pieces.thumb_grip);
  EXPECT_EQ(12, m.pieces.thumb_lower);
  EXPECT_EQ(4, m.pieces.thumb_bottom);
  EXPECT_EQ(91, m.pieces.thumb_first_row);
  EXPECT_EQ(5, m.pieces.track_top);
  EXPECT_EQ(9, m.pieces.track_bottom);
  EXPECT_EQ(4, m.pieces.htrack_left);
  EXPECT_EQ(6, m.pieces.htrack_right);
  const int expected_h[5] = {2, 9, 6, 9, 2};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(expected_h[k], m.pieces.hthumb[k]);
}

TEST(ScrollbarSkinTest, FallsBackToFixedSizesWithoutMarkersOrWhenTooSmall) {
  const TestImage plain(204, 238);
  SkinMetrics m = ReadSkinMarkers(plain.pixels.data(), plain.width, plain.height);
  EXPECT_FALSE(m.has_markers);
  EXPECT_EQ(8, m.pieces.thumb_top);
  EXPECT_EQ(16, m.pieces.thumb_upper);
  EXPECT_EQ(18, m.pieces.thumb_grip);
  EXPECT_EQ(16, m.pieces.thumb_lower);
  EXPECT_EQ(8, m.pieces.thumb_bottom);
  EXPECT_EQ(116, m.pieces.thumb_first_row);
  // Markers in an image one pixel too narrow or too low are not trusted.
  TestImage narrow(203, 238);
  narrow.Mark(0, 35);
  EXPECT_FALSE(ReadSkinMarkers(narrow.pixels.data(), 203, 238).has_markers);
  TestImage low(204, 237);
  low.Mark(0, 35);
  EXPECT_FALSE(ReadSkinMarkers(low.pixels.data(), 204, 237).has_markers);
  EXPECT_FALSE(ReadSkinMarkers(nullptr, 500, 500).has_markers);
  // A magenta that is not opaque is no marker.
  TestImage faint(204, 238);
  faint.pixels[35 * 204] = MakePixel(255, 0, 255, 128);
  EXPECT_FALSE(ReadSkinMarkers(faint.pixels.data(), 204, 238).has_markers);
  // Runs reaching the image's edge stop there.
  TestImage runaway = MarkedImage();
  runaway.MarkColumn(168, 37, 201);
  m = ReadSkinMarkers(runaway.pixels.data(), 204, 238);
  EXPECT_EQ(201, m.pieces.track_top);
  EXPECT_EQ(201, m.pieces.track_bottom);
}

// A skin whose cells are told apart by colour: each arrow state and thumb
// column has its own red value.
Canvas ColouredSkin() {
  Canvas skin;
  EXPECT_TRUE(ResizeCanvas(skin, 204, 238));
  ClearCanvas(skin, kGrey);
  FillCanvasRect(skin, 116, 121, 17, 17, MakePixel(1, 0, 0), 1.0f);  // up, normal
  FillCanvasRect(skin, 133, 121, 17, 17, MakePixel(2, 0, 0), 1.0f);  // up, hot
  FillCanvasRect(skin, 150, 181, 17, 17, MakePixel(3, 0, 0), 1.0f);  // down, pressed
  FillCanvasRect(skin, 170, 37, 17, 201, MakePixel(4, 0, 0), 1.0f);  // track
  FillCanvasRect(skin, 187, 37, 17, 201, MakePixel(5, 0, 0), 1.0f);  // pressed track
  FillCanvasRect(skin, 34, 116, 17, 66, MakePixel(6, 0, 0), 1.0f);   // dragged thumb
  return skin;
}

TEST(ScrollbarSkinTest, ComposesTheBarFromTheRightCells) {
  const Canvas skin = ColouredSkin();
  const SkinMetrics metrics = ReadSkinMarkers(skin.pixels, skin.width, skin.height);
  Canvas bar;
  ASSERT_TRUE(ResizeCanvas(bar, 17, 300));
  BarLook look;
  look.width = 17;
  look.length = 300;
  look.arrow = 17;
  look.thumb = ThumbPlace{100, 60};
  look.hot_zone = kScrollLineUp;
  look.pressed_zone = kScrollLineDown;
  look.dragging = true;
  DrawSkinnedBar(bar, look, skin, metrics);
  EXPECT_EQ(2, PixelRed(CanvasPixelAt(bar, 8, 8)));
  EXPECT_EQ(3, PixelRed(CanvasPixelAt(bar, 8, 290)));
  EXPECT_EQ(4, PixelRed(CanvasPixelAt(bar, 8, 50)));
  EXPECT_EQ(6, PixelRed(CanvasPixelAt(bar, 8, 130)));
  EXPECT_EQ(4, PixelRed(CanvasPixelAt(bar, 8, 200)));
  // Pressing the track after the thumb takes that part from the pressed strip.
  look.pressed_zone = kScrollPageDown;
  look.dragging = false;
  look.hot_zone = kZoneNone;
  DrawSkinnedBar(bar, look, skin, metrics);
  EXPECT_EQ(1, PixelRed(CanvasPixelAt(bar, 8, 8)));
  EXPECT_EQ(4, PixelRed(CanvasPixelAt(bar, 8, 50)));
  EXPECT_EQ(5, PixelRed(CanvasPixelAt(bar, 8, 200)));
  // A wider bar scales the pieces across.
  Canvas wide;
  ASSERT_TRUE(ResizeCanvas(wide, 34, 300));
  look.width = 34;
  DrawSkinnedBar(wide, look, skin, metrics);
  EXPECT_EQ(1, PixelRed(CanvasPixelAt(wide, 33, 8)));
}

TEST(ScrollbarSkinTest, FlatBarShowsArrowsAndThumb) {
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
  look.thumb = ThumbPlace{17, 166};             // does not fit: not drawn
  DrawFlatBar(bar, look, face, text);
  EXPECT_EQ(face, CanvasPixelAt(bar, 8, 100));
}

}  // namespace
