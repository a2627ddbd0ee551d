// Glyphs rasterised by GDI: each character is drawn white on black into a
// small DIB and its grey level kept as coverage.
#include "display/cached_font_win32.h"

#include "display/canvas_win32.h"
#include "engine/utf8.h"

#include <algorithm>
#include <new>

namespace {

class GdiGlyphSource : public GlyphSource {
 public:
  GdiGlyphSource(HFONT font, bool owns) : font_(font), owns_(owns) {}
  ~GdiGlyphSource() override {
    if (dc_) {
      if (previous_font_) SelectObject(dc_, previous_font_);
      DeleteDC(dc_);
    }
    if (owns_ && font_) DeleteObject(font_);
  }
  GdiGlyphSource(const GdiGlyphSource&) = delete;
  GdiGlyphSource& operator=(const GdiGlyphSource&) = delete;

  bool Open() {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_ || !font_) return false;
    previous_font_ = SelectObject(dc_, font_);
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(dc_, &metrics)) return false;
    line_height_ = metrics.tmHeight;
    return line_height_ > 0;
  }

  int LineHeight() const override { return line_height_; }

  bool Render(char32_t code_point, Glyph* glyph) override {
    wchar_t units[2];
    const int count = EncodeUtf16(code_point, units);
    SIZE extent = {};
    if (!GetTextExtentPoint32W(dc_, units, count, &extent)) return false;
    glyph->advance = extent.cx;
    return Rasterise(units, count, extent.cx, glyph);
  }

 private:
  // Draws the character with room for overhangs on both sides and keeps the
  // smallest box around the lit pixels.
  bool Rasterise(const wchar_t* units, int count, int advance, Glyph* glyph) {
    const int pad = line_height_ / 2 + 2;
    Canvas cell;
    if (!ResizeCanvas(cell, advance + 2 * pad, line_height_)) return false;
    HDC dc = CanvasDc(cell);
    HGDIOBJ old_font = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutW(dc, pad, 0, units, count);
    SelectObject(dc, old_font);
    GdiFlush();
    int left = cell.width, top = cell.height, right = -1, bottom = -1;
    for (int y = 0; y < cell.height; ++y) {
      for (int x = 0; x < cell.width; ++x) {
        if ((CanvasPixelAt(cell, x, y) & 0xFFFFFF) == 0) continue;
        left = std::min(left, x); right = std::max(right, x);
        top = std::min(top, y); bottom = std::max(bottom, y);
      }
    }
    if (right < 0) return true;  // a blank character: advance only
    glyph->left = left - pad;
    glyph->top = top;
    glyph->width = right - left + 1;
    glyph->height = bottom - top + 1;
    glyph->coverage.resize(static_cast<size_t>(glyph->width) * glyph->height);
    for (int y = 0; y < glyph->height; ++y) {
      for (int x = 0; x < glyph->width; ++x) {
        const Pixel p = CanvasPixelAt(cell, left + x, top + y);
        glyph->coverage[static_cast<size_t>(y) * glyph->width + x] =
            static_cast<uint8_t>((PixelRed(p) + PixelGreen(p) + PixelBlue(p)) / 3);
      }
    }
    return true;
  }

  HFONT font_;
  bool owns_;
  HDC dc_ = nullptr;
  HGDIOBJ previous_font_ = nullptr;
  int line_height_ = 0;
};

}  // namespace

bool SetCachedFontHandle(CachedFont& font, HFONT handle, bool owns) {
  std::unique_ptr<GdiGlyphSource> source(new (std::nothrow) GdiGlyphSource(handle, owns));
  if (!source) {
    if (owns && handle) DeleteObject(handle);
    return false;
  }
  if (!source->Open()) return false;
  SetGlyphSource(font, std::move(source));
  return true;
}

HFONT CreateEditorFont(int height) {
  LOGFONTW description = {};
  description.lfHeight = height;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(description.lfFaceName, L"Consolas");
  return CreateFontIndirectW(&description);
}
