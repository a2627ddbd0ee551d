// The console's character grid: cells, write position and attributes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ConsoleCell {
  uint16_t ch = 0;   // one UTF-16 code unit; 0 draws as a space
  uint8_t attr = 0;  // colour-table index (low 5 bits used)
};

// Inclusive cell rectangle.
struct ConsoleRect {
  int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
};

struct ConsoleGrid {
  int rows = 1, cols = 1;          // never below 1
  std::vector<ConsoleCell> cells;  // rows * cols, or empty after a failed allocation
  int cursor_x = 0, cursor_y = 0;  // write position, also the caret cell
  int last_caret_x = 0, last_caret_y = 0;
  uint8_t current_attr = 0;
  uint8_t clear_attr = 0;
};

// Sets the size (each at least 1) and clears every cell; false when the
// cells could not be allocated, leaving the grid empty.
bool ResizeGrid(ConsoleGrid* grid, int rows, int cols);

// Cell at (col, row), or null outside the grid.
ConsoleCell* GridCell(ConsoleGrid* grid, int col, int row);
const ConsoleCell* GridCell(const ConsoleGrid& grid, int col, int row);

void GridMoveTo(ConsoleGrid* grid, int col, int row);

// Writes UTF-8 text at the cursor with the current attribute, at most
// max_bytes bytes (negative: all), stopping at the right edge. Returns false
// when nothing was touched; otherwise *touched holds the written cells.
bool GridWrite(ConsoleGrid* grid, const char* text, int max_bytes, ConsoleRect* touched);

// Clears from the cursor to the end of its row with the clear attribute.
bool GridClearToEol(ConsoleGrid* grid, ConsoleRect* touched);

// The row as UTF-8 text (cells holding 0 become spaces); for tests and
// debugging.
std::string GridRowText(const ConsoleGrid& grid, int row);

bool GridInvariantsHold(const ConsoleGrid& grid);
