#pragma once
// The Win32 side of the child layout (app/sizer.h): set it up on a window,
// register its controls where they stand, and move them on a layout pass.
#include <windows.h>

#include "app/sizer.h"
#include "engine/dpi_win32.h"

// A child's window rectangle in its parent's client coordinates; empty for a
// null child.
SizerRect ChildClientRect(HWND parent, HWND child);
// Remembers the window's client size and DPI as the layout's starting point.
void SetUpWindowSizer(Sizer* sizer, HWND parent);
// Registers control `id` of `parent` with its present rectangle.
void AddSizerControl(Sizer* sizer, HWND parent, int id, const SizerAnchors& anchors);
// One layout pass: every registered child moved in one deferred batch,
// without activation or z-order change.
void LayOutWindow(const Sizer& sizer, HWND parent);
