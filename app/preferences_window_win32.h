#pragma once
// The Preferences window (dialog 108, "preferences_superhost"), owned by the
// main window: "preferences-default.txt" read-only in the left pane beside
// "preferences.txt" in the right, each a console pane with its own editor.
// It changes no running setting; a saved file counts from the next start.
#include <windows.h>

#include "app/console_host_window_win32.h"
#include "app/preferences_editors.h"
#include "app/sizer.h"
#include "display/window_painter_win32.h"

constexpr UINT_PTR kPreferencesTimer = 335;  // feeds the panes their keys
constexpr UINT kPreferencesTimerPeriod = 50;  // ms

// Invariants: hwnd is the dialog while it exists; the editors are owned and
// drawn into the two process-wide console records below.
struct PreferencesWindow {
  PreferencesWindow() = default;
  PreferencesWindow(const PreferencesWindow&) = delete;
  PreferencesWindow& operator=(const PreferencesWindow&) = delete;
  ~PreferencesWindow();  // deletes the editors

  HWND hwnd = nullptr;
  Sizer sizer;
  WindowPainter painter;
  DefaultsViewer* defaults_view = nullptr;
  PreferencesEditor* user_editor = nullptr;
  WindowPaneHost host;
  PaneClipboard clipboard;
};

// Null while the window is closed.
extern PreferencesWindow* preferences_window;
// The left and right panes' console records, bound to the panes while the
// window is open.
extern ConsoleWindow preferences_default_console;
extern ConsoleWindow preferences_user_console;

// Focuses the open window; otherwise creates and shows it.
void OpenPreferencesWindow(HWND owner);
