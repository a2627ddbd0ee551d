// Ctrl+K and Ctrl+U with the fixed "//" marker.
#include "engine/comment.h"

#include "engine/document.h"
#include "engine/editing.h"
#include "engine/line_start_edit.h"
#include "engine/text_splice.h"

void CommentLines(Document* doc) {
  if (doc->has_selection) {
    InsertAtSelectedLineStarts(doc, "//");
    return;
  }
  InsertText(doc, "/", 1);
  InsertText(doc, "/", 1);
  RefreshLines(doc);
}

void UncommentLines(Document* doc) {
  if (doc->has_selection) {
    CloseGapAtCaret(doc);
    RemoveFromSelectedLineStarts(doc, '/', 2);
    return;
  }
  CloseGapAtCaret(doc);
  const char* base = StringData(doc->text);
  int32_t caret = static_cast<int32_t>(doc->caret);
  int32_t from = caret;
  while (from > 0 && caret - from < 2 && base[from - 1] == '/') --from;
  if (from < caret) {
    SpliceText(doc, from, caret - from, nullptr, 0);
    SetCaret(doc, from, false);
  }
  RefreshLines(doc);
}
