#include "display/surface_layout.h"

#include <algorithm>
#include <string>

#include "engine/document.h"

namespace {

constexpr int32_t kTopMargin = 5;
constexpr uint32_t kBlinkPeriodMs = 100;  // each phase of the caret
// The timer ticks every 50 ms; a tick this much before a phase is due still
// takes it, so a tick that lands a millisecond early does not stretch it.
constexpr uint32_t kBlinkEarlyMs = 25;
constexpr int32_t kLeftScrollCells = 3;  // the caret may come this close before scrolling back

// The caret's row after a move of d lines: the text moves only when the
// caret would pass a margin in the direction it moves, and then by no more
// than d. A caret a click left outside the margins walks towards them
// without the text jumping under it.
int32_t FollowRow(const RenderCache& c, int32_t row, int32_t d) {
  const int32_t bottom = std::max(c.bottom_margin, c.top_margin);
  if (d > 0) return std::min(row + d, std::max(bottom, row));
  return std::max(row + d, std::min(c.top_margin, row));
}

void ShowLastPage(RenderCache& c, int32_t line) {
  c.top_line = c.line_count - c.rows;
  c.caret_row = c.rows - c.line_count + line;
}

void FollowAttached(RenderCache& c, int32_t line) {
  const int32_t d = line - c.last_caret_line;
  const int32_t n = c.line_count;
  if (line < c.top_margin) {
    c.caret_row = line;
    c.top_line = 0;
  } else if (d != 0 && line <= n - 3) {
    // At a margin the text moves under the caret; away from them top_line
    // stays as it is.
    c.caret_row = FollowRow(c, c.caret_row, d);
    c.top_line = line - c.caret_row;
  } else if (line > n - 3 && (d != 0 || c.top_line > n - c.rows)) {
    // The last three lines show the last page: when the caret moves there,
    // or when the view runs past the end of the text (lines were deleted,
    // the pane grew). A click there leaves the text where it is. Below
    // `rows` that page may start above the caret's own row, so the row is
    // derived from top_line.
    if (line >= c.rows) {
      ShowLastPage(c, line);
    } else {
      c.top_line = std::clamp(c.top_line, 0, std::max(0, std::min(line, n - c.rows)));
      c.caret_row = line - c.top_line;
    }
  }
}

// A click attaches the view itself (HoldViewAtCaret); this is the keyboard
// or a search bringing a scrolled-away view back to the caret.
void FollowDetached(RenderCache& c, int32_t line) {
  if (line < c.top_margin) {
    c.caret_row = line;
    c.top_line = 0;
  } else if (line > c.line_count - c.rows) {
    ShowLastPage(c, line);
  } else {
    c.caret_row = c.top_margin;
    c.top_line = line - c.top_margin;
  }
}

}  // namespace

bool StoreMetrics(RenderCache& cache, int cell_width, int cell_height, int width, int height,
                  int32_t line_count) {
  if (cell_width <= 0 || cell_height <= 0) return false;
  if (cell_width != cache.cell_width || cell_height != cache.cell_height) {
    // A new font (the DPI changed): the text scrolled off at the left keeps
    // its column count, and everything is laid out at the new size.
    if (cache.cell_width > 0) cache.scroll_x = cache.scroll_x / cache.cell_width * cell_width;
    cache.dirty = 1;
  }
  cache.cell_width = cell_width;
  cache.cell_height = cell_height;
  cache.rows = height / cell_height;
  // The cell width in pixels, not one column, is taken off the count.
  cache.columns = width / cell_width - cell_width;
  cache.top_margin = kTopMargin;
  cache.bottom_margin = cache.rows - 3;
  cache.page_step = cache.bottom_margin - cache.top_margin;
  cache.line_count = line_count;
  return true;
}

bool NeedsFullLayout(const RenderCache& cache, const Document& doc) {
  return cache.dirty || doc.has_selection || cache.last_has_selection ||
         static_cast<int32_t>(doc.caret_line) != cache.last_caret_line ||
         static_cast<int32_t>(doc.caret_column) != cache.last_caret_column ||
         cache.last_line_count != cache.line_count;
}

