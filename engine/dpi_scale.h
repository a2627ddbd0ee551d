#pragma once
// Display scaling. Every pixel size in the program (fonts, margins, lines,
// scrollbars, default window rectangles) is a design size at 96 DPI, the
// 100 % of Windows' display scaling, and is scaled by the DPI of the window
// it is drawn in with this one rule, so that panes, consoles and windows
// grow alike at 125, 150 or 200 %.
#include <cstdint>

constexpr int32_t kDesignDpi = 96;

// design x dpi / 96 rounded to the nearest pixel, halves away from zero (the
// rounding of the platform's MulDiv); a DPI of 0 or less, which a platform
// that cannot tell answers, reads as 96. Results beyond 32 bits saturate.
int32_t ScaleToDpi(int32_t design, int32_t dpi);
