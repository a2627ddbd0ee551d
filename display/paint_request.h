#pragma once
// When the text pane must paint again. Commands never paint: they change
// the document and mark its render cache. Whoever dispatched an input asks
// here once it has been handled, and the pane is invalidated only when what
// it shows would change; the window system then paints once for a burst.
#include <cstdint>

struct AppState;
struct Document;
struct SurfaceView;

// What a paint of the pane depends on besides the text, whose changes set
// the render cache's `dirty`.
struct ShownFacts {
  const Document* document = nullptr;  // null: the empty screen
  uint8_t dirty = 0;
  uint8_t caret_moved = 0;
  uint8_t has_selection = 0;
  uint8_t overwrite = 0;
  int32_t caret_line = 0;
  int32_t caret_column = 0;
  int32_t top_line = 0;
  int32_t caret_row = 0;
  int32_t anchor_line = 0;
  int32_t anchor_column = 0;
  int32_t sel_caret_line = 0;
  int32_t sel_caret_column = 0;
};

// The facts of a document the pane can show (one with a render cache), or
// of the empty screen.
ShownFacts FactsOf(const Document* doc);

// After an input has been handled. With `user_action` (a key, a click, the
// wheel) the caret is shown solid at its next paint. True when the pane must
// paint; the facts then count as shown, so one change is asked for once.
bool TakePaintRequest(SurfaceView& view, const AppState* app, bool user_action);