void FollowVertically(RenderCache& cache, int32_t caret_line, int32_t caret_column) {
  if (cache.line_count <= cache.rows) {
    cache.caret_row = caret_line;
    cache.top_line = 0;
  } else if (cache.caret_row >= 0) {
    FollowAttached(cache, caret_line);
  } else if (cache.caret_row == kDetachedCaretRow && (caret_line != cache.last_caret_line ||
                                       caret_column != cache.last_caret_column)) {
    FollowDetached(cache, caret_line);
  }
  // Margins taller than the pane, or a click in the part-shown row under
  // the last whole one, would leave the caret below the rows that exist.
  if (cache.rows > 0 && cache.caret_row >= cache.rows) {
    cache.caret_row = cache.rows - 1;
    cache.top_line = caret_line - cache.caret_row;
  }
}

void FollowHorizontally(RenderCache& cache, int32_t caret_column) {
  const int32_t x = caret_column;
  const int32_t dc = x - cache.last_caret_column;
  const int32_t w = cache.columns;
  const int32_t cell_width = std::max(cache.cell_width, 1);
  const int32_t far = w - x < 0 ? (w - x) * cell_width : 0;
  int32_t& cc = cache.caret_cell_column;
  if (dc > 0) {
    if (cc + dc >= w) {
      cache.scroll_x = far;
      cc = w;
    } else {
      cc += dc;
    }
  } else if (dc < 0 && cc <= kLeftScrollCells) {
    if (x > kLeftScrollCells) {
      cache.scroll_x = (kLeftScrollCells - x) * cell_width;
      cc = kLeftScrollCells;
    } else {
      cache.scroll_x = 0;
      cc = x;
    }
  } else if (dc < 0) {
    cc += dc;
    if (cc < kLeftScrollCells) {
      // The caret's cell follows the new scroll: X itself would lie beyond
      // the last column whenever the text stays scrolled.
      cache.scroll_x = far;
      cc = std::max(x + far / cell_width, 0);
    }
  }
  // A click past the end of a short line in a scrolled view, or a drag
  // released beyond the last column, can leave the caret outside the
  // columns: the text scrolls back as for a jump.
  if (w >= 0 && (cc < 0 || cc > w)) {
    cache.scroll_x = far;
    cc = std::max(x + far / cell_width, 0);
  }
}

void HoldViewAtCaret(RenderCache& cache, int32_t caret_line, int32_t caret_column) {
  cache.caret_row = caret_line - cache.top_line;
  cache.caret_cell_column =
      caret_column + (cache.cell_width > 0 ? cache.scroll_x / cache.cell_width : 0);
  cache.last_caret_line = caret_line;
  cache.last_caret_column = caret_column;
  // The caret's cell moved without a layout: a press and its release handled
  // before one paint leave nothing else that tells the paint to draw it.
  cache.dirty = 1;
}

SelectionEnds SelectionPixels(const RenderCache& cache, const Document& doc) {
  SelectionEnds e;
  e.x_a = doc.anchor_column * cache.cell_width + cache.left_margin;
  e.x_c = doc.sel_caret_column * cache.cell_width + cache.left_margin;
  e.y_a = (doc.anchor_line - cache.top_line) * cache.cell_height;
  e.y_c = (doc.sel_caret_line - cache.top_line) * cache.cell_height;
  if (cache.scroll_x != 0 && e.x_a != e.x_c) {
    e.x_a += cache.scroll_x;
    e.x_c += cache.scroll_x;
  }
  return e;
}

