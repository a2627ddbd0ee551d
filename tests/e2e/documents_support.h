#pragma once
// Helpers of the end-to-end tests of the Folders and Switch windows: adding
// a folder through the Open folder dialog and reading the text rows of a
// black list with light grey text off a screenshot.
#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

// Ctrl+Shift+O in the main window, the folder's Windows path typed into the
// Open folder dialog and confirmed; true once the dialog has gone.
bool AddFolderThroughDialog(Orvinale& app, unsigned long main_window,
                            const std::string& windows_path);

// The number of separate bands of rows that hold text of the given colour
// inside [x0, x1) × [y0, y1) of the image: one per line of text shown.
int TextRows(const Image& image, const Rgb& text, int x0, int y0, int x1, int y1);
// The first row at or below y0 holding the colour; the image height when none.
int FirstRowWith(const Image& image, const Rgb& colour, int y0);

}  // namespace e2e
