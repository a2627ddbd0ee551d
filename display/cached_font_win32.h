// CachedFont over a GDI font.
#pragma once

#include <windows.h>

#include "display/cached_font.h"

// Makes `font` draw with `handle`. With `owns` the handle is deleted when the
// font is given another source or destroyed. False (and the font unchanged,
// an owned handle deleted) when GDI cannot give the font's metrics.
bool SetCachedFontHandle(CachedFont& font, HFONT handle, bool owns);

// The editor's text font: "Consolas", `height` units high (14 at 96 DPI,
// scaled with the window, see PaneMetrics), normal weight.
HFONT CreateEditorFont(int height);
