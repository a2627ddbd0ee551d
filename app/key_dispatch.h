#pragma once
// The run-time key-binding table and the portable half of DispatchKey: what
// the message filter does with one message, given the modifier states, the
// mouse capture and which window the message is for.
#include <cstdint>
#include <vector>

#include "engine/key_table.h"

// Invariant once built: `down` holds the 67 rows in table order; `up` holds
// one all-zero row, which no key-up matches (no key has code 0).
struct KeyBindingTable {
  std::vector<KeyBinding> down;
  std::vector<KeyBinding> up;
};

// The one table, built by the main window and freed when it closes.
extern KeyBindingTable* key_bindings;

// False when the rows could not be had.
bool BuildKeyBindingTable(KeyBindingTable* table);

enum class KeyMessage : uint8_t { KeyDown, KeyUp, Char, Other };

struct DispatchInput {
  KeyMessage kind = KeyMessage::Other;
  bool main_window_exists = false;
  bool for_main_window = false;  // msg.hwnd is the main window or one of its children
  bool for_text_pane = false;    // msg.hwnd is the text pane itself
  uint32_t wparam = 0;
  bool repeat_bit = false;  // bit 0 of lParam
  bool ctrl = false, shift = false, alt = false;
  bool captured = false;  // some window holds the mouse capture
};

struct DispatchResult {
  bool consumed = false;      // DispatchKey returns 1
  bool forward_char = false;  // send the WM_CHAR to the text pane
  KeyCommand run = KeyCommand::None;  // the handler to run
};

DispatchResult DecideDispatch(const KeyBindingTable& table, const DispatchInput& in);
