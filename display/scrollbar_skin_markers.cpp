// Piece sizes from the marker pixels of a skin image.
#include "display/scrollbar_skin.h"

namespace {

struct Image {
  const Pixel* pixels;
  int width;
  int height;
  // (x, y) lies inside the image: Run checks each step, the rest are fixed points.
  bool Marker(int x, int y) const {
    return pixels[static_cast<long long>(y) * width + x] == kSkinMarker;
  }
};

// Length of the run from (x, y) stepping by (dx, dy) over pixels that are
// (want = true) or are not (want = false) markers.
int Run(const Image& img, int x, int y, int dx, int dy, bool want) {
  int n = 0;
  while (x >= 0 && y >= 0 && x < img.width && y < img.height && img.Marker(x, y) == want) {
    ++n;
    x += dx;
    y += dy;
  }
  return n;
}

// Five alternating runs (marker, gap, marker, gap, marker) from (x, y).
void AlternatingRuns(const Image& img, int x, int y, int dx, int dy, int out[5]) {
  for (int k = 0; k < 5; ++k) {
    out[k] = Run(img, x, y, dx, dy, k % 2 == 0);
    x += dx * out[k];
    y += dy * out[k];
  }
}

}  // namespace

SkinMetrics ReadSkinMarkers(const Pixel* pixels, int width, int height) {
  SkinMetrics m;
  const Image img{pixels, width, height};
  const bool big_enough = pixels && width >= kSkinMinWidth && height >= kSkinMinHeight;
  if (!big_enough || !img.Marker(0, 35)) {
    m.pieces.thumb_top = 8;
    m.pieces.thumb_upper = 16;
    m.pieces.thumb_grip = 18;
    m.pieces.thumb_lower = 16;
    m.pieces.thumb_bottom = 8;
    m.pieces.thumb_first_row = 116;
    return m;
  }
  m.has_markers = true;
  int thumb[5];
  AlternatingRuns(img, 52, 91, 0, 1, thumb);
  m.pieces.thumb_top = thumb[0];
  m.pieces.thumb_upper = thumb[1];
  m.pieces.thumb_grip = thumb[2];
  m.pieces.thumb_lower = thumb[3];
  m.pieces.thumb_bottom = thumb[4];
  m.pieces.thumb_first_row = 91;
  m.pieces.track_top = Run(img, 168, 37, 0, 1, true);
  m.pieces.track_bottom = Run(img, 168, 237, 0, -1, true);
  m.pieces.htrack_left = Run(img, 0, 35, 1, 0, true);
  m.pieces.htrack_right = Run(img, 203, 35, -1, 0, true);
  AlternatingRuns(img, 0, 89, 1, 0, m.pieces.hthumb);
  return m;
}
