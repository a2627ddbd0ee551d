#pragma once
// The text pane's layout arithmetic on a RenderCache: metrics, the decision
// to lay out again, vertical and horizontal follow of the caret, selection
// rectangles and the caret blink. No window is involved.
#include <cstdint>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "engine/render_cache.h"

struct Document;

// Stores the cell metrics for a client of width x height pixels and the
// document's line count; a new cell size asks for a full layout and keeps
// scroll_x on the same column. False (nothing stored) when a cell has no width or
// height: the pane then shows the empty screen.
bool StoreMetrics(RenderCache& cache, int cell_width, int cell_height, int width, int height,
                  int32_t line_count);

// Whether the paint must lay the text out again (otherwise it only blinks).
bool NeedsFullLayout(const RenderCache& cache, const Document& doc);

// Keeps the caret within rows top_margin .. bottom_margin while following,
// and within the rows that exist; re-attaches a detached view when the
// caret has moved.
void FollowVertically(RenderCache& cache, int32_t caret_line, int32_t caret_column);
// Keeps the caret within `columns`, scrolling by whole cells (scroll_x <= 0).
void FollowHorizontally(RenderCache& cache, int32_t caret_column);
// The caret went where the pointer is: the view takes it where it stands,
// so the next layout moves no text (the follow applies from the next move).
void HoldViewAtCaret(RenderCache& cache, int32_t caret_line, int32_t caret_column);

// Ends of the selection in pixels: anchor (x_a, y_a) and caret (x_c, y_c).
struct SelectionEnds {
  int x_a = 0;
  int y_a = 0;
  int x_c = 0;
  int y_c = 0;
};
SelectionEnds SelectionPixels(const RenderCache& cache, const Document& doc);
// The highlight rectangles of the selection for a client of the given size,
// each cell_height - row_gap high; rows entirely outside the client are left out.
std::vector<PixelRect> SelectionRects(const RenderCache& cache, const SelectionEnds& ends,
                                      int client_width, int client_height);

// The caret cell from caret_cell_column and caret_row.
void StoreCaretRect(RenderCache& cache);

// After a layout: scroll_x <= 0 on the cell grid, top_line >= 0, and a
// following view shows the caret line on caret_row and the caret column on
// caret_cell_column. For tests; `why` names the first broken rule.
bool CheckLayoutInvariants(const RenderCache& cache, int32_t caret_line, int32_t caret_column,
                           std::string* why);

// The blink at a paint, by the clock (milliseconds, wrapping): the caret is
// shown at once after it moved and changes phase every 100 ms, however
// many paints fall in between. What to draw for the caret afterwards.
enum class CaretDraw { kNothing, kHide, kShow };
CaretDraw BlinkStep(RenderCache& cache, uint32_t now_ms);

// What a blink changes on the screen, for a client `width` pixels wide: the
// caret cell and the strip of `caret_rows` rows across the client on which the
// insert caret stands, in one rectangle.
PixelRect CaretBlinkArea(const RenderCache& cache, int caret_rows, int width);
