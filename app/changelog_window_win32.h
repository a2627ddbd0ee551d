#pragma once
// The Changelog window (dialog 105, "changelog_superhost"), owned by the
// main window: "changelog.txt" from beside the program in a read-only
// console pane, in a fixed 620 x 505 window.
#include <windows.h>

#include "app/console_host_window_win32.h"
#include "app/preferences_editors.h"
#include "app/sizer.h"

constexpr UINT_PTR kChangelogTimer = 331;  // feeds the pane its keys
constexpr UINT kChangelogTimerPeriod = 50;  // ms

// Invariant while the window exists: viewer is owned and draws into
// changelog_console.
struct ChangelogWindow {
  HWND hwnd = nullptr;
  Sizer sizer;  // the console pane follows the client edges
  DefaultsViewer* viewer = nullptr;
  WindowPaneHost host;
  PaneClipboard clipboard;
};

// Null while the window is closed.
extern ChangelogWindow* changelog_window;
// The pane's console record, bound to the pane while the window is open.
extern ConsoleWindow changelog_console;

// Focuses the open window; otherwise creates and shows it.
void OpenChangelogWindow(HWND owner);
