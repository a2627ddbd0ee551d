#pragma once
// Ctrl+K and Ctrl+U: "//" at the caret or at column 0 of the selected lines.
struct Document;

void CommentLines(Document* doc);
void UncommentLines(Document* doc);
