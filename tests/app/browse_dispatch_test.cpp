// The Folders and Switch windows' keys in the message filter: which control
// must have the focus, the repeat bit, exact modifiers, the capture rule,
// and that they come before the main window's table.
#include <gtest/gtest.h>

#include "app/commands.h"

namespace {

constexpr uint32_t kTab = 0x09, kReturn = 0x0D, kUp = 0x26, kDown = 0x28, kDelete = 0x2E;

struct Mods {
  bool ctrl = false, shift = false, alt = false;
};
constexpr Mods kNone{}, kShift{false, true, false}, kAlt{false, false, true},
    kCtrl{true, false, false}, kCtrlShift{true, true, false}, kCtrlAlt{true, false, true};

DispatchInput Key(BrowseFocus focus, uint32_t key, Mods m = kNone, bool repeat = true) {
  DispatchInput in;
  in.kind = KeyMessage::KeyDown;
  in.main_window_exists = true;
  in.focus = focus;
  in.for_folders_window =
      focus == BrowseFocus::FoldersTree || focus == BrowseFocus::FoldersFilter;
  in.for_switch_window = focus == BrowseFocus::SwitchList;
  in.wparam = key;
  in.repeat_bit = repeat;
  in.ctrl = m.ctrl;
  in.shift = m.shift;
  in.alt = m.alt;
  return in;
}

BrowseAction Action(const DispatchInput& in) {
  DispatchResult r = DecideBrowseDispatch(in);
  EXPECT_EQ(r.consumed, r.browse != BrowseAction::None) << "without capture";
  return r.browse;
}

TEST(BrowseDispatch, FoldersTreeKeys) {
  using A = BrowseAction;
  const BrowseFocus tree = BrowseFocus::FoldersTree;
  EXPECT_EQ(Action(Key(tree, kReturn)), A::OpenSelectedFile);
  EXPECT_EQ(Action(Key(tree, kReturn, kNone, false)), A::None) << "repeat bit clear";
  EXPECT_EQ(Action(Key(tree, kReturn, kShift)), A::None);
  EXPECT_EQ(Action(Key(tree, kDelete)), A::DeleteSelectedItem);
  EXPECT_EQ(Action(Key(tree, kDelete, kCtrlShift)), A::ResetTree);
  EXPECT_EQ(Action(Key(tree, kDelete, kCtrl)), A::None);
  EXPECT_EQ(Action(Key(tree, kDelete, kCtrlShift, false)), A::None);
  EXPECT_EQ(Action(Key(tree, kDown)), A::None) << "the tree's own";
  // Up leaves the tree only from the "Root" item.
  DispatchInput up = Key(tree, kUp);
  EXPECT_EQ(Action(up), A::None);
  up.tree_on_root = true;
  EXPECT_EQ(Action(up), A::FocusFilter);
  up.shift = true;
  EXPECT_EQ(Action(up), A::None);
}

TEST(BrowseDispatch, FoldersFilterKeysAndAltDInBoth) {
  using A = BrowseAction;
  const BrowseFocus filter = BrowseFocus::FoldersFilter;
  EXPECT_EQ(Action(Key(filter, kDown)), A::FocusTree);
  EXPECT_EQ(Action(Key(filter, kReturn)), A::ApplyFilter);
  EXPECT_EQ(Action(Key(filter, kReturn, kCtrl)), A::None);
  EXPECT_EQ(Action(Key(filter, kDelete)), A::None) << "the edit's own";
  EXPECT_EQ(Action(Key(filter, kUp)), A::None);
  for (BrowseFocus f : {filter, BrowseFocus::FoldersTree}) {
    EXPECT_EQ(Action(Key(f, 'D', kAlt)), A::SelectFilter);
    EXPECT_EQ(Action(Key(f, 'D', kAlt, false)), A::SelectFilter) << "without the repeat bit too";
    EXPECT_EQ(Action(Key(f, 'D', kCtrlAlt)), A::None);
    EXPECT_EQ(Action(Key(f, 'D')), A::None) << "typed text";
  }
  // Only the tree and the filter box have these keys.
  DispatchInput window = Key(filter, kReturn);
  window.focus = BrowseFocus::None;
  EXPECT_EQ(Action(window), A::None);
  DispatchInput closed = Key(filter, kReturn);
  closed.for_folders_window = false;
  EXPECT_EQ(Action(closed), A::None);
}

TEST(BrowseDispatch, SwitchListKeys) {
  using A = BrowseAction;
  const BrowseFocus list = BrowseFocus::SwitchList;
  EXPECT_EQ(Action(Key(list, kReturn)), A::ActivateSelected);
  EXPECT_EQ(Action(Key(list, kTab)), A::NextRow);
  EXPECT_EQ(Action(Key(list, kTab, kShift)), A::PreviousRow);
  EXPECT_EQ(Action(Key(list, kTab, kCtrl)), A::None) << "Ctrl+Tab";
  EXPECT_EQ(Action(Key(list, kTab, kNone, false)), A::None);
  EXPECT_EQ(Action(Key(list, kReturn, kNone, false)), A::None);
  EXPECT_EQ(Action(Key(list, kReturn, kShift)), A::None);
  EXPECT_EQ(Action(Key(list, kDelete)), A::None);
  EXPECT_EQ(Action(Key(list, 'D', kAlt)), A::None) << "a Folders key";
  DispatchInput up = Key(list, kReturn);
  up.kind = KeyMessage::KeyUp;
  EXPECT_EQ(Action(up), A::None);
}

TEST(BrowseDispatch, CaptureSwallowsTheKeysAndTheyComeBeforeTheTable) {
  DispatchInput in = Key(BrowseFocus::SwitchList, kTab);
  in.captured = true;
  DispatchResult r = DecideBrowseDispatch(in);
  EXPECT_TRUE(r.consumed);
  EXPECT_EQ(r.browse, BrowseAction::None);
  DispatchInput up = Key(BrowseFocus::FoldersTree, kUp);
  up.captured = true;
  EXPECT_FALSE(DecideBrowseDispatch(up).consumed) << "Up off the root is not theirs";

  KeyBindingTable table;
  ASSERT_TRUE(BuildKeyBindingTable(&table));
  // Enter in the Switch list switches documents; the main Enter row does not
  // fire, and neither does it for other keys of these windows.
  r = DecideDispatch(table, Key(BrowseFocus::SwitchList, kReturn));
  EXPECT_EQ(r.browse, BrowseAction::ActivateSelected);
  EXPECT_EQ(r.run, KeyCommand::None);
  r = DecideDispatch(table, Key(BrowseFocus::SwitchList, kDown));
  EXPECT_FALSE(r.consumed);
  // The main window's own keys are unchanged.
  DispatchInput main = Key(BrowseFocus::None, kReturn);
  main.for_main_window = true;
  r = DecideDispatch(table, main);
  EXPECT_EQ(r.run, KeyCommand::Enter);
  EXPECT_EQ(r.browse, BrowseAction::None);
}

}  // namespace
