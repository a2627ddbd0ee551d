// The message filter's decisions (the Folders and Switch windows' keys, then
// the main window's rows and typed characters) and the menu's rules.
#include <gtest/gtest.h>

#include "app/commands.h"

namespace {

constexpr uint32_t kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B, kUp = 0x26, kRight = 0x27,
                   kDown = 0x28, kDelete = 0x2E, kF11 = 0x7A;
enum Mods { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4, kNoRepeat = 8, kCaptured = 16, kOnRoot = 32 };

DispatchInput Key(BrowseFocus focus, uint32_t key, int m) {
  DispatchInput in;
  in.kind = KeyMessage::KeyDown;
  in.main_window_exists = true;
  in.for_main_window = focus == BrowseFocus::None;
  in.focus = focus;
  in.for_folders_window = focus == BrowseFocus::FoldersTree || focus == BrowseFocus::FoldersFilter;
  in.for_switch_window = focus == BrowseFocus::SwitchList;
  in.wparam = key;
  in.repeat_bit = !(m & kNoRepeat);
  in.ctrl = m & kCtrl;
  in.shift = m & kShift;
  in.alt = m & kAlt;
  in.captured = m & kCaptured;
  in.tree_on_root = m & kOnRoot;
  return in;
}

TEST(Dispatch, EachWindowsKeysNeedTheirFocusRepeatBitAndExactModifiers) {
  KeyBindingTable table;
  ASSERT_TRUE(BuildKeyBindingTable(&table));
  ASSERT_EQ(table.down.size(), 67u);
  using A = BrowseAction;
  using C = KeyCommand;
  const BrowseFocus tree = BrowseFocus::FoldersTree, filter = BrowseFocus::FoldersFilter,
                    list = BrowseFocus::SwitchList, main = BrowseFocus::None;
  const struct {
    BrowseFocus focus;
    uint32_t key;
    int mods;
    A browse;
    C run;
    bool consumed;
  } cases[] = {
      {tree, kReturn, kNone, A::OpenSelectedFile, C::None, true},
      {tree, kReturn, kNoRepeat, A::None, C::None, false}, {tree, kReturn, kShift, A::None, C::None, false},
      {tree, kDelete, kNone, A::DeleteSelectedItem, C::None, true},
      {tree, kDelete, kCtrl | kShift, A::ResetTree, C::None, true},
      {tree, kDelete, kCtrl, A::None, C::None, false},
      {tree, kDelete, kCtrl | kShift | kAlt, A::None, C::None, false},
      {tree, kDelete, kCtrl | kShift | kNoRepeat, A::None, C::None, false},
      {tree, kDown, kNone, A::None, C::None, false},  // the tree's own
      {tree, kUp, kNone, A::None, C::None, false},    // Up leaves only from "Root"
      {tree, kUp, kOnRoot, A::FocusFilter, C::None, true},
      {tree, kUp, kOnRoot | kShift, A::None, C::None, false},
      {tree, kUp, kOnRoot | kCaptured, A::None, C::None, true},
      {filter, kDown, kNone, A::FocusTree, C::None, true},
      {filter, kReturn, kNone, A::ApplyFilter, C::None, true},
      {filter, kReturn, kCtrl, A::None, C::None, false}, {filter, kDelete, kNone, A::None, C::None, false},
      {filter, 'D', kAlt | kNoRepeat, A::SelectFilter, C::None, true},
      {tree, 'D', kAlt, A::SelectFilter, C::None, true}, {tree, 'D', kCtrl | kAlt, A::None, C::None, false},
      {tree, 'D', kAlt | kShift, A::None, C::None, false},
      {filter, 'D', kNone, A::None, C::None, false},  // typed text
      {list, kReturn, kNone, A::ActivateSelected, C::None, true},  // not the main Enter row
      {list, kTab, kNone, A::NextRow, C::None, true}, {list, kTab, kShift, A::PreviousRow, C::None, true},
      {list, kTab, kCtrl, A::None, C::None, false}, {list, kTab, kAlt, A::None, C::None, false},
      {list, kTab, kNoRepeat, A::None, C::None, false}, {list, kReturn, kShift, A::None, C::None, false},
      {list, 'D', kAlt, A::None, C::None, false},  // a Folders key
      {list, kTab, kCaptured, A::None, C::None, true}, {main, kReturn, kNone, A::None, C::Enter, true},
      {main, kRight, kNone, A::None, C::Right, true},
      {main, kRight, kNoRepeat, A::None, C::None, false},  // virtual-key rows need the repeat bit
      {main, 'S', kCtrl | kNoRepeat, A::None, C::Save, true},  // letter rows do not
      {main, 'S', kCtrl | kShift, A::None, C::SaveAll, true}, {main, 'S', kAlt, A::None, C::SaveAs, true},
      {main, 'O', kCtrl, A::None, C::Open, true}, {main, 'O', kCtrl | kShift, A::None, C::OpenFolder, true},
      {main, 'O', kCtrl | kAlt, A::None, C::None, false},
      {main, kRight, kCtrl | kShift, A::None, C::SelectWordRight, true},
      {main, kF11, kNone, A::None, C::ToggleFullscreen, true}, {main, kF11, kShift, A::None, C::None, false},
      {main, kEscape, kNone, A::None, C::None, false},
      {main, 'N', kNone, A::None, C::None, false},  // typed text
      {main, kRight, kCaptured, A::None, C::None, true},  // swallowed during a drag
      {main, kEscape, kCaptured, A::None, C::None, false},
  };
  for (const auto& k : cases) {
    const DispatchResult r = DecideDispatch(table, Key(k.focus, k.key, k.mods));
    EXPECT_EQ(k.browse, r.browse) << k.key << " mods " << k.mods << " focus " << int(k.focus);
    EXPECT_EQ(k.run, r.run) << k.key << " mods " << k.mods << " focus " << int(k.focus);
    EXPECT_EQ(k.consumed, r.consumed) << k.key << " mods " << k.mods << " focus " << int(k.focus);
  }
  // A control of another window, a window that is gone, key-ups and other messages.
  DispatchInput in = Key(BrowseFocus::None, kReturn, kNone);
  in.for_folders_window = true;
  EXPECT_EQ(BrowseAction::None, DecideBrowseDispatch(in).browse) << "no Folders control has the focus";
  in = Key(BrowseFocus::FoldersFilter, kReturn, kNone);
  in.for_folders_window = false;
  EXPECT_FALSE(DecideBrowseDispatch(in).consumed);
  in = Key(BrowseFocus::SwitchList, kReturn, kNone);
  in.for_switch_window = false;
  EXPECT_FALSE(DecideBrowseDispatch(in).consumed);
  in = Key(main, kRight, kNone);
  in.main_window_exists = false;
  EXPECT_FALSE(DecideDispatch(table, in).consumed);
  in = Key(list, kReturn, kNone);
  in.kind = KeyMessage::KeyUp;
  EXPECT_FALSE(DecideDispatch(table, in).consumed);
  for (uint32_t key = 1; key < 256; ++key) {
    in = Key(main, key, kNone);
    in.kind = KeyMessage::KeyUp;
    EXPECT_FALSE(DecideDispatch(table, in).consumed) << key;
  }
  in.kind = KeyMessage::Other;
  EXPECT_FALSE(DecideDispatch(table, in).consumed);
}

TEST(Dispatch, TypedCharactersGoToTheTextOnceAndNeverWithCtrlOrAlt) {
  KeyBindingTable table;
  ASSERT_TRUE(BuildKeyBindingTable(&table));
  // ctrl, alt, for the text pane -> forwarded, consumed (AltGr is Ctrl+Alt).
  const bool cases[][5] = {{false, false, false, true, false}, {false, false, true, true, true},
                           {true, true, true, false, false},   {false, true, true, false, false},
                           {true, false, false, false, false}};
  for (const auto& k : cases) {
    DispatchInput in = Key(BrowseFocus::None, 'A', kShift);
    in.kind = KeyMessage::Char;
    in.ctrl = k[0];
    in.alt = k[1];
    in.for_text_pane = k[2];
    const DispatchResult r = DecideDispatch(table, in);
    EXPECT_EQ(k[3], r.forward_char) << k[0] << k[1] << k[2];
    EXPECT_EQ(k[4], r.consumed) << k[0] << k[1] << k[2];
  }
}

TEST(Menu, ItemsGrayWithoutTheirFactAndCheckTheirToggle) {
  using G = MenuGray;
  using S = MenuItemState::Change;
  const G grays[] = {G::Never, G::NoDocument, G::NotReopenable, G::NoPrevious, G::NoSelection, G::NoClipboardText};
  for (int bits = 0; bits < 64; ++bits) {
    MenuFacts f;
    f.has_document = bits & 1;
    f.reopenable = bits & 2;
    f.can_switch_to_previous = bits & 4;
    f.has_selection = bits & 8;
    f.clipboard_has_text = bits & 16;
    const bool facts[] = {true, true, f.reopenable, f.can_switch_to_previous, f.has_selection, f.clipboard_has_text};
    for (int g = 0; g < 6; ++g) {
      const MenuItemState s = DecideMenuItem(40 + g, grays[g], MenuCheck::None, f);
      EXPECT_EQ(40 + g, s.id);
      const S expected = g == 0 ? S::Keep : f.has_document && facts[g] ? S::Enable : S::Gray;
      EXPECT_EQ(expected, s.change) << "gray rule " << g << " facts " << bits;
      EXPECT_EQ(MenuItemState::Check::Keep, s.check);
    }
  }
  using K = MenuCheck;
  using On = MenuItemState::Check;
  for (int bits = 0; bits < 64; ++bits) {
    MenuFacts f;
    f.fullscreen = bits & 1;
    f.show_line_numbers = bits & 2;
    f.show_filename = bits & 4;
    f.has_surface_view = bits & 8;
    f.ruler_column = bits & 16 ? 1 : 0;
    f.show_whitespace = bits & 32;
    const std::pair<K, On> checks[] = {
        {K::Fullscreen, f.fullscreen ? On::On : On::Off},
        {K::LineNumbers, f.show_line_numbers ? On::On : On::Off},
        {K::Filename, f.show_filename ? On::On : On::Off},
        {K::Ruler, !f.has_surface_view ? On::Keep : f.ruler_column ? On::On : On::Off},
        {K::Whitespace, !f.has_surface_view ? On::Keep : f.show_whitespace ? On::On : On::Off}};
    for (const auto& c : checks) {
      EXPECT_EQ(c.second, DecideMenuItem(1, G::Never, c.first, f).check) << int(c.first) << " facts " << bits;
      EXPECT_EQ(S::Keep, DecideMenuItem(1, G::Never, c.first, f).change);
    }
  }
}

}  // namespace
