#include "engine/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

KeyCommand Match(uint32_t key, bool ctrl, bool shift, bool alt) {
  const KeyState s{key, true, ctrl, shift, alt};  // with the repeat bit every row may match
  const KeyBinding* row = MatchKeyBinding(KeyDownBindings(), kKeyBindingCount, s);
  return row ? row->command : KeyCommand::None;
}

TEST(KeyTable, EveryRowIsReachable) {
  // A duplicate key combination would hide the later row for ever. How
  // modifiers and the repeat bit match is the message filter's test.
  std::set<std::tuple<int, int, int, int>> seen;
  const KeyBinding* rows = KeyDownBindings();
  for (int i = 0; i < kKeyBindingCount; ++i) {
    const KeyBinding& r = rows[i];
    EXPECT_TRUE(seen.insert({r.key, r.ctrl, r.alt, static_cast<int>(r.shift)}).second) << "row " << i + 1;
    EXPECT_EQ(Match(r.key, r.ctrl, r.shift, r.alt), r.command) << "row " << i + 1;
    // Letter rows are letters, the others are not.
    bool letter = r.key >= 'A' && r.key <= 'Z';
    EXPECT_EQ(letter, r.is_virtual_key == 0) << "row " << i + 1;
  }
}

}  // namespace
