#pragma once
// Per-document display state that survives between paints of the text pane.
// It lives at the bottom with the Document that owns it: the engine only sets
// `dirty` after a change; the text pane (display/) interprets the rest.
#include <cstdint>

struct Canvas;

// Owning handle to the Canvas holding the pixels under the caret. The display
// creates the canvas and supplies `destroy`, so whoever destroys a document
// needs no drawing code. Null canvas = a 0 x 0 backup.
struct CaretBackup {
  Canvas* canvas = nullptr;
  void (*destroy)(Canvas*) = nullptr;

  CaretBackup() = default;
  ~CaretBackup() { Reset(); }
  CaretBackup(const CaretBackup&) = delete;
  CaretBackup& operator=(const CaretBackup&) = delete;
  void Reset() {
    if (canvas != nullptr && destroy != nullptr) destroy(canvas);
    canvas = nullptr;
  }
};

struct SavedScroll {
  int32_t size = 0;  // 0 = nothing saved
  int32_t mask = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t page = 0;
  int32_t position = 0;
};

// `caret_row` of a view detached from the caret (scrollbar, wheel, search).
constexpr int32_t kDetachedCaretRow = -1;

struct RenderCache {
  uint8_t caret_shown = 0;
  int32_t blink_clock = 0;  // clock reading (ms) the caret's phase is counted from
  int32_t page_step = 0;  // bottom_margin - top_margin
  int32_t rows = 0;
  int32_t columns = 0;
  int32_t last_caret_line = 0;
  int32_t last_caret_column = 0;
  int32_t line_count = 0;  // entries of Document.lines at the last paint
  int32_t caret_cell_column = 0;
  int32_t caret_row = 0;  // -1: view detached from the caret
  int32_t last_line_count = 0;  // -1 forces a new layout
  CaretBackup caret_backup;
  int32_t caret_rect[4] = {0, 0, 0, 0};  // left, top, right, bottom
  uint8_t dirty = 1;  // lay out and present the whole canvas again
  int32_t cell_height = 0;
  int32_t cell_width = 0;
  uint8_t caret_moved = 0;
  int32_t left_margin = 5;  // pixels left of column 0
  int32_t row_gap = 1;      // of each cell's height, left free under a selection row
  SavedScroll saved_scroll;
  int32_t scroll_x = 0;  // 0 or negative, a multiple of cell_width
  int32_t top_line = 0;
  int32_t top_margin = 0;
  int32_t bottom_margin = 0;
  int32_t click_row = 0;
  int32_t click_column = 0;
  uint8_t last_has_selection = 0;
};
