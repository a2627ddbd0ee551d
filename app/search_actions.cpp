// What the Find and Go-to dialogs do with their entries.
#include "app/search_actions.h"

#include <algorithm>

#include "display/view_scroll.h"
#include "engine/document.h"
#include "engine/movement.h"
#include "engine/render_cache.h"
#include "engine/search.h"

int32_t GoToLineIndex(const std::string& entry, int32_t line_count) {
  const int64_t last = line_count > 1 ? line_count - 1 : 0;
  int64_t number = 0;
  for (char c : entry) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
    // Past the last line every further digit changes nothing; stopping here
    // keeps a long entry from overflowing.
    if (number > last + 1) break;
  }
  return static_cast<int32_t>(std::clamp<int64_t>(number - 1, 0, last));
}

bool FindFromDialog(Document* doc, RenderCache* shown, const std::string& text,
                    bool match_case, bool whole_word) {
  if (doc == nullptr || text.empty()) return false;
  bool found = Find(doc, text, match_case, whole_word, true, false);
  if (found && shown != nullptr &&
      (static_cast<int32_t>(doc->caret_line) != shown->last_caret_line ||
       static_cast<int32_t>(doc->caret_column) != shown->last_caret_column))
    DetachView(shown);
  if (doc->render_cache != nullptr) doc->render_cache->dirty = 1;
  return found;
}

void GoToFromDialog(Document* doc, const std::string& entry) {
  if (doc == nullptr || entry.empty()) return;
  GoToLineColumn(doc, GoToLineIndex(entry, doc->lines.Count()), 0);
  if (doc->render_cache != nullptr) doc->render_cache->dirty = 1;
}
