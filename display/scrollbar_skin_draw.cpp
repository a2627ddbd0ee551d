// Composing a vertical bar on a Canvas, from skin pieces or in flat colours.
#include <algorithm>
#include <cmath>

#include "display/scrollbar_skin.h"

namespace {

constexpr int kArrowNormalX = 116, kArrowHotX = 133, kArrowPressedX = 150;
constexpr int kUpArrowY = 121, kDownArrowY = 181;
constexpr int kTrackX = 170, kTrackPressedX = 187;
constexpr int kTrackFirstRow = 37, kTrackEndRow = 238;  // rows 37..237
constexpr int kThumbNormalX = 0, kThumbHotX = 17, kThumbDraggedX = 34;

PixelRect Cell(int x, int y, int height) { return PixelRect{x, y, x + kSkinCell, y + height}; }

// How much the pieces grow across the bar: none for the cells' own width or
// one less, else in proportion to the bar's width (which follows the DPI).
double PieceScale(int width) {
  return width == kSkinCell - 1 || width == kSkinCell ? 1.0 : width / double(kSkinCell);
}

// A piece onto the rows top..bottom of a bar `width` wide. Pieces drawn at
// another scale are resampled smoothly, never by doubling pixels.
void Blit(Canvas& out, const Canvas& skin, PixelRect src, int width, int top, int bottom) {
  if (bottom <= top || RectHeight(src) <= 0) return;
  const PixelRect to{0, top, width, bottom};
  if (PieceScale(width) == 1.0) {
    CopyCanvasScaled(out, to, skin, src, 1.0f);
  } else {
    CopyCanvasSmooth(out, to, skin, src, 1.0f);
  }
}

int ArrowX(const BarLook& look, int zone) {
  if (look.pressed_zone == zone) return kArrowPressedX;
  if (look.hot_zone == zone) return kArrowHotX;
  return kArrowNormalX;
}

// The track strip from `top` to `bottom`: caps at their own length, the middle
// stretched. Caps longer than the room share it.
void DrawTrack(Canvas& out, const Canvas& skin, const SkinPieces& p, int strip_x, int width,
               int top, int bottom) {
  const int room = bottom - top;
  if (room <= 0) return;
  const int strip = kTrackEndRow - kTrackFirstRow;
  int cap_top = std::min(p.track_top, strip / 2), cap_bottom = std::min(p.track_bottom, strip / 2);
  if (cap_top + cap_bottom > room) {
    cap_top = room / 2;
    cap_bottom = room - cap_top;
  }
  const int middle_top = kTrackFirstRow + std::min(p.track_top, strip / 2);
  const int middle_end = kTrackEndRow - std::min(p.track_bottom, strip / 2);
  Blit(out, skin, Cell(strip_x, kTrackFirstRow, cap_top), width, top, top + cap_top);
  Blit(out, skin, Cell(strip_x, middle_top, middle_end - middle_top), width, top + cap_top,
       bottom - cap_bottom);
  Blit(out, skin, Cell(strip_x, kTrackEndRow - cap_bottom, cap_bottom), width, bottom - cap_bottom,
       bottom);
}

int Scaled(int length, double scale) { return static_cast<int>(std::lround(length * scale)); }

void DrawThumb(Canvas& out, const BarLook& look, const Canvas& skin, const SkinPieces& p) {
  const int x = look.dragging ? kThumbDraggedX
                : look.hot_zone == kScrollThumbTrack ? kThumbHotX : kThumbNormalX;
  const double scale = PieceScale(look.width);
  const int top = look.thumb.start, bottom = look.thumb.start + look.thumb.length;
  int cap_top = Scaled(p.thumb_top, scale), cap_bottom = Scaled(p.thumb_bottom, scale);
  if (cap_top + cap_bottom > look.thumb.length) {
    cap_top = look.thumb.length / 2;
    cap_bottom = look.thumb.length - cap_top;
  }
  const int grip = Scaled(p.thumb_grip, scale);
  const int row0 = p.thumb_first_row;
  const int upper_row = row0 + p.thumb_top, grip_row = upper_row + p.thumb_upper;
  const int lower_row = grip_row + p.thumb_grip, bottom_row = lower_row + p.thumb_lower;
  const int grip_top = top + (look.thumb.length - grip) / 2;
  const bool grip_fits = grip > 0 && cap_top + cap_bottom + grip <= look.thumb.length;
  const int upper_end = grip_fits ? grip_top : (top + bottom) / 2;
  const int lower_start = grip_fits ? grip_top + grip : upper_end;
  Blit(out, skin, Cell(x, upper_row, p.thumb_upper), look.width, top + cap_top, upper_end);
  Blit(out, skin, Cell(x, lower_row, p.thumb_lower), look.width, lower_start, bottom - cap_bottom);
  if (grip_fits) Blit(out, skin, Cell(x, grip_row, p.thumb_grip), look.width, grip_top, grip_top + grip);
  Blit(out, skin, Cell(x, row0, p.thumb_top), look.width, top, top + cap_top);
  Blit(out, skin, Cell(x, bottom_row, p.thumb_bottom), look.width, bottom - cap_bottom, bottom);
}

void FillRows(Canvas& out, int top, int bottom, Pixel colour, float opacity) {
  FillCanvasRect(out, 0, top, out.width, bottom - top, colour, opacity);
}

// A triangle pointing up or down, centred in the rows top..bottom.
void FlatArrow(Canvas& out, int top, int bottom, bool up, Pixel colour) {
  const int size = std::max(std::min(out.width, bottom - top) / 3, 1);
  const int first = top + (bottom - top - size) / 2;
  const int centre = out.width / 2;
  for (int i = 0; i < size; ++i) {
    const int half = up ? i : size - 1 - i;
    FillCanvasRect(out, centre - half, first + i, 2 * half + 1, 1, colour, 1.0f);
  }
}

}  // namespace

