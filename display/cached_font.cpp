#include "display/cached_font.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/utf8.h"

namespace {

using Line = std::u32string;

std::vector<Line> SplitLines(const char* text, size_t length, bool single_line) {
  std::vector<Line> lines(1);
  size_t at = 0;
  while (at < length) {
    const char32_t cp = NextCodePoint(text, length, &at);
    if (!single_line && (cp == U'\n' || cp == U'\r')) {
      if (cp == U'\r' && at < length && text[at] == '\n') ++at;
      lines.emplace_back();
    } else {
      lines.back().push_back(cp);
    }
  }
  return lines;
}

const Glyph* FindGlyph(CachedFont& font, char32_t cp) {
  auto it = font.glyphs.find(cp);
  if (it != font.glyphs.end()) return &it->second;
  Glyph glyph;
  if (!font.source->Render(cp, &glyph) || glyph.width < 0 || glyph.height < 0 ||
      glyph.coverage.size() != static_cast<size_t>(glyph.width) * glyph.height) {
    glyph = Glyph{};
  }
  return &font.glyphs.emplace(cp, std::move(glyph)).first->second;
}

int LineWidth(CachedFont& font, const Line& line) {
  long long width = 0;
  for (char32_t cp : line) width += FindGlyph(font, cp)->advance;
  return static_cast<int>(std::min<long long>(width, kMaxCanvasSide * 4LL));
}

void BlendGlyph(Canvas& canvas, const Glyph& glyph, int x, int y, const PixelRect& clip,
                Pixel colour, int weight) {
  for (int gy = 0; gy < glyph.height; ++gy) {
    const int py = y + glyph.top + gy;
    if (py < clip.top || py >= clip.bottom) continue;
    const uint8_t* row = glyph.coverage.data() + static_cast<size_t>(gy) * glyph.width;
    for (int gx = 0; gx < glyph.width; ++gx) {
      const int px = x + glyph.left + gx;
      if (px < clip.left || px >= clip.right || row[gx] == 0) continue;
      Pixel& p = canvas.pixels[static_cast<long long>(py) * canvas.width + px];
      p = BlendPixel(p, colour, (row[gx] * weight + 127) / 255);
    }
  }
}

PixelRect ClipArea(const Canvas& canvas, const PixelRect& rect, unsigned flags) {
  PixelRect clip{0, 0, canvas.width, canvas.height};
  if (!(flags & kTextNoClip)) {
    clip.left = std::max(clip.left, rect.left);
    clip.top = std::max(clip.top, rect.top);
    clip.right = std::min(clip.right, rect.right);
    clip.bottom = std::min(clip.bottom, rect.bottom);
  }
  return clip;
}

}  // namespace

void SetGlyphSource(CachedFont& font, std::unique_ptr<GlyphSource> source) {
  font.glyphs.clear();
  font.source = std::move(source);
}

void SetTextColour(CachedFont& font, Pixel colour, float opacity) {
  font.text_colour = colour;
  font.text_opacity = opacity;
}

void SetBackgroundColour(CachedFont& font, Pixel colour) { font.background_colour = colour; }

void SetBackgroundMode(CachedFont& font, int mode) {
  if (mode == kBackgroundTransparent || mode == kBackgroundOpaque) font.background_mode = mode;
}

int DrawUtf8Text(CachedFont& font, Canvas& canvas, const char* text, int length, PixelRect* rect,
                 unsigned flags) {
  if (!font.source || !text || !rect) return 0;
  const size_t size = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
  const std::vector<Line> lines = SplitLines(text, size, (flags & kTextSingleLine) != 0);
  const int line_height = std::max(font.source->LineHeight(), 0);
  std::vector<int> widths;
  int widest = 0;
  for (const Line& line : lines) {
    widths.push_back(LineWidth(font, line));
    widest = std::max(widest, widths.back());
  }
  const long long total = static_cast<long long>(line_height) * lines.size();
  const int text_height = static_cast<int>(std::min<long long>(total, kMaxCanvasSide * 4LL));
  if (flags & kTextCalcRect) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + text_height;
    return text_height;
  }
  if (!canvas.pixels) return text_height;
  const PixelRect clip = ClipArea(canvas, *rect, flags);
  const int weight = OpacityWeight(font.text_opacity);
  int top = rect->top;
  for (size_t k = 0; k < lines.size(); ++k, top += line_height) {
    int x = rect->left;
    if (font.background_mode == kBackgroundOpaque) {
      const PixelRect box{std::max(x, clip.left), std::max(top, clip.top),
                          std::min(x + widths[k], clip.right), std::min(top + line_height, clip.bottom)};
      FillCanvasRect(canvas, box.left, box.top, RectWidth(box), RectHeight(box),
                     font.background_colour, 1.0f);
    }
    for (char32_t cp : lines[k]) {
      const Glyph* glyph = FindGlyph(font, cp);
      BlendGlyph(canvas, *glyph, x, top, clip, font.text_colour, weight);  // weight 0 blends nothing
      x += glyph->advance;
    }
  }
  return text_height;
}
