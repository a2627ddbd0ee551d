// CachedFont: draws and measures UTF-8 text on a Canvas with DrawText-like
// flags. Glyphs come from a GlyphSource (the GDI font on Windows, see
// cached_font_win32.h) once per code point and are kept as coverage masks, so
// repeated text costs no rasterisation.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "display/canvas.h"

// The Win32 DrawText flag values this renderer understands.
constexpr unsigned kTextSingleLine = 0x20;  // DT_SINGLELINE
constexpr unsigned kTextNoClip = 0x100;     // DT_NOCLIP
constexpr unsigned kTextCalcRect = 0x400;   // DT_CALCRECT: measure only

constexpr int kBackgroundTransparent = 1;  // TRANSPARENT
constexpr int kBackgroundOpaque = 2;       // OPAQUE

// One rendered character: its advance and a coverage mask (0..255) placed at
// (pen x + left, line top + top).
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // width * height, rows from the top
};

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  virtual int LineHeight() const = 0;
  // False when the character cannot be rendered; it is then drawn as nothing
  // with no advance.
  virtual bool Render(char32_t code_point, Glyph* glyph) = 0;
};

struct CachedFont {
  std::unique_ptr<GlyphSource> source;  // null until a font is set
  // Invariant: every cached glyph came from the current `source`.
  std::unordered_map<char32_t, Glyph> glyphs;
  Pixel text_colour = MakePixel(0, 0, 0);
  float text_opacity = 1.0f;
  Pixel background_colour = MakePixel(255, 255, 255);
  int background_mode = kBackgroundOpaque;
};

// Replaces the glyph source (dropping every cached glyph).
void SetGlyphSource(CachedFont& font, std::unique_ptr<GlyphSource> source);
void SetTextColour(CachedFont& font, Pixel colour, float opacity = 1.0f);
void SetBackgroundColour(CachedFont& font, Pixel colour);
// 1 = transparent: only the glyphs are drawn; 2 = opaque: the text's lines are
// filled with the background colour first.
void SetBackgroundMode(CachedFont& font, int mode);

// Draws `length` bytes of UTF-8 (-1: up to the NUL) into `rect`, with lines
// broken at LF, CR LF and CR unless kTextSingleLine is given. "&" is an
// ordinary character. With kTextCalcRect nothing is drawn: rect's right and
// bottom become left + widest line and top + text height. Returns the text
// height, 0 when no font is set or the arguments are unusable.
int DrawUtf8Text(CachedFont& font, Canvas& canvas, const char* text, int length, PixelRect* rect,
                 unsigned flags);
