// The About window's animation: laying out, drawing and advancing a frame.
#include "app/about_animation.h"

#include <cmath>

#include "engine/dpi_scale.h"

namespace {

constexpr int32_t kFirstTop = 178;
constexpr int32_t kFirstBottom = 388;
constexpr int32_t kLineStep = 16;
constexpr int32_t kGapStep = 32;
constexpr int32_t kClosingStep = 32;   // entries after the last gap
constexpr int32_t kLastGapStep = 150;  // the pause before the closing lines
constexpr int32_t kVisibleFrom = -16;  // a box top from here to the frame's height shows
// The fade starts when the bottom of the last entry is this far below the
// frame's top: half the frame's height.
constexpr int32_t kFadeMargin = 105;

bool IsGap(const std::vector<int32_t>& gaps, int32_t index) {
  for (int32_t g : gaps)
    if (g == index) return true;
  return false;
}

}  // namespace

AboutAnimation NewAboutAnimation() {
  AboutAnimation a;
  a.gap_indices = CollectGapIndices();
  return a;
}

std::vector<CreditPlacement> LayOutCredits(AboutAnimation* a, CachedFont& font,
                                           int32_t area_width, bool alternative) {
  std::vector<CreditPlacement> shown;
  const int32_t centre = area_width / 2;
  const int32_t last_gap = a->gap_indices.empty() ? kCreditCount : a->gap_indices.back();
  // The entries walk down in 96-DPI pixels, so the rise and the fade take
  // the same time at every scale; a shown entry is placed at the DPI.
  // The box is `extent` high until the first entry is measured and one line
  // high after it, so the fade starts with the last entry's bottom near the
  // middle of the frame.
  int32_t top = kFirstTop - a->scroll;
  int32_t extent = kFirstBottom - kFirstTop;
  for (int32_t i = 0; i < kCreditCount; ++i) {
    if (IsGap(a->gap_indices, i)) {
      top += i == last_gap ? kLastGapStep : kGapStep;
      continue;
    }
    top += i > last_gap ? kClosingStep : kLineStep;
    if (top < kVisibleFrom || top > kAboutFrameHeight) continue;
    const char* text = CreditText(i, alternative);
    const int32_t pixel_top = ScaleToDpi(top, a->dpi);
    PixelRect box{0, pixel_top, area_width, pixel_top};
    Canvas no_canvas;  // measuring draws nothing
    DrawUtf8Text(font, no_canvas, text, -1, &box, kTextSingleLine | kTextCalcRect);
    extent = static_cast<int32_t>(std::lround(RectHeight(box) * double{kDesignDpi} / a->dpi));
    const int32_t width = RectWidth(box);
    box.left = centre - width / 2;
    box.right = box.left + width;
    shown.push_back({i, text, box});
  }
  if (a->first_frame) {
    a->scroll_limit = top + extent - kFadeMargin;
    a->first_frame = false;
  }
  return shown;
}

void DrawAboutFrame(AboutAnimation* a, Canvas& canvas, CachedFont& font, int32_t area_width,
                    bool alternative) {
  const Pixel black = MakePixel(0, 0, 0);
  ClearCanvas(canvas, black);
  SetBackgroundColour(font, black);
  SetBackgroundMode(font, kBackgroundOpaque);
  SetTextColour(font, MakePixel(0xC0, 0xC0, 0xC0, a->alpha), static_cast<float>(a->alpha) / 255.0f);
  // Not clipped to the measured box: overhanging glyph edges stay whole.
  for (CreditPlacement& entry : LayOutCredits(a, font, area_width, alternative))
    DrawUtf8Text(font, canvas, entry.text, -1, &entry.box, kTextSingleLine | kTextNoClip);
}

void AdvanceAboutAnimation(AboutAnimation* a) {
  if (a->scroll <= a->scroll_limit) {
    ++a->scroll;
    return;
  }
  // A slow start of the fade, then quick steps to nothing.
  a->alpha -= a->alpha < 221 ? 20 : 1;
  if (a->alpha <= 0) {
    a->alpha = 255;
    a->scroll = -32;  // the list comes back from just below the bottom edge
  }
}
