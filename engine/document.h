#pragma once
// One open text file in memory: its UTF-8 content with a typing gap, the line
// cache the display reads, caret, selection and the last search.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/render_cache.h"
#include "engine/grow_buffer.h"
#include "engine/line_array.h"

constexpr int32_t kNoPosition = -1;  // `find_pos` when there is none
constexpr int32_t kGapSize = 24;
// The most bytes a text may hold, a typing gap's filler included. Every
// edit, replace-all and load that grows a text is refused past it before it
// takes the memory, so a command's peak stays near twice its result.
constexpr int64_t kMaxTextLength = int64_t{1} << 30;
constexpr char kGapFiller = '$';
// A whole gap's filler, for the edits that write it.
constexpr char kGapFillerRun[] = "$$$$$$$$$$$$$$$$$$$$$$$$";
static_assert(sizeof(kGapFillerRun) == kGapSize + 1, "one filler byte per gap byte");

// A run of filler bytes in `text` where typed characters go without moving
// the rest of the text.
// Invariants while open: gap_start <= gap_insert <= gap_start + gap_size;
// [gap_insert, gap_start + gap_size) holds filler bytes. While closed,
// gap_start = gap_insert = -1 (0 before the first gap).
struct TypingGap {
  int32_t gap_size = kGapSize;
  int32_t gap_start = 0;
  int32_t gap_insert = 0;
  uint8_t gap_closed = 1;
  GrowString* gap_text = nullptr;  // the string the gap lives in
};

// Invariants: `text` is NUL-terminated and holds LF line ends only; caret <=
// length; caret_line and caret_column describe caret; with no selection the
// six fields after has_selection are 0; after every edit `lines` describes
// `text` without the gap's free part.
struct Document {
  GrowString path;
  GrowString text;
  TypingGap gap;
  std::recursive_mutex lock;  // serialises RebuildLines against a load (which may call it)
  LineArray lines;
  std::vector<GrowString> patched_lines;  // the gap's line without filler, when copied
  std::vector<GrowString> spare_lines;    // recycled strings
  uint32_t caret = 0;
  uint32_t caret_line = 0;
  uint32_t caret_column = 0;
  uint8_t overwrite = 0;
  uint32_t eol_style = 0;  // on disk: 0 = LF, 1 = CR LF, 2 = CR
  std::unique_ptr<RenderCache> render_cache;
  int32_t tab_size = 2;
  uint8_t tabs_as_spaces = 1;
  GrowString find_text;
  GrowString replace_text;
  int32_t find_pos = kNoPosition;
  // Set when the last search found nothing and put find_pos at the other end
  // of the text: the next F3 or Shift+F3 then tests that offset itself.
  uint8_t find_wrapped = 0;
  uint8_t match_case = 1;
  uint8_t whole_word = 1;
  uint8_t has_selection = 0;
  uint32_t sel_anchor = 0;
  uint32_t sel_start = 0;
  uint32_t sel_end = 0;  // exclusive
  int32_t anchor_column = 0;
  int32_t anchor_line = 0;
  int32_t sel_caret_column = 0;
  int32_t sel_caret_line = 0;
};

// Length of `text` in bytes (filler included while a gap is open).
int32_t TextLength(const Document& doc);

// Typing gap, on the string gap.gap_text points to.
void OpenGap(Document* doc, int32_t at);
int32_t CloseGap(Document* doc, int32_t offset);
// Inserts at raw offset `at`; returns the offset right after the inserted
// bytes (where `at` now stands when memory ran out and nothing went in).
int32_t GapInsert(Document* doc, const char* bytes, int32_t n, int32_t at);
// Closes the gap around the caret and refreshes the line cache.
void CloseGapAtCaret(Document* doc);

// Caret.
uint32_t SetCaret(Document* doc, int64_t offset, bool incremental = false);
void UpdateCaretLine(Document* doc, int64_t from, bool incremental);
void UpdateCaretColumn(Document* doc);
const char* CaretPointer(const Document& doc);

// Selection.
void BeginSelection(Document* doc, bool extend);
void UpdateSelection(Document* doc);
void ClearSelection(Document* doc);

// Line cache. RebuildLines rescans the whole text; it is what code outside
// the engine calls after writing `text` itself (for instance a load).
// RefreshLines reaches the same result from what the engine changed since the
// last refresh, falling back to a rescan when the cache does not match.
// Both hold `lock` and set the render cache's `dirty`.
void RebuildLines(Document* doc);
void RefreshLines(Document* doc);
// Index of the line holding byte `offset` of `text` (0..Count()-1).
int32_t LineOfOffset(const Document& doc, int32_t offset);
// Byte offset in `text` where line k starts (filler included).
int32_t LineStartOffset(const Document& doc, int32_t k);

// Checks every invariant above against a full rescan; for tests.
bool CheckInvariants(const Document& doc, std::string* why);
