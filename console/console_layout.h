// Pane geometry the editor hands to its window before drawing, and the
// pure rules the window derives from it: scrollbar thumbs, mouse cursors,
// caret blinking and font-size steps.
#pragma once

#include <cstdint>

struct ConsolePaneView {
  int first_row = 0;    // grid row of the pane's first text row
  int row_count = 0;    // 0: the pane is not shown
  int scroll = 0;       // first visible line
  int total_lines = 0;
  int thumb_top = 0;    // pixels from the top of the track, set when painting
  int thumb_size = 0;   // pixels
};

struct ConsoleLayout {
  ConsolePaneView panes[2];
  int top_margin = 1;
  int bottom_margin = 1;
  int scrollbar_cols = 1;  // width of a pane's scrollbar strip in cells
};

bool PaneHasScrollbar(const ConsolePaneView& pane);

// Thumb of a pane's scrollbar for cells of `cell_height` pixels.
void ComputeThumb(ConsolePaneView* pane, int cell_height);

// Row between the two panes, or -1 with one pane.
int DividerRow(const ConsoleLayout& layout);

enum class ConsoleCursorKind { kArrow, kIBeam, kVerticalResize };

ConsoleCursorKind CursorForCell(const ConsoleLayout& layout, int cols, int col, int row);

// Caret blink: 1 -> 2 -> 0 -> 1; an unfocused window never goes dark.
uint8_t NextBlinkState(uint8_t state, bool focused);
inline bool CaretShown(uint8_t state) { return state != 0; }

// Font heights at 96 DPI: Ctrl+wheel steps them one by one within these
// limits whatever the window's DPI, so a setting means the same size at
// every display scaling.
constexpr int kMinFontHeight = 4;
constexpr int kMaxFontHeight = 64;
// One Ctrl+wheel step; the result stays within 4 .. 64.
int StepFontHeight(int height, int wheel_delta);
// The font's height in pixels at `dpi` for a height at 96 DPI, which is
// held within the limits before it is scaled.
int ConsoleFontPixels(int height, int dpi);
