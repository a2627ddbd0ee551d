// WM_CHAR code units to UTF-8.
#include <gtest/gtest.h>

#include "engine/char_input.h"
#include "tests/support/engine_test_document.h"

// Control codes are chords or table keys, not text: Backspace, Tab, Enter,
// Ctrl+Z (0x1A), Ctrl+Backspace (0x7F); a pending first half waits on.
TEST(CharInput, ControlCodesTypeNothing) {
  CharInput input;
  EXPECT_EQ(CharUnitToUtf8(&input, 0xD83D), "");
  for (uint32_t control : {0u, 8u, 9u, 10u, 13u, 0x1Au, 0x1Fu, 0x7Fu})
    EXPECT_EQ(CharUnitToUtf8(&input, control), "") << control;
  EXPECT_EQ(CharUnitToUtf8(&input, 0xDE00), "\xF0\x9F\x98\x80");
  EXPECT_EQ(CharUnitToUtf8(&input, ' '), " ");
  EXPECT_EQ(CharUnitToUtf8(&input, '~'), "~");
}

TEST(CharInput, TypedCharactersGoThroughTheGap) {
  auto doc = MakeTestDocument("!");
  CharInput input;
  TypeCharUnit(doc.get(), &input, 0xD83D);
  EXPECT_EQ(Content(*doc), "!");
  TypeCharUnit(doc.get(), &input, 0xDE00);
  TypeCharUnit(doc.get(), &input, 'k');
  EXPECT_EQ(Content(*doc), "\xF0\x9F\x98\x80k!");
  EXPECT_EQ(doc->caret, 5u);
  EXPECT_EQ(doc->caret_column, 2u);
  EXPECT_FALSE(doc->gap.gap_closed);
}
