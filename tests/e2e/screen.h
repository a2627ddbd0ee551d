#pragma once
// Reading the program's windows off screenshots: the main window's text and
// line-number panes, and the console panes of the Preferences and Changelog
// windows.
#include <functional>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

// The main window. Rows start below the caption and the menu bar; the
// line-number labels stand left of x = 60.
extern const Rgb kEmpty, kText, kLabel, kCaretLabel, kSelected, kRed, kRuler, kDot, kWhite;
constexpr int kClientTop = 45;
constexpr int kLabelsRight = 60;
int InClient(const Image& shot, const Rgb& c);
// First and last row of the client holding colour c in columns [x0, x1).
bool RowsWith(const Image& shot, const Rgb& c, int x0, int x1, int* first, int* last);
// Rows of the highlighted label of the caret's row; false when none shows.
bool CaretLabelRows(const Image& shot, int* first, int* last);
// Top pixel rows of the grey labels (every row but the caret's).
std::vector<int> LabelTops(const Image& shot);
// Text pixels on each client row: equal profiles show the same text (the
// blinking caret does not count).
std::vector<int> TextProfile(const Image& shot);
// The vertical scrollbar's strip at the right edge: pixels other than black
// (none without a bar), the share of light pixels (a flat bar), and the
// rows of the skinned thumb.
int NotBlackInBar(const Image& shot);
double LightShareOfBar(const Image& shot);
int ThumbRows(const Image& shot);
// Columns of the client where the ruler's colour runs down most rows.
std::vector<int> RulerColumns(const Image& shot);
// Four rows of text with a '#' in the 0-based columns 79, 80, 119 and 120,
// spaces before each: a ruler after column 80 or 120 stands between the
// '#' of two of them.
std::string RulerRows();
// Checks, with test expectations, that one ruler line shows, with a '#' in
// the cell left of it and in the cell right of it, on the first rows of a
// document that starts with RulerRows().
void ExpectRulerBetweenMarks(const Image& shot);

// Console panes end in two rows on a blue background: the help line and the
// status line. Those bands locate each pane, and the help line, whose text
// is known, gives the scale for reading text widths.
extern const Rgb kPaneBlue, kSelectionCyan;
struct PaneBox {
  int x0 = 0, x1 = 0;  // the pane's columns, x1 exclusive
  int band_top = 0;    // first row of the help line
  int bottom = 0;      // last row of the pane
};
// The panes in the picture, left to right.
std::vector<PaneBox> FindPanes(const Image& shot);
// Right-most pixel that is not pane blue in the help line; -1 when empty.
int HelpLineRight(const Image& shot, const PaneBox& pane);
// Width of the status line's text over the width of the help line's text.
double StatusToHelpWidth(const Image& shot, const PaneBox& pane);
std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane);
// Pixels of colour c in the pane's text rows.
int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c);
// Screenshots until the window shows `count` panes and `test` accepts them.
bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& test,
               Image* shot, const std::string& name = "panes.png");
// True once the text rows of pane `index` change between two pictures: the
// caret blinks only in the pane that has the focus.
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index);

}  // namespace e2e
