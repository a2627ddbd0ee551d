#pragma once
// What the main window's 250 ms timer makes of its menu: which items are
// enabled or grayed and which are checked.
#include <cstdint>
#include <vector>

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

// One entry per item the timer touches.
std::vector<MenuItemState> DecideMenuStates(const MenuFacts& facts);
