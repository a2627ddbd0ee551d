#include "display/surface_layout.h"

#include <algorithm>
#include <string>

#include "engine/document.h"

namespace {

constexpr int32_t kTopMargin = 5;
constexpr int32_t kBlinkMs = 50;
constexpr int32_t kBlinkPeriodMs = 100;
constexpr int32_t kLeftScrollCells = 3;  // the caret may come this close before scrolling back

int32_t ClampRow(const RenderCache& c, int32_t row) {
  if (c.bottom_margin < c.top_margin) return c.top_margin;
  return std::clamp(row, c.top_margin, c.bottom_margin);
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
    // At a margin the text moves under the caret. Away from the margins
    // top_line stays as it is, except that a row raised to top_margin (the
    // caret was high on the last page) brings the text along with it.
    c.caret_row = ClampRow(c, c.caret_row + d);
    c.top_line = line - c.caret_row;
  } else if (line > n - 3) {
    // The last three lines show the last page. Below `rows` that page may
    // start above the caret's own row, so the row is derived from top_line.
    if (line >= c.rows) {
      ShowLastPage(c, line);
    } else {
      c.top_line = std::clamp(c.top_line, 0, std::max(0, std::min(line, n - c.rows)));
      c.caret_row = line - c.top_line;
    }
  }
}

void FollowDetached(RenderCache& c, int32_t line) {
  // The clicked row holds only when the caret really went to the clicked
  // line; a row left over from an earlier click would move the text (even
  // above the first line). The clicked cell stays recorded: a paint between
  // a press and its release must not hide from the release that the pointer
  // never left the pressed cell.
  if (c.top_margin <= c.click_row && c.click_row <= c.bottom_margin &&
      line == c.top_line + c.click_row) {
    c.caret_row = c.click_row;
  } else if (line < c.top_margin) {
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
}

void FollowHorizontally(RenderCache& cache, int32_t caret_column) {
  const int32_t x = caret_column;
  const int32_t dc = x - cache.last_caret_column;
  const int32_t w = cache.columns;
  const int32_t far = w - x < 0 ? (w - x) * cache.cell_width : 0;
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
      cache.scroll_x -= dc * cache.cell_width;
      cc = kLeftScrollCells;
    } else {
      cache.scroll_x = 0;
      cc = x;
    }
  } else if (dc < 0) {
    cc = std::min(cc + dc, w);
    if (cc < kLeftScrollCells) {
      // The caret's cell follows the new scroll: X itself would lie beyond
      // the last column whenever the text stays scrolled.
      cache.scroll_x = far;
      cc = std::max(x + far / std::max(cache.cell_width, 1), 0);
    }
  }
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

CaretDraw BlinkStep(RenderCache& cache) {
  cache.blink_clock += kBlinkMs;
  if (!(cache.blink_clock >= kBlinkPeriodMs || cache.caret_moved) || cache.caret_row < 0) {
    return CaretDraw::kNothing;
  }
  if (cache.caret_moved) {
    cache.caret_shown = 1;
    cache.caret_moved = 0;
  } else {
    cache.caret_shown = cache.caret_shown ? 0 : 1;
  }
  cache.blink_clock = 0;
  return cache.caret_shown ? CaretDraw::kShow : CaretDraw::kHide;
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
