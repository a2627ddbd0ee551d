#pragma once
// The text pane's paint: lays the current document out on the pane's canvas
// and hands the changed parts to the window. Everything the window system
// does for it goes through a SurfacePort, so the paint runs without one.
#include "display/surface_view.h"
#include "engine/render_cache.h"

struct AppState;

// SCROLLINFO values the paint uses.
constexpr int32_t kScrollInfoSize = 28;
constexpr int32_t kScrollRange = 0x1;
constexpr int32_t kScrollPage = 0x2;
constexpr int32_t kScrollPosition = 0x4;

class SurfacePort {
 public:
  virtual ~SurfacePort() = default;
  // The vertical scrollbar of the pane (the fields the mask names).
  virtual void SetScroll(const SavedScroll& info) = 0;
  // Range, page and position.
  virtual SavedScroll GetScroll() = 0;
  virtual void ShowScroll(bool show) = 0;
  // Copies a rectangle of the pane's canvas to the same place in the window.
  virtual void Present(const PixelRect& rect) = 0;
  virtual void InvalidateSurface() = 0;
  // Draws the line-number pane's labels and shows them now, before the text
  // pane's own frame, so both panes reach the screen together.
  virtual void PresentLinePane() = 0;
  // The client's size now: showing or hiding the scrollbar changes it.
  virtual void ClientSize(int* width, int* height) = 0;
  // Milliseconds of a clock that wraps: the caret blinks by it.
  virtual uint32_t NowMs() = 0;
  // The mouse button pressed on the pane is still held: the text must stay
  // where it is under the pointer.
  virtual bool PointerHeld() = 0;
};

// Colours of the pane.
constexpr Pixel kTextColour = MakePixel(192, 192, 192);
constexpr Pixel kEmptyColour = MakePixel(48, 25, 52);
constexpr Pixel kHighlightColour = MakePixel(128, 128, 255);
constexpr float kHighlightOpacity = 0.6f;
constexpr Pixel kSelectionCaretColour = MakePixel(255, 0, 0);
constexpr Pixel kWhitespaceColour = MakePixel(20, 72, 82);
constexpr Pixel kRulerColour = MakePixel(25, 25, 25);
constexpr Pixel kWisdomColour = MakePixel(255, 255, 255);

// One paint of the pane's client. Does nothing without an AppState or with
// an empty canvas.
void PaintSurface(SurfaceView& view, const AppState* app, SurfacePort& port);

// Cell width and height (measured height of "V" + the row gap) of a font;
// 0 x 0 when the font measures nothing.
void MeasureCell(CachedFont& font, int row_gap, int* cell_width, int* cell_height);
