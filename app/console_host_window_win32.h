#pragma once
// What the Preferences and Changelog windows share: binding a console pane
// of the dialog to its process-wide ConsoleWindow, opening a file in a pane
// editor, the host actions the editors call and their clipboard.
#include <windows.h>

#include <string>

#include "app/preferences_editors.h"
#include "console/console_window_win32.h"
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
