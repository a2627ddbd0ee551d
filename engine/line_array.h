#pragma once
// The line cache of a Document: one LineRef per line.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/grow_buffer.h"

// One line: its first byte and its length in bytes (the LF not included).
struct LineRef {
  const char* start;
  uint32_t length;
};

// Stored form of one raw line: 8 bytes. Entries before the hole count their
// start from the text start, entries after it from the text end, so a change
// of the text at the hole leaves every other entry valid as it stands.
struct LineSlot {
  uint32_t offset;
  uint32_t length;
};
static_assert(sizeof(LineSlot) == 8, "the line cache costs 8 bytes a line");

// An array of LineRef read through Count() and operator[].
//
// Inside, it keeps one slot per line of the raw `text` (typing-gap filler
// included) in a buffer with a movable hole that follows the edits; the
// lines that contain an open typing gap are shown through `overlay`, which
// points into the Document's `patched_lines`. Readers never see a filler
// byte.
//
// Invariants: 0 <= hole_at <= count <= Capacity(); when `valid`, count >= 1
// (every text has a line) and the slots describe the text at `text_base` with
// `text_length` bytes, line starts ascending, each one byte past the previous
// line's LF; overlay_first + overlay.size() <= count.
struct LineArray {
  GrowBuffer raw{kArrayGranularity};  // LineSlot storage: [0, hole_at) and the tail
  int32_t count = 0;                 // lines in use
  int32_t hole_at = 0;               // index where the free slots sit
  bool valid = false;                // slots match the text
  const char* text_base = nullptr;   // text the slots describe
  int32_t text_length = 0;
  int32_t overlay_first = 0;
  std::vector<LineRef> overlay;

  int32_t Count() const { return count; }
  LineRef operator[](int32_t k) const {
    int32_t o = k - overlay_first;
    if (o >= 0 && o < static_cast<int32_t>(overlay.size())) return overlay[o];
    return Raw(k);
  }
  // Line k of the raw text (filler bytes included).
  LineRef Raw(int32_t k) const {
    const LineSlot* slots = reinterpret_cast<const LineSlot*>(raw.data);
    if (k < hole_at) return {text_base + slots[k].offset, slots[k].length};
    const LineSlot& s = slots[k + Capacity() - count];
    return {text_base + text_length - s.offset, s.length};
  }
  int32_t Capacity() const {
    return raw.capacity / static_cast<int32_t>(sizeof(LineSlot));
  }
};

// The slots before the hole, which count from the text start.
inline LineSlot* HeadSlots(LineArray* lines) {
  return reinterpret_cast<LineSlot*>(lines->raw.data);
}

// Moves the hole to index k; call while text_base/text_length are current.
void MoveLineHole(LineArray* lines, int32_t k);
// Drops `remove` slots after the hole and puts the n given slots (offsets
// from the text start) before it. False when out of memory (unchanged).
bool ReplaceAtHole(LineArray* lines, int32_t remove, const LineSlot* slots, int32_t n);
// Index of the last line starting at or before `p` (0 when none does).
int32_t FindLine(const LineArray& lines, const char* p);
void ClearLines(LineArray* lines);
// Gives back growth slack beyond `spare` free slots (after a full scan).
void TrimLines(LineArray* lines, int32_t spare);
