#include "preferences/pane_keys.h"

#include "preferences/console_key_codes.h"

namespace {

// Keys that only read: find next, panes, other pane, find, copy. Their codes
// also arrive without Ctrl (Tab is 9, Enter 13 ...), so Ctrl must be held.
bool IsReadingCtrlKey(int key) {
  return key == CtrlKey('G') || key == CtrlKey('P') || key == CtrlKey('O') || key == CtrlKey('F') ||
         key == CtrlKey('C');
}

// Ctrl+L (redraw), Escape, the movement keys (Down .. End) and F1..F12.
bool IsAlwaysAllowed(int key) {
  return key == kKeyRedraw || key == kKeyEscape || (key >= kKeyDown && key <= kKeyEnd) ||
         (key >= kKeyF1 && key <= kKeyF12);
}

}  // namespace

PaneKeyAction DefaultsViewerKeyAction(int key, bool ctrl_down, int prompt_state) {
  if (key < 0) return PaneKeyAction::kDrop;
  // The window's keys work whatever the pane shows: its own text says
  // Ctrl+W closes it.
  if (ctrl_down && key == kKeyTab) return PaneKeyAction::kSwitchFocus;
  if (ctrl_down && key == CtrlKey('W')) return PaneKeyAction::kCloseHost;
  if (prompt_state == kFindPromptOpen) return PaneKeyAction::kBase;
  if (ctrl_down && IsReadingCtrlKey(key)) return PaneKeyAction::kBase;
  if (IsAlwaysAllowed(key)) return PaneKeyAction::kBase;
  return PaneKeyAction::kDrop;
}

PaneKeyAction PreferencesEditorKeyAction(int key, bool ctrl_down) {
  if (ctrl_down && key == kKeyTab) return PaneKeyAction::kSwitchFocus;
  if (ctrl_down && key == CtrlKey('W')) return PaneKeyAction::kCloseHost;
  if (ctrl_down && key == CtrlKey('S')) return PaneKeyAction::kSaveAndCheck;
  return PaneKeyAction::kBase;
}
