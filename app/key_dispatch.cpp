#include "app/key_dispatch.h"

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
