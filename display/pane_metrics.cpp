// The panes' design sizes scaled to a DPI.
#include "display/pane_metrics.h"

#include <algorithm>

PaneMetrics ScalePaneMetrics(int32_t dpi) {
  const PaneMetrics design;
  PaneMetrics m;
  m.dpi = dpi > 0 ? dpi : kDesignDpi;
  auto scale = [&](int32_t size) { return std::max(ScaleToDpi(size, m.dpi), 1); };
  m.font_height = scale(design.font_height);
  m.row_gap = scale(design.row_gap);
  m.left_margin = scale(design.left_margin);
  m.label_margin = scale(design.label_margin);
  m.caret_rows = scale(design.caret_rows);
  m.stroke = scale(design.stroke);
  return m;
}
