// Column-0 edits over the selected lines with a single move of the text tail.
#include "engine/line_start_edit.h"

#include <algorithm>
#include <cstring>

#include "engine/document.h"
#include "engine/text_splice.h"

namespace {

struct LineSpan {
  int32_t first;
  int32_t last;
  int32_t begin;  // offset of the first line's start
  int32_t end;    // offset just past the last line's content
};

LineSpan SelectedLines(Document* doc) {
  CloseGapAtCaret(doc);
  int32_t count = doc->lines.Count();
  LineSpan span;
  span.first = std::clamp(std::min(doc->anchor_line, doc->sel_caret_line), 0, count - 1);
  span.last = std::clamp(std::max(doc->anchor_line, doc->sel_caret_line), 0, count - 1);
  span.begin = LineStartOffset(*doc, span.first);
  span.end = LineStartOffset(*doc, span.last) +
             static_cast<int32_t>(doc->lines.Raw(span.last).length);
  return span;
}

// Applies the edit to every line of the span, each line being given with its
// LF (except the last).
template <typename EditLine>
void RewriteSpan(Document* doc, const LineSpan& span, EditLine edit_line) {
  const char* base = StringData(doc->text);
  std::string rewritten;
  int32_t p = span.begin;
  while (p <= span.end) {
    const char* lf = static_cast<const char*>(
        std::memchr(base + p, '\n', static_cast<size_t>(span.end - p)));
    int32_t stop = lf != nullptr ? static_cast<int32_t>(lf - base) + 1 : span.end;
    edit_line(base + p, stop - p, &rewritten);
    if (lf == nullptr) break;
    p = stop;
  }
  SpliceText(doc, span.begin, span.end - span.begin, rewritten.data(),
             static_cast<int32_t>(rewritten.size()));
}

void FinishAtLastLine(Document* doc, const LineSpan& span) {
  SetCaret(doc, LineStartOffset(*doc, span.last), false);
  UpdateSelection(doc);
  RefreshLines(doc);
}

}  // namespace

void InsertAtSelectedLineStarts(Document* doc, const std::string& prefix) {
  LineSpan span = SelectedLines(doc);
  RewriteSpan(doc, span, [&](const char* line, int32_t n, std::string* out) {
    out->append(prefix);
    out->append(line, static_cast<size_t>(n));
  });
  FinishAtLastLine(doc, span);
}

void RemoveFromSelectedLineStarts(Document* doc, char byte, int32_t max_count) {
  LineSpan span = SelectedLines(doc);
  RewriteSpan(doc, span, [&](const char* line, int32_t n, std::string* out) {
    int32_t skip = 0;
    while (skip < max_count && skip < n && line[skip] == byte) ++skip;
    out->append(line + skip, static_cast<size_t>(n - skip));
  });
  FinishAtLastLine(doc, span);
}
