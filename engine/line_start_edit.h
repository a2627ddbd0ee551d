#pragma once
// Edits at column 0 of the selected lines (Tab, Shift+Tab, Ctrl+K, Ctrl+U
// over a selection), made in place in one pass over the affected lines.
#include <cstdint>
#include <string>

struct Document;

// Inserts `prefix` at the start of every selected line; the caret ends at
// the start of the last of them. The selection keeps its offsets and is
// updated as after a caret move.
void InsertAtSelectedLineStarts(Document* doc, const std::string& prefix);
// Removes up to `max_count` leading bytes equal to `byte` from every selected
// line; the caret ends at the start of the last of them.
void RemoveFromSelectedLineStarts(Document* doc, char byte, int32_t max_count);
