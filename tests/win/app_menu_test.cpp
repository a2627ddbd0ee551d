// Menu 108 as compiled into the executable: popups, ids, exact texts (with
// their tab characters) and the two grayed labels; the command table's rows
// for keys and menu items; and the menu states the 250 ms timer sets, with
// and without a document.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win32.h"
#include "app/resource.h"
#include "engine/key_table.h"

namespace {

std::wstring TextOf(HMENU menu, UINT pos) {
  wchar_t buf[128] = {};
  GetMenuStringW(menu, pos, buf, 128, MF_BYPOSITION);
  return buf;
}

TEST(AppMenu, PopupsItemsAndTexts) {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  const wchar_t* popups[] = {L"&FILE", L"&EDIT", L"&VIEW", L"&OPTIONS", L"&HELP"};
  const int counts[] = {11, 12, 10, 1, 11};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(TextOf(menu, i), popups[i]);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, i)), counts[i]) << i;
  }
  HMENU file = GetSubMenu(menu, 0);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(ID_FILE_NEW));
  EXPECT_EQ(TextOf(file, 0), L"&New\t Ctrl+N");
  EXPECT_EQ(TextOf(file, 4), L"&Save\tCtrl+S");  // the one without a space
  EXPECT_EQ(GetMenuItemID(file, 10), static_cast<UINT>(ID_FILE_EXIT));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 2), 9), static_cast<UINT>(ID_VIEW_WHITESPACE));
  EXPECT_EQ(TextOf(GetSubMenu(menu, 2), 1), L"&Switch...\t Ctrl+Tab");

  HMENU help = GetSubMenu(menu, 4);
  EXPECT_EQ(TextOf(help, 0), L"Text file:");
  EXPECT_TRUE(GetMenuState(help, ID_HELP_TEXT_FILE_LABEL, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(help, ID_HELP_ONLINE_LABEL, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(help, ID_HELP_ABOUT, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(menu);
}

TEST(AppMenu, KeysAndMenuItemsRunTheSameRows) {
  // Every key of the binding table has a row with a handler.
  for (int i = 0; i < kKeyBindingCount; ++i) {
    const Command* row = FindKeyCommand(KeyDownBindings()[i].command);
    ASSERT_NE(row, nullptr) << "key row " << i + 1;
    EXPECT_NE(row->run, nullptr) << "key row " << i + 1;
  }
  // The keys that do what a menu item does share its row.
  const std::pair<KeyCommand, int> shared[] = {
      {KeyCommand::About, 40137},      {KeyCommand::Open, 40231},
      {KeyCommand::OpenFolder, 40237}, {KeyCommand::SaveAll, 40234},
      {KeyCommand::CloseOthers, 40261}, {KeyCommand::FindDialog, 40241},
  };
  for (const auto& [key, id] : shared) {
    EXPECT_EQ(FindKeyCommand(key), FindMenuCommand(id)) << id;
    EXPECT_EQ(FindKeyCommand(key)->menu_id, id);
  }
  EXPECT_EQ(FindKeyCommand(KeyCommand::Right)->menu_id, 0);
  EXPECT_EQ(FindKeyCommand(KeyCommand::None), nullptr);
  // Every menu item but the two grayed labels has a row with a handler.
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
  ASSERT_NE(menu, nullptr);
  for (int p = 0; p < GetMenuItemCount(menu); ++p) {
    HMENU popup = GetSubMenu(menu, p);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      UINT id = GetMenuItemID(popup, i);
      if (id == 0 || id == ID_HELP_TEXT_FILE_LABEL || id == ID_HELP_ONLINE_LABEL) continue;
      const Command* row = FindMenuCommand(static_cast<int>(id));
      ASSERT_NE(row, nullptr) << id;
      EXPECT_NE(row->run, nullptr) << id;
    }
  }
  EXPECT_EQ(FindMenuCommand(ID_HELP_TEXT_FILE_LABEL), nullptr);
  DestroyMenu(menu);
}

TEST(AppMenu, IconResourceLoads) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVINALE));
  EXPECT_NE(icon, nullptr);
}

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

TEST(AppMenuStates, WithoutADocumentEveryDocumentItemIsGrayed) {
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

TEST(AppMenuStates, WithADocumentTheFactsDecide) {
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

TEST(AppMenuStates, ChecksFollowTheToggles) {
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
