#pragma once
// Operations that change the text from the keyboard.
#include <cstdint>

struct Document;

void InsertText(Document* doc, const char* bytes, int32_t n);
void DeleteChars(Document* doc, int32_t count, bool forward);
void DeleteWord(Document* doc, bool forward);
void IndentLines(Document* doc);
void UnindentLines(Document* doc);
void ToggleOverwrite(Document* doc);
// Removes the selection's bytes and puts the caret at its start.
void DeleteSelection(Document* doc);
