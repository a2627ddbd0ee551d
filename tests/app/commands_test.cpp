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
  const A a0 = A::None;
  const C c0 = C::None;
  const struct { BrowseFocus focus; uint32_t key; int mods; A browse; C run; bool consumed; } cases[] = {
      {tree, kReturn, kNone, A::OpenSelectedFile, c0, 1}, {tree, kReturn, kNoRepeat, a0, c0, 0},
      {tree, kReturn, kShift, a0, c0, 0}, {tree, kDelete, kNone, A::DeleteSelectedItem, c0, 1},
      {tree, kDelete, kCtrl | kShift, A::ResetTree, c0, 1}, {tree, kDelete, kCtrl, a0, c0, 0},
      {tree, kDelete, kCtrl | kShift | kAlt, a0, c0, 0}, {tree, kDelete, kCtrl | kShift | kNoRepeat, a0, c0, 0},
      {tree, kDown, kNone, a0, c0, 0}, {tree, kUp, kNone, a0, c0, 0},  // Up leaves the tree only from "Root"
      {tree, kUp, kOnRoot, A::FocusFilter, c0, 1}, {tree, kUp, kOnRoot | kShift, a0, c0, 0},
      {tree, kUp, kOnRoot | kCaptured, a0, c0, 1}, {filter, kDown, kNone, A::FocusTree, c0, 1},
      {filter, kReturn, kNone, A::ApplyFilter, c0, 1}, {filter, kReturn, kCtrl, a0, c0, 0},
      {filter, kDelete, kNone, a0, c0, 0}, {filter, 'D', kAlt | kNoRepeat, A::SelectFilter, c0, 1},
      {tree, 'D', kAlt, A::SelectFilter, c0, 1}, {tree, 'D', kCtrl | kAlt, a0, c0, 0},
      {tree, 'D', kAlt | kShift, a0, c0, 0}, {filter, 'D', kNone, a0, c0, 0},  // typed text
      {list, kReturn, kNone, A::ActivateSelected, c0, 1},  // not the main Enter row
      {list, kTab, kNone, A::NextRow, c0, 1}, {list, kTab, kShift, A::PreviousRow, c0, 1},
      {list, kTab, kCtrl, a0, c0, 0}, {list, kTab, kAlt, a0, c0, 0}, {list, kTab, kNoRepeat, a0, c0, 0},
      {list, kReturn, kShift, a0, c0, 0}, {list, 'D', kAlt, a0, c0, 0}, {list, kTab, kCaptured, a0, c0, 1},
      {main, kReturn, kNone, a0, C::Enter, 1}, {main, kRight, kNone, a0, C::Right, 1},
      {main, kRight, kNoRepeat, a0, c0, 0},  // virtual-key rows need the repeat bit, letter rows do not
      {main, 'S', kCtrl | kNoRepeat, a0, C::Save, 1}, {main, 'S', kCtrl | kShift, a0, C::SaveAll, 1},
      {main, 'S', kAlt, a0, C::SaveAs, 1}, {main, 'O', kCtrl, a0, C::Open, 1},
      {main, 'O', kCtrl | kShift, a0, C::OpenFolder, 1}, {main, 'O', kCtrl | kAlt, a0, c0, 0},
      {main, kRight, kCtrl | kShift, a0, C::SelectWordRight, 1}, {main, kF11, kNone, a0, C::ToggleFullscreen, 1},
      {main, kF11, kShift, a0, c0, 0}, {main, kEscape, kNone, a0, c0, 0}, {main, 'N', kNone, a0, c0, 0},
      {main, kRight, kCaptured, a0, c0, 1}, {main, kEscape, kCaptured, a0, c0, 0}};  // a drag swallows keys
  for (const auto& k : cases) {
    const DispatchResult r = DecideDispatch(table, Key(k.focus, k.key, k.mods));
    EXPECT_TRUE(k.browse == r.browse && k.run == r.run && k.consumed == r.consumed)
        << k.key << " mods " << k.mods << " focus " << int(k.focus);
  }
  // A control of another window, a window that is gone, key-ups and other messages.
  DispatchInput away[] = {Key(main, kReturn, kNone), Key(filter, kReturn, kNone), Key(list, kReturn, kNone)};
  away[0].for_folders_window = true, away[1].for_folders_window = false, away[2].for_switch_window = false;
  for (const DispatchInput& a : away) EXPECT_TRUE(!DecideBrowseDispatch(a).consumed && DecideBrowseDispatch(a).browse == a0);
  DispatchInput in = Key(main, kRight, kNone);
  in.main_window_exists = false;
  EXPECT_FALSE(DecideDispatch(table, in).consumed);
  for (uint32_t key = 1; key < 256; ++key) {
    for (BrowseFocus focus : {main, list}) {
      in = Key(focus, key, kNone);
      in.kind = KeyMessage::KeyUp;
      EXPECT_FALSE(DecideDispatch(table, in).consumed) << key;
    }
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
    f.has_document = bits & 1, f.reopenable = bits & 2, f.can_switch_to_previous = bits & 4;
    f.has_selection = bits & 8, f.clipboard_has_text = bits & 16;
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
    f.fullscreen = bits & 1, f.show_line_numbers = bits & 2, f.show_filename = bits & 4;
    f.has_surface_view = bits & 8, f.ruler_column = bits & 16 ? 1 : 0, f.show_whitespace = bits & 32;
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
