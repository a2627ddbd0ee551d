#pragma once
// What the Find and Go-to dialogs do with their entries once OK is pressed,
// free of windows so it can be tested on its own.
#include <cstdint>
#include <string>

struct Document;
struct RenderCache;

// The 0-based line the Go-to entry names in a document of `line_count`
// lines: the decimal value of the entry's leading digits (0 when there are
// none) minus one, clamped to the first and last line. Numbers too large for
// any integer type still give the last line.
int32_t GoToLineIndex(const std::string& entry, int32_t line_count);

// A new forward search for `text` from the caret. When it finds a match that
// moved the caret away from where `shown` (the render cache the text pane
// shows; may be null) last drew it, the view is detached so that the next
// layout places the match freshly instead of scrolling row by row towards it.
bool FindFromDialog(Document* doc, RenderCache* shown, const std::string& text,
                    bool match_case, bool whole_word);

// Puts the caret at the start of the line the Go-to entry names. The typing
// gap and the selection are left as they are.
void GoToFromDialog(Document* doc, const std::string& entry);
