#include "console/console_layout.h"

#include <algorithm>

#include "engine/dpi_scale.h"

bool PaneHasScrollbar(const ConsolePaneView& pane) {
  return pane.row_count > 0 && pane.total_lines > pane.row_count;
}

void ComputeThumb(ConsolePaneView* pane, int cell_height) {
  pane->thumb_top = 0;
  pane->thumb_size = 0;
  if (!PaneHasScrollbar(*pane) || cell_height <= 0) return;
  long long track = static_cast<long long>(pane->row_count) * cell_height;
  long long size = track * pane->row_count / pane->total_lines;
  size = std::max<long long>(size, cell_height);
  size = std::min(size, track);
  long long range = pane->total_lines - pane->row_count;
  long long top = static_cast<long long>(pane->scroll) * (track - size) / range;
  top = std::clamp<long long>(top, 0, track - size);
  pane->thumb_top = static_cast<int>(top);
  pane->thumb_size = static_cast<int>(size);
}

int DividerRow(const ConsoleLayout& layout) {
  if (layout.panes[1].row_count <= 0) return -1;
  return layout.panes[0].first_row + layout.panes[0].row_count;
}

ConsoleCursorKind CursorForCell(const ConsoleLayout& layout, int cols, int col, int row) {
  if (row >= 0 && row == DividerRow(layout)) return ConsoleCursorKind::kVerticalResize;
  for (const ConsolePaneView& pane : layout.panes) {
    if (row < pane.first_row || row >= pane.first_row + pane.row_count) continue;  // also a hidden pane
    int text_cols = cols - (PaneHasScrollbar(pane) ? layout.scrollbar_cols : 0);
    if (col >= 0 && col < text_cols) return ConsoleCursorKind::kIBeam;
  }
  return ConsoleCursorKind::kArrow;
}

uint8_t NextBlinkState(uint8_t state, bool focused) {
  uint8_t next = static_cast<uint8_t>((state + 1) % 3);
  if (next == 0 && !focused) next = 1;
  return next;
}

int ConsoleFontPixels(int height, int dpi) {
  return ScaleToDpi(std::clamp(height, kMinFontHeight, kMaxFontHeight), dpi);
}

int StepFontHeight(int height, int wheel_delta) {
  if (wheel_delta > 0 && height < kMaxFontHeight) return std::max(height + 1, kMinFontHeight);
  if (wheel_delta < 0 && height >= kMinFontHeight + 1) return std::min(height - 1, kMaxFontHeight);
  return std::clamp(height, kMinFontHeight, kMaxFontHeight);
}
