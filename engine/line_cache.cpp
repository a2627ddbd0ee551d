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

GrowString TakeSpareString(Document* doc) {
  if (doc->spare_lines.empty()) return GrowString(kStringGranularity);
  GrowString s = std::move(doc->spare_lines.back());
  doc->spare_lines.pop_back();
  return s;
}

// Shows the lines that hold an open gap through copies without the filler.
void BuildOverlay(Document* doc) {
  LineArray* lines = &doc->lines;
  for (GrowString& s : doc->patched_lines) doc->spare_lines.push_back(std::move(s));
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
  LineRef first_line = lines->Raw(first);
  LineRef last_line = lines->Raw(last);
  int32_t line_start = static_cast<int32_t>(first_line.start - base);
  int32_t line_end = static_cast<int32_t>(last_line.start - base) + static_cast<int32_t>(last_line.length);
  int32_t kept = (insert - line_start) + (line_end - gap_end);
  if (!ResizeBuffer(&doc->patch_scratch, kept + 1)) return;
  char* scratch = doc->patch_scratch.data;
  std::memcpy(scratch, base + line_start, static_cast<size_t>(insert - line_start));
  std::memcpy(scratch + (insert - line_start), base + gap_end,
              static_cast<size_t>(line_end - gap_end));
  scratch[kept] = 0;
  const char* piece = scratch;
  const char* scratch_end = scratch + kept;
  for (int32_t k = first; k <= last; ++k) {
    const char* lf = static_cast<const char*>(std::memchr(piece, '\n', scratch_end - piece));
    const char* stop = lf != nullptr ? lf : scratch_end;
    GrowString s = TakeSpareString(doc);
    SetString(&s, piece, static_cast<int32_t>(stop - piece));
    doc->patched_lines.push_back(std::move(s));
    piece = lf != nullptr ? lf + 1 : scratch_end;
  }
  lines->overlay_first = first;
  for (const GrowString& s : doc->patched_lines) {
    lines->overlay.push_back({StringData(s), static_cast<uint32_t>(StringLength(s))});
  }
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
