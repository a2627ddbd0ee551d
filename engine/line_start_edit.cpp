// Column-0 edits over the selected lines, made in place in one pass.
#include "engine/line_start_edit.h"

#include <algorithm>

#include "engine/document.h"
#include "engine/text_splice.h"

namespace {

struct LineSpan {
  int32_t first;
  int32_t last;
};

LineSpan SelectedLines(Document* doc) {
  CloseGapAtCaret(doc);
  int32_t count = doc->lines.Count();
  LineSpan span;
  span.first = std::clamp(std::min(doc->anchor_line, doc->sel_caret_line), 0, count - 1);
  span.last = std::clamp(std::max(doc->anchor_line, doc->sel_caret_line), 0, count - 1);
  return span;
}

void FinishAtLastLine(Document* doc, const LineSpan& span) {
  SetCaret(doc, LineStartOffset(*doc, span.last), false);
  UpdateSelection(doc);
  RefreshLines(doc);
}

}  // namespace

void InsertAtSelectedLineStarts(Document* doc, const std::string& prefix) {
  LineSpan span = SelectedLines(doc);
  InsertAtLineStarts(doc, span.first, span.last, prefix.data(),
                     static_cast<int32_t>(prefix.size()));
  FinishAtLastLine(doc, span);
}

void RemoveFromSelectedLineStarts(Document* doc, char byte, int32_t max_count) {
  LineSpan span = SelectedLines(doc);
  RemoveAtLineStarts(doc, span.first, span.last, byte, max_count);
  FinishAtLastLine(doc, span);
}
