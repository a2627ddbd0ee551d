// What the Preferences window's panes do with representative keys of each rule.
#include <gtest/gtest.h>

#include "preferences/console_key_codes.h"
#include "preferences/pane_keys.h"

namespace {

using A = PaneKeyAction;

TEST(PaneKeys, ViewerPassesOnlyReadingKeysAndTheFindPromptTakesAll) {
  const struct {
    int key;
    A plain, held;  // without and with Ctrl, no prompt (or another prompt)
  } cases[] = {
      {'a', A::kDrop, A::kDrop},          {kKeyEnter, A::kDrop, A::kDrop},
      {kKeyBackspace, A::kDrop, A::kDrop}, {kKeyDelete, A::kDrop, A::kDrop},
      {kKeyInsert, A::kDrop, A::kDrop},   {kKeyCtrlCloseBracket, A::kDrop, A::kDrop},
      {0xE9, A::kDrop, A::kDrop},         {4118, A::kDrop, A::kDrop},
      {kKeyRedraw, A::kBase, A::kBase},   {kKeyEscape, A::kBase, A::kBase},
      {kKeyDown, A::kBase, A::kBase},     {kKeyEnd, A::kBase, A::kBase},
      {kKeyF1, A::kBase, A::kBase},       {kKeyF12, A::kBase, A::kBase},
      {CtrlKey('G'), A::kDrop, A::kBase}, {CtrlKey('P'), A::kDrop, A::kBase},
      {CtrlKey('O'), A::kDrop, A::kBase}, {CtrlKey('F'), A::kDrop, A::kBase},
      {CtrlKey('C'), A::kDrop, A::kBase}, {CtrlKey('V'), A::kDrop, A::kDrop},
      {CtrlKey('X'), A::kDrop, A::kDrop}, {CtrlKey('S'), A::kDrop, A::kDrop},
      {kKeyTab, A::kDrop, A::kSwitchFocus}, {CtrlKey('W'), A::kDrop, A::kCloseHost},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(k.plain, DefaultsViewerKeyAction(k.key, false, 0)) << k.key;
    EXPECT_EQ(k.held, DefaultsViewerKeyAction(k.key, true, 0)) << k.key;
    EXPECT_EQ(k.held, DefaultsViewerKeyAction(k.key, true, 3)) << k.key;
    EXPECT_EQ(A::kBase, DefaultsViewerKeyAction(k.key, false, kFindPromptOpen)) << k.key;
    EXPECT_EQ(A::kBase, DefaultsViewerKeyAction(k.key, true, kFindPromptOpen)) << k.key;
  }
  EXPECT_EQ(A::kDrop, DefaultsViewerKeyAction(-1, true, kFindPromptOpen));
}

TEST(PaneKeys, EditorKeepsThreeCtrlKeys) {
  const std::pair<int, A> held[] = {{kKeyTab, A::kSwitchFocus}, {CtrlKey('W'), A::kCloseHost},
                                    {CtrlKey('S'), A::kSaveAndCheck}, {CtrlKey('V'), A::kBase},
                                    {'a', A::kBase}, {kKeyDown, A::kBase}, {kKeyEscape, A::kBase}};
  for (const auto& k : held) {
    EXPECT_EQ(k.second, PreferencesEditorKeyAction(k.first, true)) << k.first;
    EXPECT_EQ(A::kBase, PreferencesEditorKeyAction(k.first, false)) << k.first;
  }
}

}  // namespace
