// Caret movements and the view-scrolling keys.
#include "engine/movement.h"

#include <algorithm>
#include <cstring>

#include "engine/document.h"
#include "engine/utf8.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\n'; }

void MarkDirty(Document* doc) {
  if (doc->render_cache) doc->render_cache->dirty = 1;
}

// Step 3 of every movement: extend the selection, or end a selection at its
// start (backward moves) or end (forward moves).
void FinishMove(Document* doc, bool extend, bool forward) {
  if (extend) {
    UpdateSelection(doc);
  } else if (doc->has_selection) {
    SetCaret(doc, forward ? doc->sel_end : doc->sel_start, true);
    ClearSelection(doc);
  }
  MarkDirty(doc);
}

void MoveTo(Document* doc, int64_t target, bool extend, bool forward) {
  SetCaret(doc, target, true);
  FinishMove(doc, extend, forward);
}

int32_t LineCount(const Document& doc) { return doc.lines.Count(); }

}  // namespace

void GoToLineColumn(Document* doc, int32_t line, int32_t column) {
  if (column < 0) column = static_cast<int32_t>(doc->caret_column);
  int32_t count = LineCount(*doc);
  if (count < 1) {
    RefreshLines(doc);
    count = LineCount(*doc);
  }
  line = std::clamp(line, 0, count - 1);
  const char* base = StringData(doc->text);
  int32_t start = LineStartOffset(*doc, line);
  const char* lf = static_cast<const char*>(
      std::memchr(base + start, '\n', static_cast<size_t>(TextLength(*doc) - start)));
  int32_t end = lf != nullptr ? static_cast<int32_t>(lf - base) : TextLength(*doc);
  int32_t target = start + Utf8CharsToBytes(base + start, column);
  SetCaret(doc, std::min(target, end), true);
}

void MoveLeft(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  const unsigned char* base = reinterpret_cast<const unsigned char*>(StringData(doc->text));
  int32_t caret = static_cast<int32_t>(doc->caret);
  int32_t target = caret;
  if (caret > 0) {
    target = caret - 1;
    while (target > 0 && caret - target < 4 && IsUtf8Continuation(base[target])) --target;
  }
  MoveTo(doc, target, extend, false);
}

void MoveRight(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  MoveTo(doc, static_cast<int64_t>(doc->caret) + Utf8CharSize(CaretPointer(*doc)), extend, true);
}

void MoveWordLeft(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  const char* base = StringData(doc->text);
  for (int32_t p = static_cast<int32_t>(doc->caret) - 1; p >= 0; --p) {
    if (!IsSeparator(base[p]) && (p == 0 || IsSeparator(base[p - 1]))) {
      MoveTo(doc, p, extend, false);
      return;
    }
  }
}

void MoveWordRight(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  const char* base = StringData(doc->text);
  int32_t length = TextLength(*doc);
  for (int32_t p = static_cast<int32_t>(doc->caret) + 1; p < length; ++p) {
    if (IsSeparator(base[p - 1]) && !IsSeparator(base[p])) {
      MoveTo(doc, p, extend, true);
      return;
    }
  }
}

void MoveHome(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  const char* base = StringData(doc->text);
  int32_t caret = static_cast<int32_t>(doc->caret);
  int32_t start = LineStartOffset(*doc, static_cast<int32_t>(doc->caret_line));
  int32_t first = start;
  while (base[first] == ' ' || base[first] == '\t') ++first;
  MoveTo(doc, first == caret ? start : first, extend, false);
}

void MoveEnd(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  const char* base = StringData(doc->text);
  int32_t caret = static_cast<int32_t>(doc->caret);
  int32_t length = TextLength(*doc);
  if (base[caret] == '\n') {
    FinishMove(doc, extend, true);
    return;
  }
  const char* lf = static_cast<const char*>(
      std::memchr(base + caret, '\n', static_cast<size_t>(length - caret)));
  MoveTo(doc, lf != nullptr ? lf - base : length, extend, true);
}

void MoveTextStart(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  MoveTo(doc, 0, extend, false);
}

void MoveTextEnd(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  MoveTo(doc, TextLength(*doc), extend, true);
}

void MoveUp(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  GoToLineColumn(doc, std::max(static_cast<int32_t>(doc->caret_line) - 1, 0), -1);
  FinishMove(doc, extend, false);
}

void MoveDown(Document* doc, bool extend) {
  BeginSelection(doc, extend);
  GoToLineColumn(doc, std::min(static_cast<int32_t>(doc->caret_line) + 1, LineCount(*doc) - 1), -1);
  FinishMove(doc, extend, true);
}

void MovePageUp(Document* doc, bool extend, int32_t page) {
  BeginSelection(doc, extend);
  int64_t line = static_cast<int64_t>(doc->caret_line) - page;
  GoToLineColumn(doc, static_cast<int32_t>(std::max<int64_t>(line, 0)), -1);
  FinishMove(doc, extend, false);
}

void MovePageDown(Document* doc, bool extend, int32_t page) {
  BeginSelection(doc, extend);
  int64_t line = static_cast<int64_t>(doc->caret_line) + page;
  GoToLineColumn(doc, static_cast<int32_t>(std::min<int64_t>(line, LineCount(*doc) - 1)), -1);
  FinishMove(doc, extend, true);
}

void SelectAll(Document* doc) {
  MoveTextStart(doc, false);
  MoveTextEnd(doc, true);
}
