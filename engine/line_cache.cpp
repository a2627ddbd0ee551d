// The line cache: a full rescan, and the cheap refresh after engine edits.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "engine/document.h"
#include "engine/text_splice.h"

namespace {

// Appends a run of slots after the hole; marks the cache invalid when out of
// memory.
void AppendSlots(LineArray* lines, const LineSlot* slots, int32_t n) {
  if (lines->valid && !ReplaceAtHole(lines, 0, slots, n)) lines->valid = false;
}

void ScanAllLines(Document* doc) {
  LineArray* lines = &doc->lines;
  ClearLines(lines);
  const char* base = StringData(doc->text);
  int32_t length = StringLength(doc->text);
  const char* end = base + length;
  const char* start = base;
  lines->valid = true;
  lines->text_base = base;
  lines->text_length = length;
  // Slots go in by the thousand: a call per line cost 40% of the rescan.
  LineSlot batch[1024];
  int32_t used = 0;
  for (;;) {
    const char* lf = static_cast<const char*>(std::memchr(start, '\n', end - start));
    const char* stop = lf != nullptr ? lf : end;
    batch[used++] = {static_cast<uint32_t>(start - base), static_cast<uint32_t>(stop - start)};
    if (used == 1024) {
      AppendSlots(lines, batch, used);
      used = 0;
    }
    if (lf == nullptr) break;
    start = lf + 1;
  }
  AppendSlots(lines, batch, used);
  lines->text_base = base;
  lines->text_length = length;
  // A loaded file keeps 16 bytes per line plus room for typing new lines.
  TrimLines(lines, 1024 + lines->count / 256);
}

// Spare strings are kept for the lines of ordinary length typed in next;
// the copy of a huge line is given back at once.
constexpr int32_t kLargestSpare = 64 * 1024;

GrowString TakeSpareString(Document* doc) {
  if (doc->spare_lines.empty()) return GrowString(kStringGranularity);
  GrowString s = std::move(doc->spare_lines.back());
  doc->spare_lines.pop_back();
  return s;
}

// The line that holds the filler: its bytes before the gap, [from, insert),
// then those after it, [gap_end, line_end). Only when the filler sits inside
// the line are the two parts copied together, once.
LineRef FillerLine(Document* doc, const char* from, const char* insert, const char* gap_end,
                   const char* line_end) {
  if (from == insert) return {gap_end, static_cast<uint32_t>(line_end - gap_end)};
  if (gap_end == line_end) return {from, static_cast<uint32_t>(insert - from)};
  int32_t head = static_cast<int32_t>(insert - from);
  int32_t tail = static_cast<int32_t>(line_end - gap_end);
  GrowString s = TakeSpareString(doc);
  if (!ResizeBuffer(&s, head + tail + 1)) return {nullptr, 0};
  std::memcpy(s.data, from, static_cast<size_t>(head));
  std::memcpy(s.data + head, gap_end, static_cast<size_t>(tail));
  s.data[head + tail] = 0;
  doc->patched_lines.push_back(std::move(s));
  return {StringData(doc->patched_lines.back()), static_cast<uint32_t>(head + tail)};
}

// Shows the lines that hold an open gap without the filler. The lines its
// typed bytes end with a line feed lie whole in the text and are shown where
// they are; only the line that holds the filler may need a copy.
void BuildOverlay(Document* doc) {
  LineArray* lines = &doc->lines;
  for (GrowString& s : doc->patched_lines) {
    if (s.capacity <= kLargestSpare) doc->spare_lines.push_back(std::move(s));
  }
  doc->patched_lines.clear();
  lines->overlay.clear();
  lines->overlay_first = 0;
  const TypingGap& gap = doc->gap;
  if (gap.gap_closed || !lines->valid) return;
  const char* base = StringData(doc->text);
  int32_t length = StringLength(doc->text);
  // Kept inside the text whatever wrote it last.
  int32_t gap_start = std::clamp(gap.gap_start, 0, length);
  int32_t gap_end = std::clamp(gap.gap_start + gap.gap_size, gap_start, length);
  int32_t insert = std::clamp(gap.gap_insert, gap_start, gap_end);
  int32_t first = FindLine(*lines, base + gap_start);
  int32_t last = FindLine(*lines, base + gap_end);
  LineRef last_line = lines->Raw(last);
  const char* piece = lines->Raw(first).start;
  const char* typed_end = base + insert;
  for (int32_t k = first; k < last; ++k) {
    const char* lf = static_cast<const char*>(std::memchr(piece, '\n', typed_end - piece));
    if (lf == nullptr) lf = typed_end;
    lines->overlay.push_back({piece, static_cast<uint32_t>(lf - piece)});
    piece = lf < typed_end ? lf + 1 : typed_end;
  }
  LineRef filler_line = FillerLine(doc, piece, typed_end, base + gap_end,
                                   last_line.start + last_line.length);
  if (filler_line.start == nullptr) {
    lines->overlay.clear();
    return;
  }
  lines->overlay.push_back(filler_line);
  lines->overlay_first = first;
}

void MarkDirty(Document* doc) {
  if (doc->render_cache) doc->render_cache->dirty = 1;
}

}  // namespace

void RebuildLines(Document* doc) {
  std::lock_guard<std::recursive_mutex> hold(doc->lock);
  ScanAllLines(doc);
  BuildOverlay(doc);
  MarkDirty(doc);
}

void RefreshLines(Document* doc) {
  std::lock_guard<std::recursive_mutex> hold(doc->lock);
  if (!LinesMatchText(*doc)) ScanAllLines(doc);
  BuildOverlay(doc);
  MarkDirty(doc);
}

int32_t LineOfOffset(const Document& doc, int32_t offset) {
  offset = std::clamp(offset, 0, StringLength(doc.text));
  const char* base = StringData(doc.text);
  if (LinesMatchText(doc)) return FindLine(doc.lines, base + offset);
  return CountLineFeeds(base, offset);
}

int32_t LineStartOffset(const Document& doc, int32_t k) {
  const char* base = StringData(doc.text);
  if (LinesMatchText(doc)) {
    return static_cast<int32_t>(doc.lines.Raw(std::clamp(k, 0, doc.lines.count - 1)).start - base);
  }
  int32_t length = StringLength(doc.text);
  const char* p = base;
  const char* end = base + length;
  for (int32_t line = 0; line < k; ++line) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
    if (lf == nullptr) break;
    p = lf + 1;
  }
  return static_cast<int32_t>(p - base);
}
