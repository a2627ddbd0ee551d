#include "display/surface_mouse.h"

#include <algorithm>
#include <cmath>

#include "display/surface_layout.h"
#include "engine/document.h"
#include "engine/movement.h"
#include "engine/render_cache.h"
#include "engine/utf8.h"

namespace {

constexpr float kWheelNotch = 120.0f;
constexpr float kLinesPerNotch = 3.0f;

int32_t LimitToPage(const ScrollState& s, int64_t position) {
  position = std::min<int64_t>(position, static_cast<int64_t>(s.maximum) - s.page);
  return static_cast<int32_t>(std::max<int64_t>(position, 0));
}

// Line and column under the pointer, clamped to the document's text.
void ClampedTarget(const Document& doc, const RenderCache& cache, const PointerCell& cell,
                   int32_t* line, int32_t* column) {
  const int32_t count = std::min(cache.line_count, doc.lines.Count());
  *line = count > 0 ? std::clamp(cache.top_line + cell.row, 0, count - 1) : 0;
  const int32_t length = count > 0 ? Utf8Columns(doc.lines[*line].start, doc.lines[*line].length) : 0;
  *column = std::clamp(DocumentColumnAt(cache, cell), 0, length);
}

void CloseOpenGap(Document* doc) {
  if (doc->gap.gap_closed) return;
  CloseGapAtCaret(doc);
}

}  // namespace

PointerCell PointerCellAt(const RenderCache& cache, int x, int y) {
  PointerCell cell;
  if (cache.cell_width <= 0 || cache.cell_height <= 0) return cell;
  cell.row = std::max(y, 0) / cache.cell_height;
  cell.column = std::max(x - cache.left_margin, 0) / cache.cell_width;
  return cell;
}

int32_t DocumentColumnAt(const RenderCache& cache, const PointerCell& cell) {
  if (cache.cell_width <= 0) return cell.column;
  return cell.column + (-cache.scroll_x) / cache.cell_width;
}

void PressAt(Document* doc, RenderCache* cache, int x, int y) {
  const PointerCell cell = PointerCellAt(*cache, x, y);
  if (doc->has_selection) ClearSelection(doc);
  // Columns are counted in the text without the gap's filler.
  CloseOpenGap(doc);
  GoToLineColumn(doc, cache->top_line + cell.row, DocumentColumnAt(*cache, cell));
  // The text stays still under the pointer from the press to the release,
  // whatever row of the pane was clicked.
  HoldViewAtCaret(*cache, static_cast<int32_t>(doc->caret_line), static_cast<int32_t>(doc->caret_column));
  doc->has_selection = 1;
  doc->sel_anchor = doc->sel_start = doc->sel_end = doc->caret;
  doc->anchor_column = doc->sel_caret_column = static_cast<int32_t>(doc->caret_column);
  doc->anchor_line = doc->sel_caret_line = static_cast<int32_t>(doc->caret_line);
}

void DragTo(Document* doc, RenderCache* cache, int x, int y) {
  int32_t line = 0;
  int32_t column = 0;
  ClampedTarget(*doc, *cache, PointerCellAt(*cache, x, y), &line, &column);
  doc->sel_caret_column = column;
  doc->sel_caret_line = line;
}

void ReleaseAt(Document* doc, RenderCache* cache, int x, int y) {
  int32_t line = 0;
  int32_t column = 0;
  ClampedTarget(*doc, *cache, PointerCellAt(*cache, x, y), &line, &column);
  CloseOpenGap(doc);
  GoToLineColumn(doc, line, column);
  HoldViewAtCaret(*cache, static_cast<int32_t>(doc->caret_line), static_cast<int32_t>(doc->caret_column));
  // Text positions decide, not cells: a press and a release past the end of
  // one line (or on one cell) select nothing.
  if (doc->caret == doc->sel_anchor) {
    ClearSelection(doc);
  } else {
    UpdateSelection(doc);
  }
}

int32_t ScrollRequestPosition(const ScrollState& s, int code) {
  int64_t position = s.position;
  switch (code) {
    case 0: position = s.position - 1; break;                       // SB_LINEUP
    case 1: position = static_cast<int64_t>(s.position) + 1; break; // SB_LINEDOWN
    case 2: position = static_cast<int64_t>(s.position) - s.page; break;
    case 3: position = static_cast<int64_t>(s.position) + s.page; break;
    case 5: position = s.track; break;                              // SB_THUMBTRACK
    case 6: position = 0; break;                                    // SB_TOP
    case 7: position = static_cast<int64_t>(s.maximum) - s.page; break;
    default: break;  // SB_THUMBPOSITION and the rest keep the position
  }
  return LimitToPage(s, position);
}

int32_t WheelPosition(const ScrollState& s, int delta) {
  float position = static_cast<float>(s.position) +
                   static_cast<float>(-delta) / kWheelNotch * kLinesPerNotch;
  position = std::min(position, static_cast<float>(s.maximum - s.page));
  position = std::max(position, 0.0f);
  return static_cast<int32_t>(std::floor(position + 0.5f));
}
