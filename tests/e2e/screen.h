#pragma once
// Reading the program's windows off screenshots: the main window's text and
// line-number panes, and the console panes of the Preferences and Changelog
// windows.
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

// The main window: its client starts below the caption and the menu bar, and
// the line numbers stand left of kLabelsRight.
extern const Rgb kEmpty, kText, kLabel, kCaretLabel, kSelected, kRed, kRuler, kDot, kWhite;
constexpr int kClientTop = 45;
constexpr int kLabelsRight = 60;
int InClient(const Image& shot, const Rgb& c);
// First and last client row holding colour c in columns [x0, x1).
bool RowsWith(const Image& shot, const Rgb& c, int x0, int x1, int* first, int* last);
// The rows of the caret row's highlighted label; false when none shows.
bool CaretLabelRows(const Image& shot, int* first, int* last);
// Top pixel rows of the grey labels (all but the caret row's).
std::vector<int> LabelTops(const Image& shot);
// Text pixels on each client row: equal profiles show the same text.
std::vector<int> TextProfile(const Image& shot);
// The strip of the vertical scrollbar at the right edge: its pixels other
// than black (none without a bar), its share of light pixels (a flat bar)
// and the rows of a skinned bar's thumb.
int NotBlackInBar(const Image& shot);
double LightShareOfBar(const Image& shot);
int ThumbRows(const Image& shot);
// Columns where the ruler's colour runs down most of the client.
std::vector<int> RulerColumns(const Image& shot);
// Four lines with a '#' in the 0-based columns 79, 80, 119 and 120: a ruler
// after column 80 or 120 stands between two of them.
std::string RulerRows();
// Expects one ruler line with a '#' in the cell on each side of it, on a
// document that starts with RulerRows().
void ExpectRulerBetweenMarks(const Image& shot);

// A console pane ends in two rows on a blue background, the help line and
// the status line; that band locates the pane.
extern const Rgb kPaneBlue, kSelectionCyan;
struct PaneBox {
  int x0 = 0, x1 = 0;  // columns, x1 exclusive
  int band_top = 0;    // first row of the help line
  int bottom = 0;      // last row of the pane
};
std::vector<PaneBox> FindPanes(const Image& shot);  // left to right
// The right-most pixel of the help line's text; -1 when it is empty.
int HelpLineRight(const Image& shot, const PaneBox& pane);
// The status line's text width over the help line's (whose text is known).
double StatusToHelpWidth(const Image& shot, const PaneBox& pane);
std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane);
// Pixels of colour c above the band.
int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c);
// Screenshots until the window shows `count` panes that `test` accepts.
bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& test, Image* shot,
               const std::string& name = "panes.png");
// Whether pane `index`'s text changes between pictures: the caret blinks
// only in the pane with the focus.
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index);
// Waits until pane `index` of `count` has (or has not) this status line.
bool StatusIs(Orvinale& app, unsigned long window, size_t count, size_t index,
              const std::vector<uint8_t>& status, bool is, Image* shot = nullptr);
// Types into the focused read-only pane, then opens Ctrl+F's prompt and
// cancels it: true when the prompt showed and the status line came back as
// `status`, so the typing changed neither the text nor the cursor.
bool TypingChangesNothing(Orvinale& app, unsigned long window, size_t count, size_t index,
                          const std::vector<uint8_t>& status);
// Ctrl+F, the text and Enter in the focused pane.
void FindInPane(Orvinale& app, unsigned long window, const std::string& text);

}  // namespace e2e
