#include "console/console_grid.h"

#include <algorithm>
#include <new>

#include "engine/utf8.h"

bool ResizeGrid(ConsoleGrid* grid, int rows, int cols) {
  grid->rows = std::max(rows, 1);
  grid->cols = std::max(cols, 1);
  grid->cells.clear();
  try {
    grid->cells.assign(static_cast<size_t>(grid->rows) * grid->cols, ConsoleCell{});
  } catch (const std::bad_alloc&) {
    grid->cells.clear();
    grid->cells.shrink_to_fit();
    return false;
  }
  grid->cursor_x = std::min(grid->cursor_x, grid->cols - 1);
  grid->cursor_y = std::min(grid->cursor_y, grid->rows - 1);
  return true;
}

ConsoleCell* GridCell(ConsoleGrid* grid, int col, int row) {
  if (grid->cells.empty() || col < 0 || row < 0 || col >= grid->cols || row >= grid->rows)
    return nullptr;
  return &grid->cells[static_cast<size_t>(row) * grid->cols + col];
}

const ConsoleCell* GridCell(const ConsoleGrid& grid, int col, int row) {
  return GridCell(const_cast<ConsoleGrid*>(&grid), col, row);
}

void GridMoveTo(ConsoleGrid* grid, int col, int row) {
  grid->cursor_x = col;
  grid->cursor_y = row;
}

bool GridWrite(ConsoleGrid* grid, const char* text, int max_bytes, ConsoleRect* touched) {
  size_t size = 0;
  while (text[size] && (max_bytes < 0 || size < static_cast<size_t>(max_bytes))) ++size;
  int row = grid->cursor_y;
  int start = grid->cursor_x;
  size_t offset = 0;
  while (offset < size) {
    int code = Utf8ColumnCode(text, size, offset);
    offset += Utf8ColumnBytes(text, size, offset);
    ConsoleCell* cell = GridCell(grid, grid->cursor_x, row);
    if (cell) {
      cell->ch = static_cast<uint16_t>(code > 0xFFFF ? 0xFFFD : code);
      cell->attr = grid->current_attr;
    }
    ++grid->cursor_x;
    if (grid->cursor_x >= grid->cols) break;
  }
  int first = std::max(start, 0);
  int last = std::min(grid->cursor_x, grid->cols) - 1;
  if (row < 0 || row >= grid->rows || last < first || grid->cells.empty()) return false;
  *touched = ConsoleRect{first, row, last, row};
  return true;
}

bool GridClearToEol(ConsoleGrid* grid, ConsoleRect* touched) {
  int row = grid->cursor_y;
  int first = std::max(grid->cursor_x, 0);
  if (row < 0 || row >= grid->rows || first >= grid->cols || grid->cells.empty()) return false;
  for (int col = first; col < grid->cols; ++col)
    *GridCell(grid, col, row) = ConsoleCell{' ', grid->clear_attr};
  *touched = ConsoleRect{first, row, grid->cols - 1, row};
  return true;
}

std::string GridRowText(const ConsoleGrid& grid, int row) {
  std::string out;
  for (int col = 0; col < grid.cols; ++col) {
    const ConsoleCell* cell = GridCell(grid, col, row);
    if (!cell) break;
    out += cell->ch == 0 ? std::string(" ") : EncodeUtf8(cell->ch);
  }
  return out;
}

bool GridInvariantsHold(const ConsoleGrid& grid) {
  if (grid.rows < 1 || grid.cols < 1) return false;
  return grid.cells.empty() ||
         grid.cells.size() == static_cast<size_t>(grid.rows) * grid.cols;
}
