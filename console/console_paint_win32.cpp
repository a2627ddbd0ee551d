// Painting the grid: runs of spaces as filled rectangles, every other
// character in its own cell, the caret, pane scrollbars and the margins.
#include <algorithm>

#include "console/console_window_win32.h"
#include "engine/dpi_scale.h"

namespace {

// One solid brush per colour-table background, freed on scope exit.
class BrushSet {
 public:
  explicit BrushSet(const ConsoleColourTable& colours) {
    for (size_t i = 0; i < colours.size(); ++i) brushes_[i] = CreateSolidBrush(colours[i].bg);
  }
  ~BrushSet() {
    for (HBRUSH b : brushes_)
      if (b) DeleteObject(b);
  }
  BrushSet(const BrushSet&) = delete;
  BrushSet& operator=(const BrushSet&) = delete;
  HBRUSH operator[](int attr) const { return brushes_[ColourIndex(attr)]; }

 private:
  HBRUSH brushes_[kConsoleColourCount] = {};
};

void FillColour(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

bool IsBlank(uint16_t ch) { return ch <= ' '; }

// Columns of the row that show text (the rest is under a scrollbar).
int TextColsOfRow(const ConsoleWindow& console, int row) {
  for (const ConsolePaneView& pane : console.layout.panes) {
    if (pane.row_count > 0 && row >= pane.first_row && row < pane.first_row + pane.row_count &&
        PaneHasScrollbar(pane))
      return std::max(console.grid.cols - console.layout.scrollbar_cols, 0);
  }
  return console.grid.cols;
}

void DrawCell(ConsoleWindow* console, HDC dc, int col, int row, ConsoleCell cell, bool caret) {
  const int cw = console->cell_width, ch = console->cell_height;
  RECT r = {col * cw, row * ch, (col + 1) * cw, (row + 1) * ch};
  const ConsoleColour& colour = console->colours[ColourIndex(cell.attr)];
  COLORREF fg = colour.fg, bg = colour.bg;
  if (caret && console->caret_mode == 2) std::swap(fg, bg);
  SetTextColor(dc, fg);
  SetBkColor(dc, bg);
  wchar_t text = IsBlank(cell.ch) ? L' ' : static_cast<wchar_t>(cell.ch);
  ExtTextOutW(dc, r.left, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, &text, 1, nullptr);
  if (!caret || console->caret_mode == 2) return;
  RECT bar = r;
  const int thickness = ScaleToDpi(kConsoleCaretBar, console->dpi);
  if (console->caret_mode == 0) bar.right = std::min(r.left + thickness, r.right);
  else bar.top = std::max(r.bottom - thickness, r.top);
  FillColour(dc, bar, fg);
}

void PaintRow(ConsoleWindow* console, HDC dc, const BrushSet& brushes, int row) {
  const ConsoleGrid& grid = console->grid;
  const int cw = console->cell_width, chh = console->cell_height;
  const int text_cols = TextColsOfRow(*console, row);
  const bool caret_row = CaretShown(console->blink_state) && grid.cursor_y == row;
  int col = 0;
  while (col < grid.cols) {
    ConsoleCell cell = *GridCell(grid, col, row);
    if (col >= text_cols) cell.ch = ' ';
    const bool caret = caret_row && grid.cursor_x == col;
    if (!IsBlank(cell.ch) || caret) {
      DrawCell(console, dc, col, row, cell, caret);
      ++col;
      continue;
    }
    int end = col + 1;
    while (end < grid.cols && !(caret_row && grid.cursor_x == end)) {
      const ConsoleCell* next = GridCell(grid, end, row);
      if (ColourIndex(next->attr) != ColourIndex(cell.attr) || (end < text_cols && !IsBlank(next->ch))) break;
      ++end;
    }
    RECT r = {col * cw, row * chh, end * cw, (row + 1) * chh};
    FillRect(dc, &r, brushes[cell.attr]);
    col = end;
  }
}

void PaintScrollbars(ConsoleWindow* console, HDC dc) {
  const int cw = console->cell_width, ch = console->cell_height;
  const int strip = console->layout.scrollbar_cols;
  for (ConsolePaneView& pane : console->layout.panes) {
    if (!PaneHasScrollbar(pane)) continue;
    RECT track = {(console->grid.cols - strip) * cw, pane.first_row * ch, console->grid.cols * cw,
                  (pane.first_row + pane.row_count) * ch};
    FillColour(dc, track, RGB(128, 128, 128));
    RECT thumb = track;
    thumb.top += pane.thumb_top;
    thumb.bottom = thumb.top + pane.thumb_size;
    FillColour(dc, thumb, RGB(96, 96, 96));
  }
}

}  // namespace

void PaintConsole(ConsoleWindow* console, HDC dc, const RECT& update) {
  RECT client;
  GetClientRect(console->window, &client);
  const ConsoleGrid& grid = console->grid;
  if (grid.cells.empty() || (console->flags & kConsoleRemeasureFont) || !console->font.get()) {
    FillRect(dc, &update, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  const int cw = console->cell_width, ch = console->cell_height;
  for (ConsolePaneView& pane : console->layout.panes) ComputeThumb(&pane, ch);
  HGDIOBJ old_font = SelectObject(dc, console->font.get());
  BrushSet brushes(console->colours);
  const int first = std::max<int>(update.top / ch, 0);
  const int last = std::min<int>((update.bottom - 1) / ch, grid.rows - 1);
  for (int row = first; row <= last; ++row) {
    PaintRow(console, dc, brushes, row);
    RECT gap = {grid.cols * cw, row * ch, client.right, (row + 1) * ch};
    if (gap.left < gap.right) FillRect(dc, &gap, brushes[GridCell(grid, grid.cols - 1, row)->attr]);
  }
  PaintScrollbars(console, dc);
  RECT below = {0, grid.rows * ch, client.right, client.bottom};
  if (below.top < below.bottom)
    FillRect(dc, &below, brushes[GridCell(grid, grid.cols - 1, grid.rows - 1)->attr]);
  SelectObject(dc, old_font);
  console->grid.last_caret_x = grid.cursor_x;
  console->grid.last_caret_y = grid.cursor_y;
}
