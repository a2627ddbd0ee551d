#pragma once
// The one place where the bytes of a Document's text change: every engine
// edit goes through SpliceText or the two line-start edits, which keep the
// raw line entries in step so the line cache never needs a rescan of the
// whole text.
#include <cstdint>

struct Document;

// Replaces `remove` bytes at `at` by the n given bytes (which must not point
// into the text). Positions are clamped to the text. False when out of memory
// or past kMaxTextLength (text unchanged).
bool SpliceText(Document* doc, int32_t at, int32_t remove, const char* bytes,
                int32_t n);
// Inserts the n bytes of `prefix` (no LF among them) at the start of every
// line from `first` to `last` (0 <= first <= last < the line count), moving
// each byte of the text at most once. Nothing changes when memory runs out or
// the line cache is out of step.
void InsertAtLineStarts(Document* doc, int32_t first, int32_t last, const char* prefix,
                        int32_t n);
// Removes up to `max_count` leading bytes equal to `byte` from every line from
// `first` to `last`, the same way; nothing when the line cache is out of step.
void RemoveAtLineStarts(Document* doc, int32_t first, int32_t last, char byte,
                        int32_t max_count);
// Number of LF bytes among the n bytes at p (0 when n <= 0).
int32_t CountLineFeeds(const char* p, int32_t n);
// True when the raw line entries describe the current text.
bool LinesMatchText(const Document& doc);
