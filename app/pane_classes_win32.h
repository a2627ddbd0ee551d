#pragma once
// Registration of the two pane classes of the main dialog.
#include <windows.h>

// Registers "surface_superhost" and "line_superhost" from the dialog class
// record `base` (instance, icon, style and cursor already set).
void RegisterPaneClasses(WNDCLASSW base);
