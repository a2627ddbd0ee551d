#pragma once
// The one place where the bytes of a Document's text change: every engine
// edit goes through SpliceText, which keeps the raw line entries in step so
// the line cache never needs a rescan of the whole text.
#include <cstdint>

struct Document;

// Replaces `remove` bytes at `at` by the n given bytes (which must not point
// into the text). Positions are clamped to the text. False when out of memory
// (text unchanged).
bool SpliceText(Document* doc, int32_t at, int32_t remove, const char* bytes,
                int32_t n);
// Number of LF bytes among the n bytes at p.
int32_t CountLineFeeds(const char* p, int32_t n);
// True when the raw line entries describe the current text.
bool LinesMatchText(const Document& doc);
