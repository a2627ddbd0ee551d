#pragma once
// What the Folders and Switch windows decide without a window: which paths
// a filter shows, what a Switch row reads, and where Tab and Shift+Tab move
// the selection.
#include <cstdint>
#include <string>

// True when `filter` occurs in `path` without regard to case; an empty
// filter shows every path, one longer than the path none.
bool FilterMatches(const std::string& path, const std::string& filter);

// The text after the last '\' or '/', or the whole path when there is none.
std::string FileNamePart(const std::string& path);

// Tab: the row after `current`, wrapping from the last row (or from no
// selection, -1) to row 0. -1 when there are no rows.
int32_t NextSwitchRow(int32_t current, int32_t count);
// Shift+Tab: the row before `current`, wrapping from row 0 (or from no
// selection) to the last row. -1 when there are no rows.
int32_t PreviousSwitchRow(int32_t current, int32_t count);
