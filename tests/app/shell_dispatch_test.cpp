// What the message filter does with key messages: the two passes, the
// repeat bit, exact modifiers, the capture rule and the typed characters.
#include <gtest/gtest.h>

#include "app/commands.h"

namespace {

constexpr uint32_t kRight = 0x27, kReturn = 0x0D, kEscape = 0x1B, kF11 = 0x7A;

struct Filter {
  KeyBindingTable table;
  Filter() { EXPECT_TRUE(BuildKeyBindingTable(&table)); }
  DispatchResult Down(uint32_t key, bool ctrl = false, bool shift = false, bool alt = false,
                      bool repeat = true, bool captured = false) const {
    DispatchInput in;
    in.kind = KeyMessage::KeyDown;
    in.main_window_exists = in.for_main_window = true;
    in.wparam = key;
    in.repeat_bit = repeat;
    in.ctrl = ctrl;
    in.shift = shift;
    in.alt = alt;
    in.captured = captured;
    return DecideDispatch(table, in);
  }
};

TEST(ShellDispatch, TableHoldsAllRowsAndAKeyUpRowThatNeverMatches) {
  Filter f;
  ASSERT_EQ(f.table.down.size(), 67u);
  ASSERT_EQ(f.table.up.size(), 1u);
  EXPECT_EQ(f.table.down.front().command, KeyCommand::About);
  EXPECT_EQ(f.table.down.back().command, KeyCommand::Switch);
  for (uint32_t key = 1; key < 256; ++key) {
    DispatchInput in;
    in.kind = KeyMessage::KeyUp;
    in.main_window_exists = in.for_main_window = true;
    in.wparam = key;
    in.repeat_bit = true;
    EXPECT_FALSE(DecideDispatch(f.table, in).consumed) << key;
  }
}

TEST(ShellDispatch, PassesRepeatBitAndExactModifiers) {
  Filter f;
  EXPECT_EQ(f.Down(kRight).run, KeyCommand::Right);
  // Virtual-key rows need the repeat bit; an even repeat count is passed on.
  DispatchResult even = f.Down(kRight, false, false, false, false);
  EXPECT_FALSE(even.consumed);
  EXPECT_EQ(even.run, KeyCommand::None);
  // Letter rows match without it.
  EXPECT_EQ(f.Down('S', true, false, false, false).run, KeyCommand::Save);
  EXPECT_EQ(f.Down('S', true, true).run, KeyCommand::SaveAll);
  EXPECT_EQ(f.Down('S', false, false, true).run, KeyCommand::SaveAs);
  EXPECT_EQ(f.Down('O', true).run, KeyCommand::Open);
  EXPECT_EQ(f.Down('O', true, true).run, KeyCommand::OpenFolder);
  EXPECT_FALSE(f.Down('O', true, false, true).consumed) << "Ctrl+Alt+O";
  EXPECT_EQ(f.Down(kRight, true, true).run, KeyCommand::SelectWordRight);
  EXPECT_EQ(f.Down(kF11).run, KeyCommand::ToggleFullscreen);
  EXPECT_FALSE(f.Down(kF11, false, true).consumed) << "Shift+F11 has no row";
  EXPECT_EQ(f.Down(kReturn).run, KeyCommand::Enter);
  EXPECT_FALSE(f.Down(kEscape).consumed);
  EXPECT_FALSE(f.Down('N').consumed) << "N alone is typed text";
}

TEST(ShellDispatch, CaptureSwallowsMatchedKeysWithoutRunningThem) {
  Filter f;
  DispatchResult r = f.Down(kRight, false, false, false, true, true);
  EXPECT_TRUE(r.consumed);
  EXPECT_EQ(r.run, KeyCommand::None);
  EXPECT_FALSE(f.Down(kEscape, false, false, false, true, true).consumed);
}

TEST(ShellDispatch, OnlyMainWindowMessagesAndCharactersWithoutCtrlAlt) {
  Filter f;
  DispatchInput in;
  in.kind = KeyMessage::KeyDown;
  in.wparam = kRight;
  in.repeat_bit = true;
  in.main_window_exists = true;
  in.for_main_window = false;  // e.g. the Switch window's Enter
  EXPECT_FALSE(DecideDispatch(f.table, in).consumed);
  in.for_main_window = true;
  in.main_window_exists = false;
  EXPECT_FALSE(DecideDispatch(f.table, in).consumed);

  in = DispatchInput{};
  in.kind = KeyMessage::Char;
  in.main_window_exists = in.for_main_window = true;
  in.wparam = 'A';
  in.shift = true;
  DispatchResult r = DecideDispatch(f.table, in);
  EXPECT_TRUE(r.forward_char);
  EXPECT_FALSE(r.consumed) << "the character also goes on through the loop";
  in.for_text_pane = true;
  r = DecideDispatch(f.table, in);
  EXPECT_TRUE(r.forward_char);
  EXPECT_TRUE(r.consumed) << "sent once, not again through the dialog manager";
  in.ctrl = in.alt = true;  // AltGr
  EXPECT_FALSE(DecideDispatch(f.table, in).forward_char);
  EXPECT_FALSE(DecideDispatch(f.table, in).consumed);
  in.ctrl = false;
  EXPECT_FALSE(DecideDispatch(f.table, in).forward_char);
  in.kind = KeyMessage::Other;
  EXPECT_FALSE(DecideDispatch(f.table, in).consumed);
}

}  // namespace
