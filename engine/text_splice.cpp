// Text changes with the matching change of the raw line entries.
#include "engine/text_splice.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/document.h"

namespace {

// Slots of the lines that now run through the changed bytes.
struct NewSlots {
  LineSlot small[16];
  std::vector<LineSlot> large;
  LineSlot* Prepare(int32_t n) {
    if (n <= 16) return small;
    large.resize(static_cast<size_t>(n));
    return large.data();
  }
};

// With the hole already at line k: replaces lines k .. k + removed_lfs by
// the lines the new bytes make. Lines after them count from the text end and
// stay valid untouched.
void UpdateLines(Document* doc, int32_t removed_lfs, int32_t first_start, int32_t old_end,
                 int32_t at, int32_t remove, const char* bytes, int32_t n) {
  LineArray* lines = &doc->lines;
  int32_t inserted_lfs = CountLineFeeds(bytes, n);
  NewSlots scratch;
  LineSlot* slots = scratch.Prepare(inserted_lfs + 1);
  int32_t start = first_start;
  int32_t e = 0;
  const char* end = bytes + n;
  for (const char* p = bytes; p < end && (p = static_cast<const char*>(
                                               std::memchr(p, '\n', end - p))) != nullptr;
       ++p) {
    int32_t lf = at + static_cast<int32_t>(p - bytes);
    slots[e++] = {static_cast<uint32_t>(start), static_cast<uint32_t>(lf - start)};
    start = lf + 1;
  }
  int32_t new_end = old_end + n - remove;
  slots[e++] = {static_cast<uint32_t>(start), static_cast<uint32_t>(new_end - start)};
  if (!ReplaceAtHole(lines, removed_lfs + 1, slots, e)) lines->valid = false;
}

// For an edit in place of lines up to `last`: true when the cache matches the
// text, with those lines' slots before the hole (counting from the start)
// and every later slot counting from the end, where the edit leaves it valid.
bool HoldLines(Document* doc, int32_t last) {
  if (!LinesMatchText(*doc)) return false;
  MoveLineHole(&doc->lines, last + 1);
  return true;
}

// Points the line entries at the text once its bytes and size have changed.
void TextChanged(Document* doc) {
  doc->lines.text_base = StringData(doc->text);
  doc->lines.text_length = StringLength(doc->text);
}

}  // namespace

void InsertAtLineStarts(Document* doc, int32_t first, int32_t last, const char* prefix,
                        int32_t n) {
  if (!HoldLines(doc, last)) return;
  int32_t length = StringLength(doc->text);
  int64_t grow = static_cast<int64_t>(last - first + 1) * n;
  if (length + grow > kMaxTextLength) return;
  if (!ResizeBuffer(&doc->text, length + static_cast<int32_t>(grow) + 1)) return;
  char* d = doc->text.data;
  d[length] = 0;  // a text that was empty had no NUL yet
  LineSlot* slots = HeadSlots(&doc->lines);
  // From the end back, each line moves up by the prefixes of its own and the
  // earlier lines, so nothing is overwritten before it has moved.
  int32_t tail = static_cast<int32_t>(slots[last].offset);
  std::memmove(d + tail + grow, d + tail, static_cast<size_t>(length - tail + 1));
  for (int32_t k = last; k >= first; --k) {
    int32_t start = static_cast<int32_t>(slots[k].offset);
    int32_t shift = (k - first + 1) * n;
    if (k < last) std::memmove(d + start + shift, d + start, slots[k].length + size_t{1});
    std::memcpy(d + start + shift - n, prefix, static_cast<size_t>(n));
    slots[k] = {static_cast<uint32_t>(start + shift - n),
                slots[k].length + static_cast<uint32_t>(n)};
  }
  TextChanged(doc);
}

void RemoveAtLineStarts(Document* doc, int32_t first, int32_t last, char byte,
                        int32_t max_count) {
  if (!HoldLines(doc, last)) return;
  int32_t length = StringLength(doc->text);
  char* d = StringData(&doc->text);
  LineSlot* slots = HeadSlots(&doc->lines);
  // From the start on, each line moves down by what the earlier lines lost.
  int32_t removed = 0;
  for (int32_t k = first; k <= last; ++k) {
    int32_t start = static_cast<int32_t>(slots[k].offset);
    int32_t line_length = static_cast<int32_t>(slots[k].length);
    int32_t cut = 0;
    while (cut < max_count && cut < line_length && d[start + cut] == byte) ++cut;
    // The last line takes the rest of the text along, with its NUL.
    int32_t keep = k < last ? line_length - cut + 1 : length - start - cut + 1;
    if (removed + cut > 0) {
      std::memmove(d + start - removed, d + start + cut, static_cast<size_t>(keep));
    }
    slots[k] = {static_cast<uint32_t>(start - removed), static_cast<uint32_t>(line_length - cut)};
    removed += cut;
  }
  doc->text.size -= removed;
  TextChanged(doc);
}

int32_t CountLineFeeds(const char* p, int32_t n) {
  int32_t count = 0;
  const char* end = p + n;
  while (p < end && (p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr) {
    ++count;
    ++p;
  }
  return count;
}

bool LinesMatchText(const Document& doc) {
  const LineArray& lines = doc.lines;
  return lines.valid && lines.text_base == StringData(doc.text) &&
         lines.text_length == StringLength(doc.text);
}

bool SpliceText(Document* doc, int32_t at, int32_t remove, const char* bytes,
                int32_t n) {
  GrowString* text = &doc->text;
  int32_t length = StringLength(*text);
  at = std::clamp(at, 0, length);
  remove = std::clamp(remove, 0, length - at);
  n = std::max(n, 0);
  if (remove == 0 && n == 0) return true;
  if (int64_t{length} - remove + n > kMaxTextLength) return false;
  bool track = LinesMatchText(*doc);
  const char* old_base = StringData(*text);
  int32_t removed_lfs = 0;
  int32_t first_start = 0;
  int32_t old_end = 0;
  if (track) {
    int32_t k = FindLine(doc->lines, old_base + at);
    removed_lfs = CountLineFeeds(old_base + at, remove);
    first_start = static_cast<int32_t>(doc->lines.Raw(k).start - old_base);
    LineRef last = doc->lines.Raw(k + removed_lfs);
    old_end = static_cast<int32_t>(last.start - old_base) + static_cast<int32_t>(last.length);
    MoveLineHole(&doc->lines, k);
  }
  int32_t new_length = length - remove + n;
  if (remove == n) {
    std::memcpy(text->data + at, bytes, static_cast<size_t>(n));
  } else {
    // A smaller size keeps the buffer, so the tail can still be read.
    if (!ResizeBuffer(text, new_length + 1)) return false;
    char* d = text->data;
    d[length] = 0;  // a text that was empty had no NUL yet
    std::memmove(d + at + n, d + at + remove, static_cast<size_t>(length - at - remove + 1));
    if (n > 0) std::memcpy(d + at, bytes, static_cast<size_t>(n));
  }
  if (track) {
    UpdateLines(doc, removed_lfs, first_start, old_end, at, remove, bytes, n);
  } else {
    doc->lines.valid = false;
  }
  TextChanged(doc);
  return true;
}
