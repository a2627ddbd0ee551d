#pragma once
// The console editors of the Preferences window: a read-only viewer (also
// the Changelog window's) and the editor that saves "preferences.txt" only
// when it parses. Both reach their window through a PaneHost, so they run
// without one in tests.
#include "console/console_editor.h"

// The window that holds an editor's console pane.
class PaneHost {
 public:
  virtual ~PaneHost() = default;
  // Moves the focus to the other pane; `from` is 1 for the editable pane
  // and 2 for the read-only one.
  virtual void SwitchFocus(int from) = 0;
  // Destroys the window, which deletes its editors, the caller included.
  // False when the window (and so the caller) is still there.
  virtual bool CloseHost() = 0;
};

// Searching, moving, copying and the pane keys work; typing, Enter,
// Backspace, Delete, Insert, Tab, cut and paste do nothing.
class DefaultsViewer : public ConsoleEditor {
 public:
  DefaultsViewer(ConsoleScreen* screen, Clipboard* clipboard) : ConsoleEditor(screen, clipboard) {
    replace_offered = false;
  }
  bool OnKey(int key) override;

  PaneHost* host_window = nullptr;  // not owned; may be null
  // Escape with no selection, prompt or message closes the host (the
  // Changelog window); otherwise Escape cancels as usual.
  bool escape_closes_host = false;
};

// Saves only a text that parses and says so on the status line; Ctrl+W
// closes the whole window at once, unsaved changes and all.
class PreferencesEditor : public ConsoleEditor {
 public:
  using ConsoleEditor::ConsoleEditor;
  bool OnKey(int key) override;
  // Every save (Ctrl+S, the "y" of the save-before-closing question)
  // checks the text and writes the file only when it parses.
  bool SaveFile() override;
  // The help line reads Ctrl+(Pane Find/Replace Save).
  void AddHelpLineItems() override;

  PaneHost* host_window = nullptr;  // not owned; may be null
};

// The status line after a parsed text could not be written.
std::string SaveFailedMessage(const std::string& path);
