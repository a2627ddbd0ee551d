#pragma once
// What the two console panes of the Preferences window (and the Changelog
// window's read-only pane) do with a key code from their console
// (preferences/console_key_codes.h).

// The console editor's prompt state while its find prompt is open.
constexpr int kFindPromptOpen = 2;

enum class PaneKeyAction {
  kBase,          // the console editor's own key handling
  kDrop,          // nothing happens
  kSwitchFocus,   // ask the host window to move the focus to the other pane
  kCloseHost,     // destroy the host window
  kSaveAndCheck,  // save only when the text parses as a preferences document
};

// The read-only pane: searching, moving, copying, splitting into panes,
// redrawing and the function keys work; every key that would change the
// text is dropped. While the find prompt is open every other key goes to
// it; Ctrl+Tab and Ctrl+W are the window's, prompt or not.
PaneKeyAction DefaultsViewerKeyAction(int key, bool ctrl_down, int prompt_state);

// The editable pane: Ctrl+Tab (or Ctrl+I), Ctrl+W and Ctrl+S are the
// window's; every other key is the console editor's.
PaneKeyAction PreferencesEditorKeyAction(int key, bool ctrl_down);
