#pragma once
// Window procedures of the text pane and the line-number pane. The main
// window registers "surface_superhost" and "line_superhost" with these (class
// style CS_DBLCLKS, no cursor); its dialog template creates controls 1003
// and 1004.
#include <windows.h>

LRESULT CALLBACK SurfaceWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK LineWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
