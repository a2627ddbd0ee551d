#pragma once
// The About window's credits and animation. The credits are a fixed list of
// headings and names, with empty entries as gaps between the groups; two
// entries have an alternative form in Greek that the window shows while Ctrl
// is held. The list rises one pixel a frame through a 630 x 210 frame, fades
// out once the last entry stands in the middle, and starts again from just
// below the bottom edge. Those are pixels at 96 DPI: the frame, the font and
// the places grow with the window's DPI, the timing stays.
#include <cstdint>
#include <vector>

#include "display/cached_font.h"

constexpr int32_t kCreditCount = 77;
extern const char* const kCredits[kCreditCount];

struct CreditAlternative {
  int32_t index;     // entry it replaces
  const char* text;  // UTF-8
};
extern const CreditAlternative kCreditAlternatives[2];

// The entry's text, or its alternative form when `alternative` is set and it
// has one.
const char* CreditText(int32_t index, bool alternative);
// Indices of the empty entries, ascending.
std::vector<int32_t> CollectGapIndices();

constexpr int32_t kAboutFrameWidth = 630;   // at 96 DPI
constexpr int32_t kAboutFrameHeight = 210;
constexpr int32_t kCreditFontHeight = 16;   // "Arial"

// Invariants: 0 < alpha <= 255 between frames; gap_indices ascending; dpi > 0.
struct AboutAnimation {
  int32_t dpi = 96;          // the frame is drawn at this DPI
  int32_t alpha = 255;       // text opacity
  int32_t scroll = 0;        // pixels (at 96 DPI) the list has moved up
  int32_t scroll_limit = 0;  // scroll at which the fade starts
  bool first_frame = true;   // the next layout fixes scroll_limit
  std::vector<int32_t> gap_indices;
};

// A fresh animation over the credits table.
AboutAnimation NewAboutAnimation();

// One entry of a frame: its text (the alternative form when asked for) and
// the box it is drawn in, single line, at the box's top left.
struct CreditPlacement {
  int32_t index = 0;
  const char* text = "";
  PixelRect box;
};

// Lays out the entries that fall inside the frame for a drawing area
// `area_width` wide, measuring with `font`, in pixels at the animation's
// DPI. The first call also fixes scroll_limit.
std::vector<CreditPlacement> LayOutCredits(AboutAnimation* animation, CachedFont& font,
                                           int32_t area_width, bool alternative);
// Clears the canvas to opaque black and draws the laid-out entries in light
// grey at the animation's opacity.
void DrawAboutFrame(AboutAnimation* animation, Canvas& canvas, CachedFont& font,
                    int32_t area_width, bool alternative);
// The step after a frame: rise, or fade and restart.
void AdvanceAboutAnimation(AboutAnimation* animation);