std::vector<PixelRect> SelectionRects(const RenderCache& cache, const SelectionEnds& ends,
                                      int client_width, int client_height) {
  std::vector<PixelRect> rects;
  const int h = cache.cell_height - cache.row_gap;
  const int step = cache.cell_height;
  if (step <= 0) return rects;
  // Rows lie on the cell grid, so one that starts above the client is wholly above it.
  auto add = [&](int left, int top, int right) {
    if (right <= left || top < 0 || top >= client_height) return;
    rects.push_back(PixelRect{left, top, right, top + h});
  };
  if (ends.y_a == ends.y_c) {
    add(std::min(ends.x_a, ends.x_c), ends.y_a, std::max(ends.x_a, ends.x_c));
    return rects;
  }
  const bool anchor_first = ends.y_a < ends.y_c;
  const int x_first = anchor_first ? ends.x_a : ends.x_c;
  const int y_first = anchor_first ? ends.y_a : ends.y_c;
  const int x_last = anchor_first ? ends.x_c : ends.x_a;
  const int y_last = anchor_first ? ends.y_c : ends.y_a;
  add(x_first, y_first, client_width);
  int y = y_first + step;
  if (y < -step) y += ((-step - y) / step) * step;  // skip rows above the client
  for (; y < y_last && y < client_height; y += step) {
    add(cache.left_margin, y, cache.left_margin + client_width);
  }
  add(cache.left_margin, y_last, x_last);
  return rects;
}

void StoreCaretRect(RenderCache& cache) {
  cache.caret_rect[0] = cache.caret_cell_column * cache.cell_width + cache.left_margin;
  cache.caret_rect[1] = cache.caret_row * cache.cell_height;
  cache.caret_rect[2] = cache.caret_rect[0] + cache.cell_width;
  cache.caret_rect[3] = cache.caret_rect[1] + cache.cell_height;
}

CaretDraw BlinkStep(RenderCache& cache, uint32_t now_ms) {
  if (cache.caret_row < 0) return CaretDraw::kNothing;
  const uint32_t since = static_cast<uint32_t>(cache.blink_clock);
  const uint32_t elapsed = now_ms - since;  // the clock wraps after 49 days
  if (cache.caret_moved) {
    cache.caret_shown = 1;
    cache.caret_moved = 0;
    cache.blink_clock = static_cast<int32_t>(now_ms);
  } else if (elapsed + kBlinkEarlyMs >= kBlinkPeriodMs) {
    cache.caret_shown = cache.caret_shown ? 0 : 1;
    // Phases keep to steps of the clock, so paints in between change
    // nothing; after a long pause the rhythm starts again from now.
    const uint32_t next = elapsed < 2 * kBlinkPeriodMs ? since + kBlinkPeriodMs : now_ms;
    cache.blink_clock = static_cast<int32_t>(next);
  } else {
    return CaretDraw::kNothing;
  }
  return cache.caret_shown ? CaretDraw::kShow : CaretDraw::kHide;
}

PixelRect CaretBlinkArea(const RenderCache& c, int caret_rows, int width) {
  // The strip straddles the cell's bottom edge as the paint draws it.
  const int strip_top = c.caret_rect[3] - caret_rows / 2;
  return PixelRect{0, std::min(c.caret_rect[1], strip_top), std::max(width, c.caret_rect[2]),
                   std::max(c.caret_rect[3], strip_top + caret_rows)};
}

bool CheckLayoutInvariants(const RenderCache& c, int32_t caret_line, int32_t caret_column,
                           std::string* why) {
  auto fail = [&](const char* text) {
    if (why != nullptr) *why = text;
    return false;
  };
  if (c.cell_width > 0 && c.scroll_x % c.cell_width != 0) return fail("scroll_x off the cell grid");
  if (c.scroll_x > 0) return fail("scroll_x positive");
  if (c.top_line < 0) return fail("top_line negative");
  if (c.caret_row < -1) return fail("caret_row below -1");
  if (c.caret_row >= 0 && c.top_line + c.caret_row != caret_line) {
    return fail("caret row does not show the caret line");
  }
  if (c.cell_width > 0 && caret_column >= 0 &&
      c.caret_cell_column != caret_column + c.scroll_x / c.cell_width) {
    return fail("caret cell does not show the caret column");
  }
  return true;
}
