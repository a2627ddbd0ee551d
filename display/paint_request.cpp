#include "display/paint_request.h"

#include <tuple>

#include "display/surface_view.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"

namespace {

auto Tied(const ShownFacts& f) {
  return std::tie(f.document, f.dirty, f.caret_moved, f.has_selection, f.overwrite, f.caret_line,
                  f.caret_column, f.top_line, f.caret_row, f.anchor_line, f.anchor_column,
                  f.sel_caret_line, f.sel_caret_column);
}

}  // namespace

ShownFacts FactsOf(const Document* doc) {
  ShownFacts f;
  if (doc == nullptr || doc->render_cache == nullptr) return f;
  const RenderCache& c = *doc->render_cache;
  f.document = doc;
  f.dirty = c.dirty;
  f.caret_moved = c.caret_moved;
  f.has_selection = doc->has_selection;
  f.overwrite = doc->overwrite;
  f.caret_line = static_cast<int32_t>(doc->caret_line);
  f.caret_column = static_cast<int32_t>(doc->caret_column);
  f.top_line = c.top_line;
  f.caret_row = c.caret_row;
  f.anchor_line = doc->anchor_line;
  f.anchor_column = doc->anchor_column;
  f.sel_caret_line = doc->sel_caret_line;
  f.sel_caret_column = doc->sel_caret_column;
  return f;
}

bool TakePaintRequest(SurfaceView& view, const AppState* app, bool user_action) {
  // Without a canvas or an AppState a paint draws nothing, and asking again
  // after it would only spin.
  if (app == nullptr || view.canvas.pixels == nullptr) return false;
  Document* doc = GetCurrentDocument(*app);
  if (user_action && doc != nullptr && doc->render_cache != nullptr) {
    doc->render_cache->caret_moved = 1;
  }
  const ShownFacts now = FactsOf(doc);
  if (Tied(now) == Tied(view.shown)) return false;
  view.shown = now;
  return true;
}
