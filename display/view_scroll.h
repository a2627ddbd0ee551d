#pragma once
// Moves of the text pane's view that leave the caret where it is: the scroll
// keys, the scrollbar and the wheel, and the detaching after a search. They
// change the RenderCache only and never paint.
#include <cstdint>

struct RenderCache;

// Ctrl+Up / Ctrl+Down on the render cache the text pane shows. Return
// whether the view moved (false for a null cache).
bool ScrollViewUp(RenderCache* shown);
bool ScrollViewDown(RenderCache* shown);

// Shows `position` as top_line (scrollbar, wheel); with `detach` (or when
// the caret's line leaves the pane) the view stops following the caret.
void ScrollViewTo(RenderCache* cache, int32_t position, bool detach);

// The view stops following the caret until the caret moves; nothing for a
// null cache.
void DetachView(RenderCache* cache);
