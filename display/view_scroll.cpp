#include "display/view_scroll.h"

#include "engine/render_cache.h"

bool ScrollViewUp(RenderCache* shown) {
  if (shown == nullptr || shown->top_line < 1 || shown->caret_row >= shown->bottom_margin) return false;
  shown->top_line -= 1;
  // A detached view (after the wheel) stays detached: row 0 would not be
  // the caret's.
  if (shown->caret_row >= 0) shown->caret_row += 1;
  shown->dirty = 1;
  return true;
}

bool ScrollViewDown(RenderCache* shown) {
  if (shown == nullptr || shown->top_line >= shown->line_count - shown->rows ||
      (shown->caret_row >= 0 && shown->caret_row <= shown->top_margin)) {
    return false;
  }
  shown->top_line += 1;
  if (shown->caret_row >= 0) shown->caret_row -= 1;
  shown->dirty = 1;
  return true;
}

void ScrollViewTo(RenderCache* cache, int32_t position, bool detach) {
  // Held by a press, the caret keeps its line: its row moves with the text
  // until the line leaves the pane.
  const int32_t row = cache->caret_row - (position - cache->top_line);
  if (detach || cache->caret_row < 0 || row < 0 || row >= cache->rows) {
    DetachView(cache);
  } else {
    cache->caret_row = row;
  }
  cache->top_line = position;
  cache->dirty = 1;
}

void DetachView(RenderCache* cache) {
  if (cache != nullptr) cache->caret_row = kDetachedCaretRow;
}
