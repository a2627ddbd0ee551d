// The Preferences and Changelog windows' console editors: the read-only
// viewer and the editor that saves only text that parses.
#include "app/preferences_editors.h"

#include "console/console_file.h"
#include "preferences/pane_keys.h"
#include "preferences/preferences_check.h"

namespace {

constexpr int kAttrBar = 2;
constexpr int kAttrKey = 3;

// Runs a host action; true when the editor is gone afterwards.
bool RunHostAction(PaneKeyAction action, PaneHost* host, int from) {
  if (host == nullptr) return false;
  if (action == PaneKeyAction::kCloseHost) return host->CloseHost();
  host->SwitchFocus(from);
  return false;
}

}  // namespace

std::string SaveFailedMessage(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return "Cannot save " + name + ": the file on disk is unchanged";
}

bool DefaultsViewer::OnKey(int key) {
  // With nothing to cancel, Escape closes a window that is only this pane.
  if (key == kKeyEscape && escape_closes_host && !Down(ConsoleModifier::kControl) && !selecting &&
      prompt_state == kPromptNone)
    return RunHostAction(PaneKeyAction::kCloseHost, host_window, 2);
  PaneKeyAction action = DefaultsViewerKeyAction(key, Down(ConsoleModifier::kControl), prompt_state);
  switch (action) {
    case PaneKeyAction::kBase: return ConsoleEditor::OnKey(key);
    case PaneKeyAction::kSwitchFocus:
    case PaneKeyAction::kCloseHost: return RunHostAction(action, host_window, 2);
    default: return false;
  }
}

bool PreferencesEditor::OnKey(int key) {
  PaneKeyAction action = PreferencesEditorKeyAction(key, Down(ConsoleModifier::kControl));
  switch (action) {
    case PaneKeyAction::kSaveAndCheck: SaveFile(); return false;
    case PaneKeyAction::kSwitchFocus:
    case PaneKeyAction::kCloseHost: return RunHostAction(action, host_window, 1);
    default: return ConsoleEditor::OnKey(key);
  }
}

void PreferencesEditor::AddHelpLineItems() {
  AddHelpPiece("S", kAttrKey);
  AddHelpPiece("ave", kAttrBar);
}

bool PreferencesEditor::SaveFile() {
  // The check sees exactly the bytes the save writes, so a text that passes
  // is a file the next start reads without a parse error.
  std::string text;
  for (const std::string& line : lines) AppendConsoleLine(line, tab_write_width, newline_mode, &text);
  std::string error;
  if (!CheckPreferencesText(text, &error)) {
    if (screen) ShowMessage(error);
    return false;
  }
  bool saved = ConsoleEditor::SaveFile();
  if (screen) ShowMessage(saved ? kPreferencesSavedMessage : SaveFailedMessage(file_name));
  return saved;
}
