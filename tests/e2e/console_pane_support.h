#pragma once
// Looking at console panes in screenshots, and Ctrl keys for them, for the
// end-to-end tests of the Preferences and Changelog windows.
//
// A console pane ends in two rows on a blue background (0,0,192): the help
// line and the status line. Those bands locate each pane, and the help
// line, whose text is known, gives the scale for reading text widths.
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

extern const Rgb kPaneBlue;       // help and status lines
extern const Rgb kSelectionCyan;  // selected text's background

struct PaneBox {
  int x0 = 0, x1 = 0;     // the pane's columns, x1 exclusive
  int band_top = 0;       // first row of the help line
  int bottom = 0;         // last row of the pane
};

// The panes found in the picture, left to right; empty when none shows.
std::vector<PaneBox> FindPanes(const Image& shot);

// Right-most pixel that is not pane blue in the help line or the status
// line; -1 when the line is empty.
int HelpLineRight(const Image& shot, const PaneBox& pane);
int StatusLineRight(const Image& shot, const PaneBox& pane);
// Width of the status line's text over the width of the help line's text.
double StatusToHelpWidth(const Image& shot, const PaneBox& pane);

// The status line's pixels, to compare two pictures.
std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane);
// The pixels of the text rows above the help line.
std::vector<uint8_t> TextPixels(const Image& shot, const PaneBox& pane);
// Pixels of colour c in the pane's text rows.
int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c);

// Screenshots `window` until `check` accepts the picture with `panes`
// panes; the last picture is left in *shot.
bool WaitPanes(Orvinale& app, unsigned long window, size_t panes,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& check,
               Image* shot, double timeout_s = 20, const std::string& name = "panes.png");

// One screenshot: true when it shows `panes` panes and pane `index`'s
// status line differs from `before`.
bool StatusChanged(Orvinale& app, unsigned long window, size_t panes, size_t index,
                   const std::vector<uint8_t>& before, Image* shot,
                   const std::string& name = "status.png");

// True once the text rows of pane `index` change between two pictures: the
// caret blinks only in the pane that has the focus.
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index, double timeout_s = 10);

// Presses `keys` ("ctrl+w y") with no delay between them, each chord
// released at once: all of them are queued before the pane's 50 ms timer
// hands the first to its editor.
void QuickKeys(Orvinale& app, unsigned long window, const std::string& keys);

// Ctrl+`key` as a quick chord, then waits until `done` holds.
bool CtrlKey(Orvinale& app, unsigned long window, const std::string& key,
             const std::function<bool()>& done, double timeout_s = 10);

}  // namespace e2e
