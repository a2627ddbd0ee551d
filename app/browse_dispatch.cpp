// The Folders and Switch windows' keys, tried before the main window's
// table for key-downs of those windows.
#include "app/key_dispatch.h"
#include "engine/virtual_keys.h"

namespace {

bool Alone(const DispatchInput& in) { return !in.ctrl && !in.shift && !in.alt; }

BrowseAction TreeKey(const DispatchInput& in) {
  if (Alone(in) && in.wparam == kVkReturn) return BrowseAction::OpenSelectedFile;
  if (Alone(in) && in.wparam == kVkDelete) return BrowseAction::DeleteSelectedItem;
  if (in.ctrl && in.shift && !in.alt && in.wparam == kVkDelete) return BrowseAction::ResetTree;
  // Up elsewhere in the tree is the tree's own.
  if (Alone(in) && in.wparam == kVkUp && in.tree_on_root) return BrowseAction::FocusFilter;
  return BrowseAction::None;
}

BrowseAction FilterKey(const DispatchInput& in) {
  if (Alone(in) && in.wparam == kVkDown) return BrowseAction::FocusTree;
  if (Alone(in) && in.wparam == kVkReturn) return BrowseAction::ApplyFilter;
  return BrowseAction::None;
}

BrowseAction FoldersKey(const DispatchInput& in) {
  if (in.alt && !in.ctrl && !in.shift && in.wparam == 'D') return BrowseAction::SelectFilter;
  if (!in.repeat_bit) return BrowseAction::None;
  if (in.focus == BrowseFocus::FoldersTree) return TreeKey(in);
  if (in.focus == BrowseFocus::FoldersFilter) return FilterKey(in);
  return BrowseAction::None;
}

BrowseAction SwitchKey(const DispatchInput& in) {
  if (!in.repeat_bit || in.ctrl || in.alt) return BrowseAction::None;
  if (!in.shift && in.wparam == kVkReturn) return BrowseAction::ActivateSelected;
  if (in.wparam == kVkTab) return in.shift ? BrowseAction::PreviousRow : BrowseAction::NextRow;
  return BrowseAction::None;
}

bool OnFoldersControl(const DispatchInput& in) {
  return in.for_folders_window &&
         (in.focus == BrowseFocus::FoldersTree || in.focus == BrowseFocus::FoldersFilter);
}

bool OnSwitchList(const DispatchInput& in) {
  return in.for_switch_window && in.focus == BrowseFocus::SwitchList;
}

}  // namespace

DispatchResult DecideBrowseDispatch(const DispatchInput& in) {
  DispatchResult out;
  if (in.kind != KeyMessage::KeyDown) return out;
  BrowseAction action = BrowseAction::None;
  if (OnFoldersControl(in)) action = FoldersKey(in);
  if (action == BrowseAction::None && OnSwitchList(in)) action = SwitchKey(in);
  if (action == BrowseAction::None) return out;
  out.consumed = true;
  // A key pressed during a drag is swallowed without effect.
  if (!in.captured) out.browse = action;
  return out;
}
