#pragma once
// The line-number pane ("line_superhost"): one label per visible text row,
// handed to it by the text pane's paint.
#include <cstdint>
#include <string>
#include <vector>

#include "display/cached_font.h"
#include "display/canvas.h"
#include "display/pane_metrics.h"
#include "display/surface_view.h"

// One per pane, created with the window and freed with it.
// Invariant: labels.size() <= the count of the last update; pane_width only
// changes when an update leaves at least one label.
struct LineView {
  WindowHandle hwnd = nullptr;
  Canvas canvas;
  CachedFont font;          // as the text pane's
  PaneMetrics metrics;      // pixel sizes at the window's DPI
  int32_t cell_width = 0;   // of "V", as in the text pane
  int32_t cell_height = 0;  // height of "V" + the row gap
  int32_t rows = 0;         // client height / cell_height, set by each paint
  std::vector<std::string> labels;        // row 0 first
  std::vector<std::string> spare_labels;  // recycled strings of earlier updates
  int32_t caret_row = 0;    // row that carries the column; -1 = none
  int32_t pane_width = 0;   // label margin + width of the last (widest) label
};

// Null while the pane does not exist.
extern LineView* line_view;

// Rebuilds the labels for `count` rows numbered from `first`; row `caret_row`
// also shows `column_number`. Does not repaint: the caller invalidates.
void UpdateLineLabels(LineView& view, int32_t first, int32_t count, int32_t caret_row,
                      int32_t column_number);

// The label texts: "%03d" of the column number; "%s %04d" with as many spaces
// as the column text for other rows; "%s:%04d" on the caret row.
std::string FormatColumnText(int32_t column_number);
void FormatLineLabel(std::string* out, const std::string& column_text, int32_t line_number,
                     bool caret_row);

// Paints the labels right-aligned onto the canvas (client size width x height).
void DrawLineLabels(LineView& view, int width, int height);
