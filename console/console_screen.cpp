#include "console/console_screen.h"

#include <algorithm>

void ScreenMoveTo(ConsoleScreen* screen, int col, int row) {
  GridMoveTo(&screen->grid, col, row);
}

void ScreenSetAttribute(ConsoleScreen* screen, uint8_t attr) {
  screen->grid.current_attr = attr;
  screen->grid.clear_attr = attr;
}

void ScreenWrite(ConsoleScreen* screen, const std::string& utf8, int max_bytes) {
  ConsoleRect touched;
  if (GridWrite(&screen->grid, utf8.c_str(), max_bytes, &touched)) ScreenMarkDirty(screen, touched);
}

void ScreenClearToEol(ConsoleScreen* screen) {
  ConsoleRect touched;
  if (GridClearToEol(&screen->grid, &touched)) ScreenMarkDirty(screen, touched);
}

void ScreenMarkDirty(ConsoleScreen* screen, const ConsoleRect& rect) {
  if (screen->flags & kConsolePaintSuspended) return;
  ConsoleRect r;
  r.col1 = std::max(std::min(rect.col1, rect.col2), 0);
  r.row1 = std::max(std::min(rect.row1, rect.row2), 0);
  r.col2 = std::min(std::max(rect.col1, rect.col2), screen->grid.cols - 1);
  r.row2 = std::min(std::max(rect.row1, rect.row2), screen->grid.rows - 1);
  if (r.col1 > r.col2 || r.row1 > r.row2) return;
  screen->InvalidateCells(r);
}

void ScreenQueueKey(ConsoleScreen* screen, int code) {
  using M = ConsoleModifier;
  uint8_t held = 0;
  for (M m : {M::kControl, M::kShift, M::kAlt})
    if (screen->IsDown(m)) held |= ModifierBit(m);
  PushKey(&screen->keys, code, held);
}

int ScreenReadKey(ConsoleScreen* screen) {
  if (screen->pump_mode == 1) screen->PumpMessages(false);
  if (screen->pump_mode == 2 && screen->keys.count == 0) screen->PumpMessages(true);
  ConsoleKey key = PopKey(&screen->keys);
  screen->key_modifiers = key.modifiers;
  if (key.code >= 0) return key.code;
  if (screen->flags & kConsoleRedrawPending) {
    screen->flags &= static_cast<uint8_t>(~kConsoleRedrawPending);
    screen->InvalidateCells(ConsoleRect{0, 0, screen->grid.cols - 1, screen->grid.rows - 1});
    return kKeyRedraw;
  }
  return -1;
}

void ScreenRefreshCaret(ConsoleScreen* screen) {
  ConsoleGrid& grid = screen->grid;
  if (grid.cursor_x == grid.last_caret_x && grid.cursor_y == grid.last_caret_y) return;
  ScreenMarkDirty(screen, ConsoleRect{grid.last_caret_x, grid.last_caret_y, grid.last_caret_x,
                                      grid.last_caret_y});
  ScreenMarkDirty(screen, ConsoleRect{grid.cursor_x, grid.cursor_y, grid.cursor_x, grid.cursor_y});
}
