#pragma once
// The Win32 half of display scaling: the DPI a window is shown at, and the
// system metrics at the design DPI, so they scale by engine/dpi_scale.h's
// rule like every other size. Works on systems without the per-monitor calls
// (before Windows 10 1607), where the screen's DPI stands for every window.
#include <windows.h>

// The window's DPI; 96 when the platform cannot tell.
int WindowDpi(HWND hwnd);
// The system metric `index` (SM_CXVSCROLL and the like) as it is at 96 DPI.
int DesignSystemMetric(int index);
