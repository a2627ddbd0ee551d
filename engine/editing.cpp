// Typing, deleting characters and words, overwrite mode, Tab and Shift+Tab.
#include "engine/editing.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/document.h"
#include "engine/line_start_edit.h"
#include "engine/text_splice.h"
#include "engine/utf8.h"

namespace {

int32_t Caret(const Document& doc) { return static_cast<int32_t>(doc.caret); }

// Offset `count` characters before `offset`. Every line start is a character
// boundary, so counting from the line start gives the boundaries a count
// from the text start would.
int32_t BackOverChars(const Document& doc, int32_t offset, int32_t count) {
  const char* base = StringData(doc.text);
  int32_t line = LineOfOffset(doc, offset);
  int32_t start = LineStartOffset(doc, line);
  int32_t in_line = Utf8BytesToChars(base + start, offset - start);
  while (count > in_line && start > 0) {
    count -= in_line + 1;  // this line's characters and the LF before it
    int32_t end = start - 1;
    --line;
    start = LineStartOffset(doc, line);
    in_line = Utf8BytesToChars(base + start, end - start);
  }
  // More characters than the text holds before the caret: none are taken.
  return start + Utf8CharsToBytes(base + start, in_line - count);
}

int32_t ForwardOverChars(const Document& doc, int32_t offset, int32_t count) {
  const char* base = StringData(doc.text);
  int32_t start = LineStartOffset(doc, LineOfOffset(doc, offset));
  int32_t in_line = Utf8BytesToChars(base + start, offset - start);
  return start + Utf8CharsToBytes(base + start, in_line + count);
}

bool IsSpace(char c) { return c == ' '; }

// Filler bytes directly after the caret when the caret ends the typed part
// of an open gap; a deletion next to the caret can then remove them together
// with its own bytes in one move of the tail. (No character runs over the
// caret: the filler is no continuation byte.)
int32_t FillerAfterCaret(const Document& doc) {
  const TypingGap& gap = doc.gap;
  int32_t caret = Caret(doc);
  if (gap.gap_closed || caret != gap.gap_insert) return 0;
  int32_t free_bytes = gap.gap_start + gap.gap_size - gap.gap_insert;
  // Without the filler, a continuation byte after it would join the
  // character before the caret.
  const char* base = StringData(doc.text);
  return IsUtf8Continuation(static_cast<unsigned char>(base[caret + free_bytes])) ? 0 : free_bytes;
}

// Marks the gap closed after its filler went out with a deletion.
void ForgetGap(Document* doc) {
  doc->gap.gap_start = -1;
  doc->gap.gap_insert = -1;
  doc->gap.gap_closed = 1;
}

// Removes [from, to) of the content around an open gap whose filler sits at
// the caret, in one move.
void DeleteAcrossFiller(Document* doc, int32_t from, int32_t to, int32_t filler) {
  SpliceText(doc, from, to - from + filler, nullptr, 0);
  ForgetGap(doc);
}

// Overwrite mode: every inserted character but a line feed takes the place
// of one character of the caret's line; the line end is never taken, so at
// the end of a line the rest is inserted. (Taking a character per byte, or
// the line end, would remove text the user never typed over.) Returns false
// when nothing is there to take: the bytes then go in through the gap.
bool Overwrite(Document* doc, const char* bytes, int32_t n) {
  int32_t count = Utf8Columns(bytes, static_cast<size_t>(n)) - CountLineFeeds(bytes, n);
  int32_t filler = FillerAfterCaret(*doc);
  if (filler == 0) CloseGapAtCaret(doc);
  int32_t next = Caret(*doc) + filler;
  if (count < 1 || next >= TextLength(*doc) || StringData(doc->text)[next] == '\n') return false;
  // The caret stands at the gap's typed end, which closing it leaves in place.
  if (filler > 0) CloseGapAtCaret(doc);
  int32_t caret = Caret(*doc);
  const char* base = StringData(doc->text);
  const char* lf = static_cast<const char*>(
      std::memchr(base + caret, '\n', static_cast<size_t>(TextLength(*doc) - caret)));
  int32_t line_end = lf != nullptr ? static_cast<int32_t>(lf - base) : TextLength(*doc);
  // No more characters than bytes before the line end, which bounds the count.
  int32_t end = ForwardOverChars(*doc, caret, std::min(count, line_end - caret));
  // A character replaced by one of its size moves no other byte.
  if (SpliceText(doc, caret, std::min(end, line_end) - caret, bytes, n)) {
    SetCaret(doc, int64_t{caret} + n, true);
  }
  return true;
}

}  // namespace

void DeleteSelection(Document* doc) {
  CloseGapAtCaret(doc);
  SpliceText(doc, static_cast<int32_t>(doc->sel_start),
             static_cast<int32_t>(doc->sel_end) - static_cast<int32_t>(doc->sel_start),
             nullptr, 0);
  SetCaret(doc, doc->sel_start, false);
  ClearSelection(doc);
}

