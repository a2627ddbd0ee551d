#pragma once
// Caret movements, with the selection extended when `extend` (Shift) is set.
#include <cstdint>

struct Document;

void MoveLeft(Document* doc, bool extend);
void MoveRight(Document* doc, bool extend);
void MoveWordLeft(Document* doc, bool extend);
void MoveWordRight(Document* doc, bool extend);
void MoveHome(Document* doc, bool extend);
void MoveEnd(Document* doc, bool extend);
void MoveTextStart(Document* doc, bool extend);
void MoveTextEnd(Document* doc, bool extend);
void MoveUp(Document* doc, bool extend);
void MoveDown(Document* doc, bool extend);
// `page` is the page_step of the render cache the text pane shows.
void MovePageUp(Document* doc, bool extend, int32_t page);
void MovePageDown(Document* doc, bool extend, int32_t page);
void SelectAll(Document* doc);

// Moves the caret to `column` characters into `line` (a negative column keeps
// caret_column; a line past the last counts as the last). Leaves the gap and
// the selection alone.
void GoToLineColumn(Document* doc, int32_t line, int32_t column);
