#pragma once
// Window procedures of the text pane and the line-number pane. The main
// window registers "surface_superhost" and "line_superhost" with these (class
// style CS_DBLCLKS, no cursor); its dialog template creates controls 1003
// and 1004.
#include <windows.h>

LRESULT CALLBACK SurfaceWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK LineWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// A pane takes its window's DPI when it is created; when the DPI changes the
// main window hands each pane the new one: new pixel sizes, font and
// scrollbar width, and a full layout at the next paint.
void SetSurfaceDpi(HWND pane, int dpi);
void SetLinePaneDpi(HWND pane, int dpi);

// Draws the line-number pane's labels and copies them to it at once; the
// text pane's paint calls it so both panes show one state per frame.
void PresentLinePaneNow(HWND pane);

// After an input message has been handled (keys, mouse, menu and dialog
// commands): invalidates the text pane when what it shows has changed, so
// the change is painted as soon as the queue is empty. `user_action` (a key,
// a click, the wheel on the main window) shows the caret solid again.
void AskSurfaceForPaint(bool user_action);

// The main window became active or inactive (or was minimized or restored).
// The caret blinks only while that window is active, visible and shows a
// caret; otherwise it stands solid and its timer is stopped. It shows solid
// at once when the window comes back.
void SetSurfaceActive(HWND pane, bool active);
