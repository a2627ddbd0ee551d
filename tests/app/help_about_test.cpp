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
constexpr int kCharWidth = GridGlyphs::kWidth;
constexpr int kLineHeight = GridGlyphs::kHeight;

int Chars(const char* utf8) { return Utf8Columns(utf8, std::strlen(utf8)); }

const CreditPlacement* Find(const std::vector<CreditPlacement>& shown, int index) {
  for (const CreditPlacement& p : shown)
    if (p.index == index) return &p;
  return nullptr;
}

std::vector<int> Indices(const std::vector<CreditPlacement>& shown) {
  std::vector<int> out;
  for (const CreditPlacement& p : shown) out.push_back(p.index);
  return out;
}

struct Fixture {
  CachedFont font;
  AboutAnimation animation = NewAboutAnimation();
  Fixture() { UseGridFont(font); }
  std::vector<CreditPlacement> Frame(int scroll, int width = 630, bool alternative = false) {
    animation.scroll = scroll;
    return LayOutCredits(&animation, font, width, alternative);
  }
};

TEST(HelpAbout, CreditsHaveTheirGapsAndTwoGreekAlternatives) {
  EXPECT_EQ(NewAboutAnimation().gap_indices,
            (std::vector<int32_t>{4, 7, 11, 14, 18, 22, 44, 50, 54, 58, 61, 71, 74}));
  for (int i = 0; i < kCreditCount; ++i) {
    EXPECT_EQ(IsValidUtf8(kCredits[i]) >= 0, true) << i;
    EXPECT_EQ(CreditText(i, false), std::string(kCredits[i]));
  }
  for (const CreditAlternative& a : kCreditAlternatives) {
    EXPECT_NE(kCredits[a.index][0], '\0') << "an alternative replaces a name, not a gap";
    EXPECT_EQ(IsValidUtf8(a.text), 1) << "another script, so multi-byte UTF-8";
    EXPECT_STREQ(CreditText(a.index, true), a.text);
  }
  EXPECT_STREQ(kCredits[0], "Orvinale");
  EXPECT_STREQ(CreditText(3, true), kCredits[3]) << "other entries have no alternative";
  EXPECT_STREQ(CreditText(-1, false), "");
  EXPECT_STREQ(CreditText(kCreditCount, true), "");
}

TEST(HelpAbout, FirstFrameShowsTheTopEntriesAndFixesTheLimit) {
  Fixture f;
  std::vector<CreditPlacement> shown = f.Frame(0);
  // Entry 0's box moved 16 down from 178; entry 1's top is exactly 210, the
  // last top that still counts as inside; entry 2 (226) does not.
  ASSERT_EQ(Indices(shown), (std::vector<int>{0, 1}));
  const int width0 = Chars(kCredits[0]) * kCharWidth;
  EXPECT_EQ(shown[0].box.top, 194);
  EXPECT_EQ(shown[0].box.bottom, 194 + kLineHeight) << "measured: one line high";
  EXPECT_EQ(shown[0].box.left, 315 - width0 / 2) << "centred on half the area's width";
  EXPECT_EQ(shown[0].box.right - shown[0].box.left, width0);
  EXPECT_EQ(shown[1].box.top, 210);
  // The whole list: 62 entries of 16 before the last gap, 12 gaps of 32, the
  // last gap of 150 and two closing entries of 32 put the last top at
  // 178 + 1,590; its bottom, one line lower, less 105.
  EXPECT_EQ(f.animation.scroll_limit, 178 + 1590 + kLineHeight - 105);
  EXPECT_FALSE(f.animation.first_frame);

  // Later frames leave the limit alone.
  f.Frame(500);
  EXPECT_EQ(f.animation.scroll_limit, 178 + 1590 + kLineHeight - 105);
}

TEST(HelpAbout, BoxStepsAre16ForLines32ForGapsAnd150BeforeTheEnd) {
  Fixture f;
  f.Frame(0);
  // Entry 45 (after gap 44) sits at offset 848: 38 lines and 7 gaps above it.
  std::vector<CreditPlacement> shown = f.Frame(178 + 848 - 100);
  ASSERT_NE(Find(shown, 45), nullptr);
  EXPECT_EQ(Find(shown, 45)->box.top, 100);
  EXPECT_EQ(Find(shown, 43)->box.top, 100 - 16 - 32) << "a gap is 32 on top of the line";
  EXPECT_EQ(Find(shown, 46)->box.top, 116);
  EXPECT_EQ(Find(shown, 44), nullptr) << "gaps draw nothing";
  // Nothing outside -16..210 is laid out.
  for (const CreditPlacement& p : shown) {
    EXPECT_GE(p.box.top, -16) << p.index;
    EXPECT_LE(p.box.top, 210) << p.index;
  }
  EXPECT_EQ(Find(shown, 38), nullptr) << "top 100 - 32 - 6 x 16 = -28";
  ASSERT_NE(Find(shown, 39), nullptr);
  EXPECT_EQ(Find(shown, 39)->box.top, -12);

  // At the limit the closing entries stand 32 apart and the last one ends in
  // the middle of the 210-pixel frame.
  shown = f.Frame(f.animation.scroll_limit);
  ASSERT_NE(Find(shown, 75), nullptr);
  ASSERT_NE(Find(shown, 76), nullptr);
  EXPECT_EQ(Find(shown, 76)->box.bottom, 105);
  EXPECT_EQ(Find(shown, 75)->box.top, Find(shown, 76)->box.top - 32);
  // 150 lower down the closing lines follow entry 73 after the long pause.
  shown = f.Frame(f.animation.scroll_limit - 150);
  ASSERT_NE(Find(shown, 73), nullptr);
  ASSERT_NE(Find(shown, 75), nullptr);
  EXPECT_EQ(Find(shown, 75)->box.top, Find(shown, 73)->box.top + 150 + 32);
}

