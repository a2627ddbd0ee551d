#pragma once
// The fixed key-binding table of the main window and the portable half of
// key dispatch: which row, if any, a key message selects. A row names only
// its command; the application's command table gives each command its
// handler.
#include <cstdint>

enum class KeyCommand : uint8_t {
  None,
  About, Changelog, Version, ToggleFullscreen,
  New, Open, OpenFolder, Save, SaveAs, SaveAll, Preferences, Exit,
  Folders, ToggleLineNumbers, ToggleFilename,
  FindDialog, ChangeDialog, GoToDialog,
  Cut, Copy, Paste, SelectAll, Close, CloseOthers,
  ToggleRuler, ToggleWhitespace, Comment, Uncomment,
  FindNext, FindPrevious, PreviousDocument, Reopen,
  Left, Right, WordLeft, WordRight, TextStart, TextEnd, Home, End, Up, Down,
  ScrollUp, ScrollDown, PageUp, PageDown,
  SelectLeft, SelectRight, SelectWordLeft, SelectWordRight,
  SelectTextStart, SelectTextEnd, SelectHome, SelectEnd, SelectUp, SelectDown,
  SelectPageUp, SelectPageDown,
  ToggleOverwrite, Delete, DeleteWordForward, Backspace, DeleteWordBackward,
  Enter, Indent, Unindent, Switch,
};

// One row. Every modifier is exact: 1 = must be down, 0 = must be up.
struct KeyBinding {
  uint8_t is_virtual_key;  // 1: tried only for repeat-bit key-downs, before letter rows
  uint8_t key;             // virtual-key code
  uint8_t ctrl;
  uint8_t alt;
  uint32_t shift;          // only the low byte is compared
  KeyCommand command;
};

constexpr int kKeyBindingCount = 67;
// The 67 key-down rows in table order.
const KeyBinding* KeyDownBindings();

struct KeyState {
  uint32_t key = 0;       // the message's wParam
  bool repeat_bit = false;  // bit 0 of lParam
  bool ctrl = false, shift = false, alt = false;
};

// The first row that matches: first pass over the virtual-key rows (only when
// the repeat bit is set), then the letter rows. Returns null when none does.
const KeyBinding* MatchKeyBinding(const KeyBinding* rows, int count, const KeyState& state);
