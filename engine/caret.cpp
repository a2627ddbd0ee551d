// Caret position, caret line and column, and the selection helpers.
#include <algorithm>
#include <cstring>
#include <string>

#include "engine/document.h"
#include "engine/text_splice.h"
#include "engine/utf8.h"

uint32_t SetCaret(Document* doc, int64_t offset, bool incremental) {
  int64_t length = TextLength(*doc);
  offset = std::clamp<int64_t>(offset, 0, length);
  int64_t old = incremental ? doc->caret : 0;
  doc->caret = static_cast<uint32_t>(offset);
  UpdateCaretLine(doc, old, incremental);
  UpdateCaretColumn(doc);
  return doc->caret_column;
}

void UpdateCaretLine(Document* doc, int64_t from, bool incremental) {
  // With the line cache in step the caret's line is looked up; without it,
  // the line feeds the move crosses are counted (one of the counts is empty).
  if (LinesMatchText(*doc)) {
    doc->caret_line = static_cast<uint32_t>(LineOfOffset(*doc, static_cast<int32_t>(doc->caret)));
    return;
  }
  const char* base = StringData(doc->text);
  from = std::clamp<int64_t>(from, 0, TextLength(*doc));
  int64_t line = incremental ? doc->caret_line : 0;
  int64_t caret = doc->caret;
  line += CountLineFeeds(base + from, static_cast<int32_t>(caret - from));
  line -= CountLineFeeds(base + caret, static_cast<int32_t>(from - caret));
  doc->caret_line = static_cast<uint32_t>(std::max<int64_t>(line, 0));
}

namespace {

// Characters starting in [start, caret) of the content. With filler right
// after the caret, the character before it is sized on the bytes that follow
// the filler, as it would be without the gap; characters further back never
// see the filler, so the plain count serves up to six bytes before the caret.
int32_t CharsBeforeCaret(const Document& doc, int32_t start, int32_t caret) {
  const char* base = StringData(doc.text);
  const TypingGap& gap = doc.gap;
  int32_t gap_end = gap.gap_start + gap.gap_size;
  if (gap.gap_closed || caret > gap.gap_insert || gap.gap_insert >= gap_end) {
    return Utf8BytesToChars(base + start, caret - start);
  }
  int32_t chars = 0;
  int32_t q = start;
  while (q < caret - 6) {
    q += Utf8CharSize(base + q);
    ++chars;
  }
  int32_t length = TextLength(doc);
  char window[16] = {0};
  int32_t n = 0;
  for (int32_t pos = q; n < 15 && pos < caret + 6; ++pos, ++n) {
    int32_t raw = pos < gap.gap_insert ? pos : pos + gap_end - gap.gap_insert;
    if (raw >= length) break;
    window[n] = base[raw];
  }
  return chars + Utf8BytesToChars(window, caret - q);
}

}  // namespace

void UpdateCaretColumn(Document* doc) {
  const char* base = StringData(doc->text);
  int32_t caret = static_cast<int32_t>(doc->caret);
  int32_t start;
  if (LinesMatchText(*doc)) {
    start = LineStartOffset(*doc, LineOfOffset(*doc, caret));
  } else {
    start = caret;
    while (start > 0 && base[start - 1] != '\n') --start;
  }
  doc->caret_column = static_cast<uint32_t>(CharsBeforeCaret(*doc, start, caret));
}

const char* CaretPointer(const Document& doc) {
  int32_t length = TextLength(doc);
  int32_t caret = static_cast<int32_t>(doc.caret);
  return StringData(doc.text) + std::min(caret, length);
}

void BeginSelection(Document* doc, bool extend) {
  CloseGapAtCaret(doc);
  if (extend && !doc->has_selection) {
    doc->has_selection = 1;
    doc->sel_anchor = doc->sel_start = doc->sel_end = doc->caret;
    doc->anchor_column = doc->sel_caret_column = static_cast<int32_t>(doc->caret_column);
    doc->anchor_line = doc->sel_caret_line = static_cast<int32_t>(doc->caret_line);
  }
}

void UpdateSelection(Document* doc) {
  if (doc->caret > doc->sel_anchor) {
    doc->sel_end = doc->caret;
  } else if (doc->caret < doc->sel_anchor) {
    doc->sel_start = doc->caret;
  }
  doc->sel_caret_column = static_cast<int32_t>(doc->caret_column);
  doc->sel_caret_line = static_cast<int32_t>(doc->caret_line);
  if (doc->sel_caret_column == doc->anchor_column && doc->sel_caret_line == doc->anchor_line) {
    doc->sel_start = doc->sel_end = doc->caret;
  }
}

void ClearSelection(Document* doc) {
  doc->has_selection = 0;
  doc->sel_anchor = doc->sel_start = doc->sel_end = 0;
  doc->anchor_column = doc->anchor_line = 0;
  doc->sel_caret_column = doc->sel_caret_line = 0;
}
