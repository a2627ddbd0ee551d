// A full check of a Document's invariants against straightforward rescans.
#include <string>

#include "engine/document.h"
#include "engine/text_splice.h"
#include "engine/utf8.h"

namespace {

bool Fail(std::string* why, const std::string& what) {
  if (why != nullptr) *why = what;
  return false;
}

// The content without the gap's free part.
std::string Content(const Document& doc) {
  std::string text(StringData(doc.text), static_cast<size_t>(TextLength(doc)));
  const TypingGap& gap = doc.gap;
  if (!gap.gap_closed) {
    int32_t free_bytes = gap.gap_start + gap.gap_size - gap.gap_insert;
    text.erase(static_cast<size_t>(gap.gap_insert), static_cast<size_t>(free_bytes));
  }
  return text;
}

bool CheckGap(const Document& doc, std::string* why) {
  const TypingGap& gap = doc.gap;
  if (gap.gap_closed) return true;
  int32_t length = TextLength(doc);
  if (gap.gap_start < 0 || gap.gap_insert < gap.gap_start ||
      gap.gap_insert > gap.gap_start + gap.gap_size || gap.gap_start + gap.gap_size > length) {
    return Fail(why, "gap bounds");
  }
  const char* base = StringData(doc.text);
  for (int32_t i = gap.gap_insert; i < gap.gap_start + gap.gap_size; ++i) {
    if (base[i] != kGapFiller) return Fail(why, "gap filler");
  }
  return true;
}

bool CheckLines(const Document& doc, std::string* why) {
  if (!LinesMatchText(doc)) return Fail(why, "line cache out of step");
  std::string content = Content(doc);
  size_t start = 0;
  int32_t k = 0;
  for (;;) {
    size_t lf = content.find('\n', start);
    size_t stop = lf == std::string::npos ? content.size() : lf;
    if (k >= doc.lines.Count()) return Fail(why, "too few lines");
    LineRef line = doc.lines[k];
    if (line.length != stop - start ||
        content.compare(start, stop - start, line.start, line.length) != 0) {
      return Fail(why, "line " + std::to_string(k) + " differs");
    }
    ++k;
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  if (k != doc.lines.Count()) return Fail(why, "too many lines");
  return true;
}

bool CheckCaret(const Document& doc, std::string* why) {
  const char* base = StringData(doc.text);
  int32_t caret = static_cast<int32_t>(doc.caret);
  if (caret > TextLength(doc)) return Fail(why, "caret beyond text");
  if (static_cast<int32_t>(doc.caret_line) != CountLineFeeds(base, caret)) return Fail(why, "caret_line");
  // Up to the typed part of a gap the column counts the content; a caret past
  // the filler (left there by a go-to that keeps the gap) counts raw bytes.
  std::string content = Content(doc);
  bool raw = !doc.gap.gap_closed && caret > doc.gap.gap_insert;
  const char* text = raw ? base : content.c_str();
  int32_t start = caret;
  while (start > 0 && text[start - 1] != '\n') --start;
  if (static_cast<int32_t>(doc.caret_column) != Utf8BytesToChars(text + start, caret - start)) {
    return Fail(why, "caret_column");
  }
  if (!doc.has_selection &&
      (doc.sel_anchor != 0 || doc.sel_start != 0 || doc.sel_end != 0 || doc.anchor_column != 0 ||
       doc.anchor_line != 0 || doc.sel_caret_column != 0 || doc.sel_caret_line != 0)) {
    return Fail(why, "selection fields without a selection");
  }
  return true;
}

}  // namespace

bool CheckInvariants(const Document& doc, std::string* why) {
  if (doc.text.size > 0 && doc.text.data[doc.text.size - 1] != 0) return Fail(why, "no NUL");
  return CheckGap(doc, why) && CheckLines(doc, why) && CheckCaret(doc, why);
}
