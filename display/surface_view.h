#pragma once
// The text pane ("surface_superhost"): its record, the global that reaches
// it, and the view toggles the main window's menu and keys call.
#include <cstdint>
#include <string>

#include "display/cached_font.h"
#include "display/canvas.h"
#include "display/paint_request.h"
#include "display/pane_metrics.h"
#include "engine/char_input.h"

struct RenderCache;

// A window handle kept opaque so the record compiles in both builds; the
// Windows side casts it to HWND.
using WindowHandle = void*;

// One per text pane, created with the window and freed with it.
// Invariant: `cache` is null or the render cache of the document whose path
// is `shown_path`; it is reset at the start of every paint.
struct SurfaceView {
  WindowHandle hwnd = nullptr;
  Canvas canvas;            // off-screen image of the whole client area
  CachedFont font;          // the text font, metrics.font_height high
  PaneMetrics metrics;      // pixel sizes at the window's DPI
  std::string line_text;    // scratch copy of one display line
  std::string shown_path;   // path of the document painted last
  RenderCache* cache = nullptr;  // not owned
  int32_t ruler_column = 0;      // 0 = ruler off
  uint8_t empty_drawn = 0;       // the empty screen is on the canvas and window
  uint8_t show_whitespace = 0;
  uint8_t show_wisdom = 0;       // cleared for good once a document is shown
  int32_t wisdom_index = 0;      // 0 .. kMaximCount - 1
  CharInput char_input;          // first half of a surrogate pair in waiting
  ShownFacts shown;              // as of the last paint, or of the paint asked for since
  uint8_t window_active = 0;     // the main window is the active window
  uint8_t blink_armed = 0;       // the caret's timer runs
};

// Null while the pane does not exist.
extern SurfaceView* surface_view;

// View > Ruler and View > Whitespace, called after the menu-state test.
// They mark the shown render cache dirty and never paint. False when the pane
// does not exist (nothing changes then).
bool ToggleRulerColumn();
bool ToggleWhitespaceDots();
