// The portable half of the main window's commands: the run-time key table,
// the message filter's decisions (the Folders and Switch windows' keys, then
// the main window's rows and typed characters) and the menu's graying rules.
#include "app/commands.h"

#include "engine/virtual_keys.h"

KeyBindingTable* key_bindings = nullptr;

bool BuildKeyBindingTable(KeyBindingTable* table) {
  const KeyBinding* rows = KeyDownBindings();
  if (rows == nullptr) return false;
  table->down.assign(rows, rows + kKeyBindingCount);
  table->up.assign(1, KeyBinding{});
  return true;
}

DispatchResult DecideDispatch(const KeyBindingTable& table, const DispatchInput& in) {
  DispatchResult out = DecideBrowseDispatch(in);
  if (out.consumed) return out;
  if (!in.main_window_exists || !in.for_main_window) return out;
  if (in.kind == KeyMessage::Char) {
    // AltGr arrives as Ctrl+Alt: such characters never reach the text.
    out.forward_char = !in.ctrl && !in.alt;
    // A character already meant for the text pane would reach it a second
    // time through the dialog manager and be inserted twice.
    out.consumed = out.forward_char && in.for_text_pane;
    return out;
  }
  const std::vector<KeyBinding>* rows = nullptr;
  if (in.kind == KeyMessage::KeyDown) rows = &table.down;
  if (in.kind == KeyMessage::KeyUp) rows = &table.up;
  if (rows == nullptr || rows->empty()) return out;
  KeyState state;
  state.key = in.wparam;
  state.repeat_bit = in.repeat_bit;
  state.ctrl = in.ctrl;
  state.shift = in.shift;
  state.alt = in.alt;
  const KeyBinding* row = MatchKeyBinding(rows->data(), static_cast<int>(rows->size()), state);
  if (row == nullptr) return out;
  out.consumed = true;
  // While a drag holds the capture the key is swallowed without effect.
  if (!in.captured) out.run = row->command;
  return out;
}

// The Folders and Switch windows' keys, tried before the main window's
// table for key-downs of those windows.
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

// The menu's rules.
namespace {

MenuItemState::Change EnableIf(bool on) {
  return on ? MenuItemState::Change::Enable : MenuItemState::Change::Gray;
}

MenuItemState::Check CheckIf(bool on) {
  return on ? MenuItemState::Check::On : MenuItemState::Check::Off;
}

MenuItemState::Change ChangeOf(MenuGray gray, const MenuFacts& f) {
  bool doc = f.has_document;
  switch (gray) {
    case MenuGray::Never: return MenuItemState::Change::Keep;
    case MenuGray::NoDocument: return EnableIf(doc);
    case MenuGray::NotReopenable: return EnableIf(doc && f.reopenable);
    case MenuGray::NoPrevious: return EnableIf(doc && f.can_switch_to_previous);
    case MenuGray::NoSelection: return EnableIf(doc && f.has_selection);
    case MenuGray::NoClipboardText: return EnableIf(doc && f.clipboard_has_text);
  }
  return MenuItemState::Change::Keep;
}

MenuItemState::Check CheckOf(MenuCheck check, const MenuFacts& f) {
  switch (check) {
    case MenuCheck::None: return MenuItemState::Check::Keep;
    case MenuCheck::Fullscreen: return CheckIf(f.fullscreen);
    case MenuCheck::LineNumbers: return CheckIf(f.show_line_numbers);
    case MenuCheck::Filename: return CheckIf(f.show_filename);
    case MenuCheck::Ruler:
      return f.has_surface_view ? CheckIf(f.ruler_column >= 1) : MenuItemState::Check::Keep;
    case MenuCheck::Whitespace:
      return f.has_surface_view ? CheckIf(f.show_whitespace) : MenuItemState::Check::Keep;
  }
  return MenuItemState::Check::Keep;
}

}  // namespace

MenuItemState DecideMenuItem(int32_t id, MenuGray gray, MenuCheck check, const MenuFacts& facts) {
  MenuItemState s;
  s.id = id;
  s.change = ChangeOf(gray, facts);
  s.check = CheckOf(check, facts);
  return s;
}
