// The Windows side of a Canvas: its memory device context, with the canvas's
// DIB section selected, for GDI copies to and from windows.
#pragma once

#include <windows.h>

#include "display/canvas.h"

// Null while the canvas is empty. Call GdiFlush before reading pixels that
// GDI has just drawn through this DC.
HDC CanvasDc(const Canvas& canvas);
