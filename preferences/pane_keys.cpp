#include "preferences/pane_keys.h"

namespace {

constexpr int kCtrlC = 3, kCtrlF = 6, kCtrlG = 7, kTab = 9, kCtrlL = 12, kCtrlO = 15,
              kCtrlP = 16, kCtrlS = 19, kCtrlW = 23, kEscape = 27;
constexpr int kFirstMovementKey = 4096, kLastMovementKey = 4103;  // Down .. End
constexpr int kF1 = 4106, kF12 = 4117;

// Keys that only read: find next, panes, other pane, find, copy. Their codes
// also arrive without Ctrl (Tab is 9, Enter 13 ...), so Ctrl must be held.
bool IsReadingCtrlKey(int key) {
  return key == kCtrlG || key == kCtrlP || key == kCtrlO || key == kCtrlF || key == kCtrlC;
}

bool IsAlwaysAllowed(int key) {
  return key == kCtrlL || key == kEscape || (key >= kFirstMovementKey && key <= kLastMovementKey) ||
         (key >= kF1 && key <= kF12);
}

}  // namespace

PaneKeyAction DefaultsViewerKeyAction(int key, bool ctrl_down, int prompt_state) {
  if (key < 0) return PaneKeyAction::kDrop;
  if (prompt_state == kFindPromptOpen) return PaneKeyAction::kBase;
  if (ctrl_down && IsReadingCtrlKey(key)) return PaneKeyAction::kBase;
  if (IsAlwaysAllowed(key)) return PaneKeyAction::kBase;
  if (ctrl_down && key == kTab) return PaneKeyAction::kSwitchFocus;
  if (ctrl_down && key == kCtrlW) return PaneKeyAction::kCloseHost;
  return PaneKeyAction::kDrop;
}

PaneKeyAction PreferencesEditorKeyAction(int key, bool ctrl_down) {
  if (ctrl_down && key == kTab) return PaneKeyAction::kSwitchFocus;
  if (ctrl_down && key == kCtrlW) return PaneKeyAction::kCloseHost;
  if (ctrl_down && key == kCtrlS) return PaneKeyAction::kSaveAndCheck;
  return PaneKeyAction::kBase;
}
