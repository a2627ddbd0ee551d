#pragma once
// The two windows made of console panes, owned by the main window, and what
// they share: binding a pane to its process-wide ConsoleWindow, opening a
// file in a pane's editor, and the host actions and clipboard of the
// editors.
//
// The Preferences window (dialog 108, "preferences_superhost"):
// "preferences-default.txt" read-only in the left pane beside
// "preferences.txt" in the right, each with its own editor. It changes no
// running setting; a saved file counts from the next start.
//
// The Changelog window (dialog 105, "changelog_superhost"): "changelog.txt"
// from beside the program in a read-only pane, in a fixed 620 x 505 window.
#include <windows.h>

#include <string>

#include "app/preferences_editors.h"
#include "app/sizer.h"
#include "console/console_window_win32.h"
#include "display/window_painter_win32.h"
#include "engine/clipboard_win32.h"

// Sent by a pane editor on Ctrl+Tab; wParam says which pane sent it.
constexpr UINT kSwitchPaneFocusMessage = WM_USER + 200;

// The host actions of a pane editor for a dialog window.
class WindowPaneHost : public PaneHost {
 public:
  void SwitchFocus(int from) override;
  bool CloseHost() override;

  HWND hwnd = nullptr;
};

// The clipboard of a window's console editors, owned by that window once
// it exists (the editors are made before it).
class PaneClipboard : public Clipboard {
 public:
  bool SetText(const std::string& utf8) override { return Win32Clipboard(owner).SetText(utf8); }
  bool GetText(std::string* utf8) override { return Win32Clipboard(owner).GetText(utf8); }

  HWND owner = nullptr;
};

// Attaches `console` to the dialog's control `id` (user data, handle, reset,
// caret timer), sets up its font and grid and has it repainted. Returns the
// control.
HWND BindConsolePane(HWND dialog, int id, ConsoleWindow* console);

// Opens `path` without initial text (a missing file opens empty), draws the
// editor and shows its first line.
void OpenPaneFile(ConsoleEditor* editor, const std::string& path);

// The feed timer of a window's panes runs only while keys wait: started when
// a pane queues one, stopped by the tick that leaves every queue empty.
// `queued`: some pane of the window has input waiting.
void SyncKeyFeed(HWND host, UINT_PTR timer, bool* armed, bool queued);
constexpr UINT kKeyFeedPeriod = USER_TIMER_MINIMUM;  // ms: a key waits no longer than that

// The Preferences window.
constexpr UINT_PTR kPreferencesTimer = 335;  // feeds the panes their keys

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
  bool feed_armed = false;  // timer 335 runs
};

// Null while the window is closed.
extern PreferencesWindow* preferences_window;
// The left and right panes' console records, bound to the panes while the
// window is open.
extern ConsoleWindow preferences_default_console;
extern ConsoleWindow preferences_user_console;

// Focuses the open window; otherwise creates and shows it.
void OpenPreferencesWindow(HWND owner);

// The Changelog window.
constexpr UINT_PTR kChangelogTimer = 331;  // feeds the pane its keys

// Invariant while the window exists: viewer is owned and draws into
// changelog_console.
struct ChangelogWindow {
  HWND hwnd = nullptr;
  Sizer sizer;  // the console pane follows the client edges
  DefaultsViewer* viewer = nullptr;
  WindowPaneHost host;
  PaneClipboard clipboard;
  bool feed_armed = false;  // timer 331 runs
};

// Null while the window is closed.
extern ChangelogWindow* changelog_window;
// The pane's console record, bound to the pane while the window is open.
extern ConsoleWindow changelog_console;

// Focuses the open window; otherwise creates and shows it.
void OpenChangelogWindow(HWND owner);
