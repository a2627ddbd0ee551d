#pragma once
// The pixel sizes of the text pane and the line-number pane at one DPI. The
// defaults are the design sizes at 96 DPI; a pane holds the set scaled to the
// DPI of its window and draws from it, never from literals, so a change of
// DPI is one new set and a new font.
#include <cstdint>

#include "engine/dpi_scale.h"

struct PaneMetrics {
  int32_t dpi = kDesignDpi;
  int32_t font_height = 14;  // "Consolas" in both panes
  // A cell is the font's height and this gap; the gap stays free under a
  // selection row and under the block caret.
  int32_t row_gap = 1;
  int32_t left_margin = 5;   // text pane: pixels left of column 0
  int32_t label_margin = 5;  // line pane: pixels left of the widest label
  int32_t caret_rows = 2;    // thickness of the insert caret's underline
  int32_t stroke = 1;        // ruler and selection caret width, whitespace dot side
};

// The design sizes scaled to `dpi` (96 when 0 or less); lines stay at least
// one pixel thick.
PaneMetrics ScalePaneMetrics(int32_t dpi);
