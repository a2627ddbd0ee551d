// The key rules of the Preferences window's panes over every key code the
// console can queue.
#include <gtest/gtest.h>

#include <set>

#include "preferences/pane_keys.h"

namespace {

TEST(PaneKeys, ViewerPassesOnlyReadingKeys) {
  const std::set<int> with_ctrl = {7, 16, 15, 6, 3};  // find next, panes, other pane, find, copy
  for (int key = -1; key <= 4200; ++key) {
    const bool always = key == 12 || key == 27 || (key >= 4096 && key <= 4103) ||
                        (key >= 4106 && key <= 4117);
    PaneKeyAction plain = always ? PaneKeyAction::kBase : PaneKeyAction::kDrop;
    EXPECT_EQ(DefaultsViewerKeyAction(key, false, 0), plain) << key;
    PaneKeyAction held = always || with_ctrl.count(key) ? PaneKeyAction::kBase
                         : key == 9                      ? PaneKeyAction::kSwitchFocus
                         : key == 23                     ? PaneKeyAction::kCloseHost
                                                         : PaneKeyAction::kDrop;
    EXPECT_EQ(DefaultsViewerKeyAction(key, true, 0), held) << key;
    // Every prompt but the find prompt filters the same way.
    EXPECT_EQ(DefaultsViewerKeyAction(key, true, 3), held) << key;
    if (key >= 0) {
      EXPECT_EQ(DefaultsViewerKeyAction(key, false, kFindPromptOpen), PaneKeyAction::kBase) << key;
      EXPECT_EQ(DefaultsViewerKeyAction(key, true, kFindPromptOpen), PaneKeyAction::kBase) << key;
    }
  }
}

TEST(PaneKeys, EditorKeepsThreeCtrlKeys) {
  for (int key = 0; key <= 4200; ++key) {
    EXPECT_EQ(PreferencesEditorKeyAction(key, false), PaneKeyAction::kBase) << key;
    PaneKeyAction held = key == 9    ? PaneKeyAction::kSwitchFocus
                         : key == 23 ? PaneKeyAction::kCloseHost
                         : key == 19 ? PaneKeyAction::kSaveAndCheck
                                     : PaneKeyAction::kBase;
    EXPECT_EQ(PreferencesEditorKeyAction(key, true), held) << key;
  }
}

}  // namespace
