// The menu states the 250 ms timer sets, with and without a document.
#include <gtest/gtest.h>

#include "app/menu_states.h"
#include "app/resource.h"

namespace {

using Change = MenuItemState::Change;
using Check = MenuItemState::Check;

const MenuItemState* Find(const std::vector<MenuItemState>& states, int id) {
  const MenuItemState* found = nullptr;
  for (const MenuItemState& s : states) {
    if (s.id != id) continue;
    EXPECT_EQ(found, nullptr) << "item " << id << " listed twice";
    found = &s;
  }
  return found;
}

Change ChangeOf(const std::vector<MenuItemState>& states, int id) {
  const MenuItemState* s = Find(states, id);
  return s != nullptr ? s->change : Change::Keep;
}

Check CheckOf(const std::vector<MenuItemState>& states, int id) {
  const MenuItemState* s = Find(states, id);
  return s != nullptr ? s->check : Check::Keep;
}

TEST(ShellMenuStates, WithoutADocumentEveryDocumentItemIsGrayed) {
  MenuFacts f;
  f.reopenable = f.has_selection = f.clipboard_has_text = f.can_switch_to_previous = true;
  auto states = DecideMenuStates(f);
  for (int id : {ID_FILE_REOPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_SAVE_ALL, ID_FILE_CLOSE,
                 ID_FILE_CLOSE_OTHERS, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                 ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_CHANGE, ID_EDIT_GOTO, ID_EDIT_COMMENT,
                 ID_EDIT_UNCOMMENT, ID_VIEW_PREVIOUS, ID_VIEW_LINE_NUMBER, ID_VIEW_FILENAME,
                 ID_VIEW_RULER, ID_VIEW_WHITESPACE})
    EXPECT_EQ(ChangeOf(states, id), Change::Gray) << id;
  // Never grayed by the program.
  for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_OPEN_FOLDER, ID_FILE_EXIT, ID_VIEW_SWITCH,
                 ID_VIEW_FOLDERS, ID_OPTIONS_PREFERENCES, ID_HELP_ABOUT})
    EXPECT_EQ(Find(states, id), nullptr) << id;
}

TEST(ShellMenuStates, WithADocumentTheFactsDecide) {
  MenuFacts f;
  f.has_document = true;
  auto states = DecideMenuStates(f);
  EXPECT_EQ(ChangeOf(states, ID_FILE_SAVE), Change::Enable);
  EXPECT_EQ(ChangeOf(states, ID_VIEW_WHITESPACE), Change::Enable);
  EXPECT_EQ(ChangeOf(states, ID_FILE_REOPEN), Change::Gray);
  EXPECT_EQ(ChangeOf(states, ID_VIEW_PREVIOUS), Change::Gray);
  EXPECT_EQ(ChangeOf(states, ID_EDIT_CUT), Change::Gray);
  EXPECT_EQ(ChangeOf(states, ID_EDIT_PASTE), Change::Gray);
  f.reopenable = f.can_switch_to_previous = f.has_selection = f.clipboard_has_text = true;
  states = DecideMenuStates(f);
  for (int id : {ID_FILE_REOPEN, ID_VIEW_PREVIOUS, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
    EXPECT_EQ(ChangeOf(states, id), Change::Enable) << id;
}

TEST(ShellMenuStates, ChecksFollowTheToggles) {
  MenuFacts f;
  f.show_line_numbers = true;
  auto states = DecideMenuStates(f);
  EXPECT_EQ(CheckOf(states, ID_VIEW_FULLSCREEN), Check::Off);
  EXPECT_EQ(CheckOf(states, ID_VIEW_LINE_NUMBER), Check::On);
  EXPECT_EQ(CheckOf(states, ID_VIEW_FILENAME), Check::Off);
  EXPECT_EQ(CheckOf(states, ID_VIEW_RULER), Check::Keep) << "no text pane yet";
  f.fullscreen = f.show_filename = f.has_surface_view = f.show_whitespace = true;
  f.ruler_column = 1;
  states = DecideMenuStates(f);
  EXPECT_EQ(CheckOf(states, ID_VIEW_FULLSCREEN), Check::On);
  EXPECT_EQ(CheckOf(states, ID_VIEW_FILENAME), Check::On);
  EXPECT_EQ(CheckOf(states, ID_VIEW_RULER), Check::On);
  EXPECT_EQ(CheckOf(states, ID_VIEW_WHITESPACE), Check::On);
  f.ruler_column = 0;
  EXPECT_EQ(CheckOf(DecideMenuStates(f), ID_VIEW_RULER), Check::Off);
}

}  // namespace