void InsertText(Document* doc, const char* bytes, int32_t n) {
  n = std::max(n, 0);
  if (doc->has_selection) {
    DeleteSelection(doc);
  } else if (doc->overwrite && Overwrite(doc, bytes, n)) {
    RefreshLines(doc);
    return;
  }
  // Closing an old gap can move the insertion point, and running out of
  // memory leaves the bytes out: the gap says where the caret goes.
  SetCaret(doc, GapInsert(doc, bytes, n, Caret(*doc)), true);
  RefreshLines(doc);
}

void DeleteChars(Document* doc, int32_t count, bool forward) {
  if (doc->has_selection) {
    DeleteSelection(doc);
    RefreshLines(doc);
    return;
  }
  TypingGap* gap = &doc->gap;
  if (forward) {
    int32_t filler = FillerAfterCaret(*doc);
    if (filler == 0) CloseGapAtCaret(doc);
    int32_t caret = Caret(*doc);
    if (filler > 0) {
      const char* after = StringData(doc->text) + caret + filler;
      DeleteAcrossFiller(doc, caret, caret + Utf8CharsToBytes(after, count), filler);
    } else {
      SpliceText(doc, caret, ForwardOverChars(*doc, caret, count) - caret, nullptr, 0);
    }
    SetCaret(doc, caret, false);
  } else if (gap->gap_closed || Caret(*doc) != gap->gap_insert) {
    CloseGapAtCaret(doc);
    int32_t caret = Caret(*doc);
    int32_t s = BackOverChars(*doc, caret, count);
    SpliceText(doc, s, caret - s, nullptr, 0);
    SetCaret(doc, s, false);
  } else {
    int32_t caret = Caret(*doc);
    int32_t s = BackOverChars(*doc, caret, count);
    int32_t d = caret - s;
    if (d > gap->gap_insert - gap->gap_start) {
      DeleteAcrossFiller(doc, s, caret, gap->gap_start + gap->gap_size - gap->gap_insert);
    } else {
      // Backspace over freshly typed bytes (at most a gap's worth): they
      // become filler again.
      SpliceText(doc, gap->gap_insert - d, d, kGapFillerRun, d);
      gap->gap_insert -= d;
    }
    SetCaret(doc, s, false);
  }
  RefreshLines(doc);
}

void DeleteWord(Document* doc, bool forward) {
  if (doc->has_selection) {
    DeleteSelection(doc);
    RefreshLines(doc);
    return;
  }
  int32_t filler = FillerAfterCaret(*doc);
  if (filler == 0) CloseGapAtCaret(doc);
  const char* base = StringData(doc->text);
  int32_t length = TextLength(*doc);
  int32_t caret = Caret(*doc);
  int32_t from = caret;
  int32_t to = caret + filler;  // the scan forward starts after the filler
  if (forward) {
    char c = base[to];  // the NUL at the end: nothing to take
    if (c == '\n') {
      to += 1;
    } else {
      while (to < length && base[to] != '\n' && IsSpace(base[to]) == IsSpace(c)) ++to;
    }
  } else if (caret > 0) {
    char c = base[caret - 1];
    if (c == '\n') {
      from = caret - 1;
    } else {
      while (from > 0 && base[from - 1] != '\n' && IsSpace(base[from - 1]) == IsSpace(c)) --from;
    }
  }
  // The whole run goes in one move; the result equals removing byte by byte.
  SpliceText(doc, from, to - from, nullptr, 0);
  ForgetGap(doc);  // its filler went with the run, or it was closed above
  SetCaret(doc, from, false);
  RefreshLines(doc);
}

void IndentLines(Document* doc) {
  if (doc->has_selection) {
    std::string prefix = doc->tabs_as_spaces
                             ? std::string(static_cast<size_t>(std::max(doc->tab_size, 1)), ' ')
                             : std::string("\t");
    InsertAtSelectedLineStarts(doc, prefix);
    return;
  }
  if (doc->tabs_as_spaces) {
    for (int32_t i = 0; i < doc->tab_size; ++i) InsertText(doc, " ", 1);
  } else {
    InsertText(doc, "\t", 1);
  }
  RefreshLines(doc);
}

void UnindentLines(Document* doc) {
  if (doc->has_selection) {
    if (doc->tabs_as_spaces) {
      RemoveFromSelectedLineStarts(doc, ' ', doc->tab_size);
    } else {
      RemoveFromSelectedLineStarts(doc, '\t', 1);
    }
    return;
  }
  CloseGapAtCaret(doc);
  const char* base = StringData(doc->text);
  int32_t caret = Caret(*doc);
  int32_t from = caret;
  if (doc->tabs_as_spaces) {
    while (from > 0 && caret - from < doc->tab_size && base[from - 1] == ' ') --from;
  } else if (caret > 0 && base[caret - 1] == '\t') {
    from = caret - 1;
  }
  if (from < caret) {
    SpliceText(doc, from, caret - from, nullptr, 0);
    SetCaret(doc, from, false);
  }
  RefreshLines(doc);
}

void ToggleOverwrite(Document* doc) { doc->overwrite = doc->overwrite ? 0 : 1; }
