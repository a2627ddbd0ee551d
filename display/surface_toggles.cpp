// The text pane's two view toggles, the ruler column and the whitespace
// dots, and the pane's globals; the next paint applies them.
#include "display/pane_hooks.h"
#include "display/surface_view.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/render_cache.h"
#include "preferences/preferences.h"

SurfaceView* surface_view = nullptr;
PaneHooks pane_hooks;

namespace {

// The cache of the document the next paint shows. The pane's own `cache`
// pointer may outlive a closed document, so it is not written through.
void MarkShownDirty() {
  Document* doc = app_state != nullptr ? GetCurrentDocument(*app_state) : nullptr;
  if (doc != nullptr && doc->render_cache != nullptr) doc->render_cache->dirty = 1;
}

}  // namespace

bool ToggleRulerColumn() {
  if (surface_view == nullptr) return false;
  surface_view->ruler_column = surface_view->ruler_column != 0 ? 0 : GetRuler();
  MarkShownDirty();
  return true;
}

bool ToggleWhitespaceDots() {
  if (surface_view == nullptr) return false;
  surface_view->show_whitespace = surface_view->show_whitespace ? 0 : 1;
  MarkShownDirty();
  return true;
}