void DrawSkinnedBar(Canvas& out, const BarLook& look, const Canvas& skin, const SkinMetrics& metrics) {
  const SkinPieces& p = metrics.pieces;
  const int track_top = look.arrow, track_bottom = look.length - look.arrow;
  DrawTrack(out, skin, p, kTrackX, look.width, track_top, track_bottom);
  const bool fits = ThumbFits(look.thumb, look.length, look.arrow);
  if (fits && (look.pressed_zone == kScrollPageUp || look.pressed_zone == kScrollPageDown)) {
    // The pressed part of the track comes from the pressed strip.
    Canvas pressed;
    if (ResizeCanvas(pressed, out.width, out.height)) {
      DrawTrack(pressed, skin, p, kTrackPressedX, look.width, track_top, track_bottom);
      const int thumb_end = look.thumb.start + look.thumb.length;
      const PixelRect part = look.pressed_zone == kScrollPageUp
                                 ? PixelRect{0, track_top, out.width, look.thumb.start}
                                 : PixelRect{0, thumb_end, out.width, track_bottom};
      CopyCanvas(out, 0, part.top, pressed, part, 1.0f);
    }
  }
  Blit(out, skin, Cell(ArrowX(look, kScrollLineUp), kUpArrowY, kSkinCell), look.width, 0, look.arrow);
  Blit(out, skin, Cell(ArrowX(look, kScrollLineDown), kDownArrowY, kSkinCell), look.width,
       look.length - look.arrow, look.length);
  if (fits) DrawThumb(out, look, skin, p);
}

void DrawFlatBar(Canvas& out, const BarLook& look, Pixel face, Pixel text) {
  ClearCanvas(out, face);
  const int track_top = look.arrow, track_bottom = look.length - look.arrow;
  const bool fits = ThumbFits(look.thumb, look.length, look.arrow);
  const int thumb_end = look.thumb.start + look.thumb.length;
  if (look.pressed_zone == kScrollLineUp) FillRows(out, 0, look.arrow, text, 0.25f);
  if (look.pressed_zone == kScrollLineDown) FillRows(out, track_bottom, look.length, text, 0.25f);
  if (fits && look.pressed_zone == kScrollPageUp) FillRows(out, track_top, look.thumb.start, text, 0.15f);
  if (fits && look.pressed_zone == kScrollPageDown) FillRows(out, thumb_end, track_bottom, text, 0.15f);
  FlatArrow(out, 0, look.arrow, true, text);
  FlatArrow(out, track_bottom, look.length, false, text);
  if (fits) {
    const float opacity = look.dragging ? 0.6f : look.hot_zone == kScrollThumbTrack ? 0.5f : 0.4f;
    FillCanvasRect(out, 1, look.thumb.start + 1, out.width - 2, look.thumb.length - 2, text, opacity);
  }
}
