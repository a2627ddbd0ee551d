#pragma once
// Mouse and scrollbar input of the text pane, as operations on the current
// Document and its RenderCache; the window procedure adds the capture and
// the cursor. None of them paints.
#include <cstdint>

struct Document;
struct RenderCache;

// The cell under a client point: row and column from 0 (negative points
// count as 0; the column is measured from the left margin).
struct PointerCell {
  int32_t row = 0;
  int32_t column = 0;
};
PointerCell PointerCellAt(const RenderCache& cache, int x, int y);
// The document column under a pointer cell: columns scrolled off added.
int32_t DocumentColumnAt(const RenderCache& cache, const PointerCell& cell);

// Press: places the caret under the pointer and starts a selection there;
// the view keeps its place until the release.
void PressAt(Document* doc, RenderCache* cache, int x, int y);
// Drag (while captured): moves the selection's caret end, clamped to the text.
void DragTo(Document* doc, RenderCache* cache, int x, int y);
// Release (while captured): places the caret under the pointer without
// moving the text and fixes the selection, or drops it when it is empty.
void ReleaseAt(Document* doc, RenderCache* cache, int x, int y);

// A scrollbar's state as the pane reads it.
struct ScrollState {
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t page = 0;
  int32_t position = 0;
  int32_t track = 0;
};
// New position for a WM_VSCROLL request code, within 0 .. maximum - page.
int32_t ScrollRequestPosition(const ScrollState& s, int code);
// New position after a wheel turn of `delta` (120 per notch, positive away
// from the user = up): 3 lines a notch, within 0 .. maximum - page.
int32_t WheelPosition(const ScrollState& s, int delta);