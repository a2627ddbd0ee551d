// The raw line slots: a LineSlot array with a hole that follows the edits.
#include "engine/line_array.h"

#include <cstdlib>
#include <cstring>

namespace {

LineSlot* Slots(LineArray* lines) { return reinterpret_cast<LineSlot*>(lines->raw.data); }

bool Reserve(LineArray* lines, int32_t needed) {
  int32_t old_cap = lines->Capacity();
  if (needed <= old_cap) return true;
  int64_t bytes = static_cast<int64_t>(needed) * static_cast<int64_t>(sizeof(LineSlot));
  if (bytes > INT32_MAX / 2) return false;
  int32_t tail = lines->count - lines->hole_at;
  if (!ResizeBuffer(&lines->raw, static_cast<int32_t>(bytes))) return false;
  lines->raw.size = lines->raw.capacity;
  int32_t new_cap = lines->Capacity();
  LineSlot* slots = Slots(lines);
  std::memmove(slots + new_cap - tail, slots + old_cap - tail, sizeof(LineSlot) * tail);
  return true;
}

}  // namespace

void MoveLineHole(LineArray* lines, int32_t to) {
  LineSlot* slots = Slots(lines);
  int32_t free_slots = lines->Capacity() - lines->count;
  uint32_t length = static_cast<uint32_t>(lines->text_length);
  // Entries crossing the hole change from counting at the start to counting
  // at the end, or back.
  while (lines->hole_at > to) {
    --lines->hole_at;
    LineSlot s = slots[lines->hole_at];
    slots[lines->hole_at + free_slots] = {length - s.offset, s.length};
  }
  while (lines->hole_at < to) {
    LineSlot s = slots[lines->hole_at + free_slots];
    slots[lines->hole_at] = {length - s.offset, s.length};
    ++lines->hole_at;
  }
}

bool ReplaceAtHole(LineArray* lines, int32_t remove, const LineSlot* entries, int32_t n) {
  if (!Reserve(lines, lines->count - remove + n)) return false;
  lines->count -= remove;  // the removed slots sat right after the hole
  std::memcpy(Slots(lines) + lines->hole_at, entries, sizeof(LineSlot) * n);
  lines->count += n;
  lines->hole_at += n;
  return true;
}

int32_t FindLine(const LineArray& lines, const char* p) {
  int32_t low = 0;
  int32_t high = lines.count - 1;
  while (low < high) {
    int32_t mid = low + (high - low + 1) / 2;
    if (lines.Raw(mid).start <= p) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low;
}

void ClearLines(LineArray* lines) {
  lines->count = 0;
  lines->hole_at = 0;
  lines->overlay.clear();
  lines->overlay_first = 0;
}

void TrimLines(LineArray* lines, int32_t spare) {
  int32_t slots = lines->count + spare;
  if (slots >= lines->Capacity()) return;
  MoveLineHole(lines, lines->count);
  size_t bytes = sizeof(LineSlot) * static_cast<size_t>(slots);
  void* smaller = buffer_realloc(lines->raw.data, bytes);
  if (smaller == nullptr) return;
  lines->raw.data = static_cast<char*>(smaller);
  lines->raw.capacity = static_cast<int32_t>(bytes);
  lines->raw.size = lines->raw.capacity;
}