TEST(HelpAbout, CtrlShowsTheAlternativeForms) {
  Fixture f;
  f.Frame(0);
  std::vector<CreditPlacement> plain = f.Frame(100);
  std::vector<CreditPlacement> greek = f.Frame(100, 630, true);
  ASSERT_EQ(Indices(plain), Indices(greek));
  ASSERT_NE(Find(greek, 0), nullptr);
  ASSERT_NE(Find(greek, 6), nullptr);
  EXPECT_STREQ(Find(greek, 0)->text, CreditText(0, true));
  EXPECT_STREQ(Find(greek, 6)->text, CreditText(6, true));
  EXPECT_STREQ(Find(plain, 6)->text, kCredits[6]);
  EXPECT_STREQ(Find(greek, 5)->text, kCredits[5]);
  // Centred by the width of the form shown.
  const int greek_width = Chars(CreditText(6, true)) * kCharWidth;
  EXPECT_EQ(Find(greek, 6)->box.left, 315 - greek_width / 2);
}

TEST(HelpAbout, RisesUntilTheLimitThenFadesAndRestartsBelow) {
  AboutAnimation a = NewAboutAnimation();
  a.scroll_limit = 10;
  a.scroll = 8;
  AdvanceAboutAnimation(&a);
  AdvanceAboutAnimation(&a);
  AdvanceAboutAnimation(&a);
  EXPECT_EQ(a.scroll, 11) << "one pixel a frame, including the frame at the limit";
  EXPECT_EQ(a.alpha, 255);

  std::vector<int> alphas;
  for (int frame = 0; frame < 46; ++frame) {
    AdvanceAboutAnimation(&a);
    alphas.push_back(a.alpha);
    if (frame < 45) {
      EXPECT_EQ(a.scroll, 11) << "no rise while fading";
    }
  }
  // 35 steps of 1 down to 220, then steps of 20 to 0, which restarts.
  EXPECT_EQ(alphas[0], 254);
  EXPECT_EQ(alphas[34], 220);
  EXPECT_EQ(alphas[35], 200);
  EXPECT_EQ(alphas[44], 20);
  EXPECT_EQ(alphas[45], 255);
  EXPECT_EQ(a.scroll, -32);
  for (size_t k = 1; k < 45; ++k) EXPECT_EQ(alphas[k - 1] - alphas[k], k < 35 ? 1 : 20) << k;

  // From -32 the list rises again, with the limit of the first frame.
  AdvanceAboutAnimation(&a);
  EXPECT_EQ(a.scroll, -31);
  EXPECT_EQ(a.scroll_limit, 10);
}

TEST(HelpAbout, RestartBeginsBelowTheFrame) {
  Fixture f;
  f.Frame(0);
  EXPECT_TRUE(f.Frame(-32).empty()) << "entry 0's top is 226: nothing shows yet";
  EXPECT_EQ(Indices(f.Frame(-16)), (std::vector<int>{0}));
}

TEST(HelpAbout, FrameIsLightGreyOnBlackAtTheTextOpacity) {
  Fixture f;
  Canvas canvas;
  ASSERT_TRUE(ResizeCanvas(canvas, kAboutFrameWidth, kAboutFrameHeight));
  f.animation.scroll = 20;  // entry 0 at top 174: its blocks fill rows 177..183
  DrawAboutFrame(&f.animation, canvas, f.font, 630, false);
  const int left = 315 - Chars(kCredits[0]) * kCharWidth / 2;
  EXPECT_EQ(CanvasPixelAt(canvas, left + 2, 180), MakePixel(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(CanvasPixelAt(canvas, left - 3, 180), MakePixel(0, 0, 0)) << "opaque black";
  EXPECT_EQ(CanvasPixelAt(canvas, 5, 5), MakePixel(0, 0, 0));

  // Half faded: the grey is blended half way into the black.
  f.animation.alpha = 128;
  DrawAboutFrame(&f.animation, canvas, f.font, 630, false);
  const int red = PixelRed(CanvasPixelAt(canvas, left + 2, 180));
  EXPECT_GE(red, 0xC0 * 120 / 255);
  EXPECT_LE(red, 0xC0 * 136 / 255);
  EXPECT_EQ(CanvasPixelAt(canvas, left - 3, 180), MakePixel(0, 0, 0)) << "the old frame is cleared";
}

}  // namespace
