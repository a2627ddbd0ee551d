// The scrollbar skin image: reading its piece sizes from the magenta marker
// pixels, and composing a bar from its pieces (or flat colours when there is
// no image) on a Canvas. Everything here works on plain pixels; loading the
// PNG file is the Windows side's job.
#pragma once

#include "display/canvas.h"
#include "display/scrollbar_geometry.h"

constexpr Pixel kSkinMarker = MakePixel(255, 0, 255);  // opaque magenta
constexpr int kSkinMinWidth = 204;   // every marker lies inside 204 x 238
constexpr int kSkinMinHeight = 238;
constexpr int kSkinCell = 17;        // width of the source cells

// Piece lengths along the bar, in source pixels.
struct SkinPieces {
  int thumb_top = 0;       // thumb: top cap, upper filler, grip, lower filler, bottom cap
  int thumb_upper = 0;
  int thumb_grip = 0;
  int thumb_lower = 0;
  int thumb_bottom = 0;
  int thumb_first_row = 0;  // where the thumb column's pieces start
  int track_top = 0;        // vertical track caps
  int track_bottom = 0;
  int htrack_left = 0;      // horizontal pieces (read for completeness)
  int htrack_right = 0;
  int hthumb[5] = {0, 0, 0, 0, 0};
};

struct SkinMetrics {
  bool has_markers = false;
  SkinPieces pieces;
};

// Markers are read when the image is big enough and pixel (0, 35) is magenta;
// otherwise the fixed sizes (thumb 8, 16, 18, 16, 8 from row 116) apply.
SkinMetrics ReadSkinMarkers(const Pixel* pixels, int width, int height);

// How one vertical bar looks now. The canvas it is drawn on is width x length.
struct BarLook {
  int width = 0;
  int length = 0;
  int arrow = 0;             // ArrowLength
  ThumbPlace thumb;          // drawn only when ThumbFits
  int pressed_zone = kZoneNone;
  int hot_zone = kZoneNone;
  bool dragging = false;
};

// Composes the bar from the skin image. `skin` must be at least
// kSkinMinWidth x kSkinMinHeight (the caller falls back to DrawFlatBar otherwise).
void DrawSkinnedBar(Canvas& out, const BarLook& look, const Canvas& skin, const SkinMetrics& metrics);

// The look without a skin: a face-coloured track, arrow triangles and a thumb
// in the text colour, the pressed part darkened.
void DrawFlatBar(Canvas& out, const BarLook& look, Pixel face, Pixel text);
