// The About window's credits and animation: the gaps, the layout of a frame,
// the limit taken from the first frame, the rise, the fade and the restart.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/about_animation.h"
#include "engine/utf8.h"
#include "tests/display/grid_font.h"

namespace {

// The grid font's characters are 7 pixels wide and its lines 13 high.
int Width(const char* utf8) { return Utf8Columns(utf8, std::strlen(utf8)) * GridGlyphs::kWidth; }

struct Frame {
  CachedFont font;
  AboutAnimation animation = NewAboutAnimation();
  std::vector<CreditPlacement> shown;
  Frame() { UseGridFont(font); }
  Frame& At(int scroll, bool alternative = false) {
    animation.scroll = scroll;
    shown = LayOutCredits(&animation, font, 630, alternative);
    return *this;
  }
  const CreditPlacement* Find(int index) const {
    for (const CreditPlacement& p : shown)
      if (p.index == index) return &p;
    return nullptr;
  }
  int Top(int index) const { return Find(index) ? Find(index)->box.top : -999; }
  std::vector<int> Indices() const {
    std::vector<int> out;
    for (const CreditPlacement& p : shown) out.push_back(p.index);
    return out;
  }
};

TEST(HelpAbout, EntriesStep16GapsAdd32AndTheEndPauses150) {
  Frame f;
  // Entry 0 at 178 + 16; entry 1's top 210 is the last inside, entry 2's is not.
  ASSERT_EQ(f.At(0).Indices(), (std::vector<int>{0, 1}));
  const CreditPlacement& first = *f.Find(0);
  EXPECT_EQ(std::vector<int>({315 - Width(kCredits[0]) / 2, 194, 315 - Width(kCredits[0]) / 2 + Width(kCredits[0]), 207}),
            std::vector<int>({first.box.left, first.box.top, first.box.right, first.box.bottom}));
  EXPECT_EQ(f.Top(1), 210);
  // 62 entries of 16 before the last gap, 12 gaps of 32, the last gap of 150
  // and two closing entries of 32; the last line's bottom less 105.
  const int limit = 178 + 1590 + 13 - 105;
  EXPECT_EQ(f.animation.scroll_limit, limit);
  EXPECT_FALSE(f.animation.first_frame);
  f.At(178 + 848 - 100);  // entry 45 sits at offset 848: 38 lines and 7 gaps above it
  EXPECT_EQ(std::vector<int>({100, 100 - 16 - 32, 116, -12, -999, -999}),
            std::vector<int>({f.Top(45), f.Top(43), f.Top(46), f.Top(39), f.Top(44), f.Top(38)}));
  for (const CreditPlacement& p : f.shown) EXPECT_TRUE(p.box.top >= -16 && p.box.top <= 210) << p.index;
  EXPECT_EQ(f.animation.scroll_limit, limit) << "later frames leave the limit alone";
  f.At(limit);  // the last entry ends in the middle of the frame
  EXPECT_EQ(f.Find(76)->box.bottom, 105);
  EXPECT_EQ(f.Top(75), f.Top(76) - 32);
  f.At(limit - 150);
  EXPECT_EQ(f.Top(75), f.Top(73) + 150 + 32);
  EXPECT_TRUE(f.At(-32).shown.empty()) << "the restart begins below the frame";
  EXPECT_EQ(f.At(-16).Indices(), (std::vector<int>{0}));
  // Ctrl shows the alternative forms in the same places.
  const std::vector<int> plain = f.At(100).Indices();
  EXPECT_STREQ(f.Find(6)->text, kCredits[6]);
  f.At(100, true);
  ASSERT_EQ(plain, f.Indices());
  EXPECT_STREQ(f.Find(6)->text, "Ηλίας Μαράντος");
  EXPECT_STREQ(f.Find(5)->text, kCredits[5]) << "other entries have no alternative";
  EXPECT_EQ(f.Find(6)->box.left, 315 - Width(f.Find(6)->text) / 2) << "centred by its own width";
  EXPECT_EQ(std::string(CreditText(-1, false)) + CreditText(kCreditCount, true), "");
}

TEST(HelpAbout, FrameIsLightGreyOnBlackAtTheTextOpacity) {
  Frame f;
  Canvas canvas;
  ASSERT_TRUE(ResizeCanvas(canvas, kAboutFrameWidth, kAboutFrameHeight));
  f.animation.scroll = 20;  // entry 0 at top 174: its blocks fill rows 177..183
  DrawAboutFrame(&f.animation, canvas, f.font, 630, false);
  const int left = 315 - Width(kCredits[0]) / 2;
  ExpectSpots(canvas, {{left + 2, 180, MakePixel(0xC0, 0xC0, 0xC0)}, {left - 3, 180, MakePixel(0, 0, 0)}});
  f.animation.alpha = 128;  // half faded: the grey blended half way into black
  DrawAboutFrame(&f.animation, canvas, f.font, 630, false);
  EXPECT_NEAR(PixelRed(CanvasPixelAt(canvas, left + 2, 180)), 0xC0 / 2, 5);
  EXPECT_EQ(CanvasPixelAt(canvas, left - 3, 180), MakePixel(0, 0, 0)) << "the old frame is cleared";
}

}  // namespace
