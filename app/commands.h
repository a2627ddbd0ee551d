#pragma once
// The portable half of the main window's commands: the run-time key-binding
// table; what the message filter does with one message (the Folders and
// Switch windows' keys first, then the main window's rows and typed
// characters); and the rules by which an opening menu grays and checks a
// command's item. The command table itself is the Windows half
// (main_window_win32.h).
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

// The control of the Folders or Switch window that has the focus.
enum class BrowseFocus : uint8_t { None, FoldersTree, FoldersFilter, SwitchList };

// The Folders and Switch windows' own keys.
enum class BrowseAction : uint8_t {
  None,
  OpenSelectedFile,    // tree: Enter
  DeleteSelectedItem,  // tree: Delete
  ResetTree,           // tree: Ctrl+Shift+Delete
  FocusFilter,         // tree: Up on the "Root" item
  SelectFilter,        // tree or filter box: Alt+D
  FocusTree,           // filter box: Down
  ApplyFilter,         // filter box: Enter
  ActivateSelected,    // Switch list: Enter
  NextRow,             // Switch list: Tab
  PreviousRow,         // Switch list: Shift+Tab
};

struct DispatchInput {
  KeyMessage kind = KeyMessage::Other;
  bool main_window_exists = false;
  bool for_main_window = false;  // msg.hwnd is the main window or one of its children
  bool for_text_pane = false;    // msg.hwnd is the text pane itself
  uint32_t wparam = 0;
  bool repeat_bit = false;  // bit 0 of lParam
  bool ctrl = false, shift = false, alt = false;
  bool captured = false;  // some window holds the mouse capture
  // The Folders (Switch) window exists and msg.hwnd is it or one of its
  // children.
  bool for_folders_window = false;
  bool for_switch_window = false;
  BrowseFocus focus = BrowseFocus::None;
  bool tree_on_root = false;  // the tree's selected item is its first top-level item
};

struct DispatchResult {
  bool consumed = false;      // DispatchKey returns 1
  bool forward_char = false;  // send the WM_CHAR to the text pane
  KeyCommand run = KeyCommand::None;  // the command whose handler runs
  BrowseAction browse = BrowseAction::None;  // a Folders or Switch key to run
};

// The Folders window's keys, then the Switch window's, then the main
// window's table and typed characters.
DispatchResult DecideDispatch(const KeyBindingTable& table, const DispatchInput& in);
// The first two steps alone: whether a Folders or Switch key handles the
// message, and which action it runs (none while the mouse is captured).
DispatchResult DecideBrowseDispatch(const DispatchInput& in);

// When a command's item is grayed (and its key does nothing): never, or when there is no
// current document or the named fact does not hold for it.
enum class MenuGray : uint8_t {
  Never,
  NoDocument,
  NotReopenable,
  NoPrevious,  // no previous document to switch to
  NoSelection,
  NoClipboardText,
};

// Which toggle checks a command's item.
enum class MenuCheck : uint8_t { None, Fullscreen, LineNumbers, Filename, Ruler, Whitespace };

struct MenuFacts {
  bool has_document = false;
  bool reopenable = false;
  bool can_switch_to_previous = false;
  bool has_selection = false;
  bool clipboard_has_text = false;
  bool fullscreen = false;
  bool show_line_numbers = false;
  bool show_filename = false;
  bool has_surface_view = false;  // the text pane's view state exists
  int32_t ruler_column = 0;
  bool show_whitespace = false;
};

struct MenuItemState {
  int32_t id = 0;
  enum class Change : uint8_t { Keep, Enable, Gray } change = Change::Keep;
  enum class Check : uint8_t { Keep, On, Off } check = Check::Keep;
};

// What an opening menu does to item `id` with these rules, and whether a
// key of its command may run (not when the item would be grayed). The ruler
// and whitespace checks are kept while the text pane does not exist.
MenuItemState DecideMenuItem(int32_t id, MenuGray gray, MenuCheck check, const MenuFacts& facts);
