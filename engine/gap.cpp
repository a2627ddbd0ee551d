// The typing gap: filler bytes in the text that typed characters overwrite.
#include <algorithm>
#include <cstring>

#include "engine/document.h"
#include "engine/text_splice.h"

namespace {

int32_t FreeBytes(const TypingGap& gap) {
  return gap.gap_start + gap.gap_size - gap.gap_insert;
}

}  // namespace

int32_t TextLength(const Document& doc) { return StringLength(doc.text); }

void OpenGap(Document* doc, int32_t at) {
  TypingGap* gap = &doc->gap;
  if (gap->gap_text == nullptr) gap->gap_text = &doc->text;
  int32_t length = TextLength(*doc);
  at = std::clamp(at, 0, length);
  if (!SpliceText(doc, at, 0, kGapFillerRun, gap->gap_size)) return;
  gap->gap_start = at;
  gap->gap_insert = at;
  gap->gap_closed = 0;
}

int32_t CloseGap(Document* doc, int32_t offset) {
  TypingGap* gap = &doc->gap;
  if (gap->gap_closed) return offset;
  int32_t free_bytes = FreeBytes(*gap);
  if (free_bytes < 1) {
    // A full gap holds no filler: it is simply typed text. Keeping it marked
    // open would leave its offsets stale once text before it moves.
    gap->gap_start = -1;
    gap->gap_insert = -1;
    gap->gap_closed = 1;
    return offset;
  }
  int32_t old_end = gap->gap_start + gap->gap_size;
  if (!SpliceText(doc, gap->gap_insert, free_bytes, nullptr, 0)) return offset;
  gap->gap_start = -1;
  gap->gap_insert = -1;
  gap->gap_closed = 1;
  return offset > old_end ? offset - free_bytes : offset;
}

void CloseGapAtCaret(Document* doc) {
  int32_t before = static_cast<int32_t>(doc->caret);
  int32_t caret = CloseGap(doc, before);
  int32_t length = TextLength(*doc);
  doc->caret = static_cast<uint32_t>(std::clamp(caret, 0, length));
  RefreshLines(doc);
  // A caret past the filler had it counted in its column.
  if (static_cast<int32_t>(doc->caret) != before) UpdateCaretColumn(doc);
}

int32_t GapInsert(Document* doc, const char* bytes, int32_t n, int32_t at) {
  TypingGap* gap = &doc->gap;
  n = std::max(n, 0);
  if (gap->gap_closed || at != gap->gap_insert) {
    bool was_full = !gap->gap_closed && FreeBytes(*gap) < 1;
    int32_t moved = CloseGap(doc, at);
    int32_t room = was_full ? 0 : gap->gap_size;
    if (n <= room) {
      OpenGap(doc, moved);
      if (gap->gap_closed) return moved;
      SpliceText(doc, gap->gap_insert, n, bytes, n);
      return gap->gap_insert += n;
    }
    if (!SpliceText(doc, moved, 0, bytes, n)) return moved;
    OpenGap(doc, moved + n);
    return moved + n;
  }
  if (n <= FreeBytes(*gap)) {
    SpliceText(doc, gap->gap_insert, n, bytes, n);
    gap->gap_insert += n;
    if (gap->gap_insert == gap->gap_start + gap->gap_size) OpenGap(doc, gap->gap_insert);
    return gap->gap_insert;
  }
  int32_t moved = CloseGap(doc, at);
  if (!SpliceText(doc, moved, 0, bytes, n)) return moved;
  OpenGap(doc, moved + n);
  return moved + n;
}
