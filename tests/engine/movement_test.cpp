// Caret movements, selection by movement, page and scroll keys.
#include <gtest/gtest.h>

#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/support/engine_test_document.h"

namespace {

std::unique_ptr<Document> DocAt(const std::string& text, int32_t at) {
  auto doc = MakeTestDocument(text);
  MoveTextStart(doc.get(), false);
  SetCaret(doc.get(), at);
  return doc;
}

}  // namespace

TEST(Movement, LeftAndRightOverCharacters) {
  auto doc = DocAt("a\xE4\xB8\xAD\xF0\x9F\x98\x80", 0);
  MoveLeft(doc.get(), false);
  EXPECT_EQ(doc->caret, 0u);
  MoveRight(doc.get(), false);
  MoveRight(doc.get(), false);
  EXPECT_EQ(doc->caret, 4u);
  EXPECT_EQ(doc->caret_column, 2u);
  MoveRight(doc.get(), false);
  EXPECT_EQ(doc->caret, 8u);
  MoveRight(doc.get(), false);  // at the end: stays
  EXPECT_EQ(doc->caret, 8u);
  MoveLeft(doc.get(), false);
  EXPECT_EQ(doc->caret, 4u);
  MoveLeft(doc.get(), false);
  EXPECT_EQ(doc->caret, 1u);
  EXPECT_EQ(doc->caret_column, 1u);
}

TEST(Movement, WordMoves) {
  auto doc = DocAt("one two", 5);
  MoveWordRight(doc.get(), false);  // inside the last word: nothing
  EXPECT_EQ(doc->caret, 5u);
  MoveWordLeft(doc.get(), false);
  EXPECT_EQ(doc->caret, 4u);
  MoveWordLeft(doc.get(), false);
  EXPECT_EQ(doc->caret, 0u);
  auto inner = DocAt("one two", 2);
  MoveWordLeft(inner.get(), false);  // inside the first word: to offset 0
  EXPECT_EQ(inner->caret, 0u);
  auto tab = DocAt("a\tb c", 0);
  MoveWordRight(tab.get(), false);  // a, tab, b is one word
  EXPECT_EQ(tab->caret, 4u);
  auto lines = DocAt("x\n\ny", 0);
  MoveWordRight(lines.get(), false);
  EXPECT_EQ(lines->caret, 3u);
}

TEST(Movement, HomeToggleAndEnd) {
  auto doc = DocAt("    foo\nbar", 7);
  MoveHome(doc.get(), false);
  EXPECT_EQ(doc->caret, 4u);
  MoveHome(doc.get(), false);
  EXPECT_EQ(doc->caret, 0u);
  MoveHome(doc.get(), false);
  EXPECT_EQ(doc->caret, 4u);
  MoveEnd(doc.get(), false);
  EXPECT_EQ(doc->caret, 7u);
  MoveEnd(doc.get(), false);  // on the LF: stays
  EXPECT_EQ(doc->caret, 7u);
  SetCaret(doc.get(), 9);
  MoveEnd(doc.get(), false);
  EXPECT_EQ(doc->caret, 11u);
}

TEST(Movement, VerticalMovesKeepNoRememberedColumn) {
  auto doc = DocAt("0123456789ab\nxyz\n0123456789ab", 10);
  MoveDown(doc.get(), false);
  EXPECT_EQ(doc->caret_line, 1u);
  EXPECT_EQ(doc->caret_column, 3u);
  MoveDown(doc.get(), false);
  EXPECT_EQ(doc->caret_line, 2u);
  EXPECT_EQ(doc->caret_column, 3u);
  MoveDown(doc.get(), false);  // last line: stays, column recomputed
  EXPECT_EQ(doc->caret_line, 2u);
  EXPECT_EQ(doc->caret_column, 3u);
  MoveTextStart(doc.get(), false);
  MoveRight(doc.get(), false);
  MoveUp(doc.get(), false);
  EXPECT_EQ(doc->caret, 1u);
  MovePageDown(doc.get(), false, 5);
  EXPECT_EQ(doc->caret_line, 2u);
  MovePageUp(doc.get(), false, 1);
  EXPECT_EQ(doc->caret_line, 1u);
}

TEST(Movement, GoToLineColumnClampsLinesAndColumns) {
  auto doc = DocAt("ab\n\xC3\xA9" "cd\nlast", 0);
  GoToLineColumn(doc.get(), 1, 2);
  EXPECT_EQ(doc->caret, 6u);
  GoToLineColumn(doc.get(), 1, 50);  // shorter line: its end
  EXPECT_EQ(doc->caret, 7u);
  GoToLineColumn(doc.get(), 99, 2);  // past the last line: the last line
  EXPECT_EQ(doc->caret, 10u);
  EXPECT_EQ(doc->caret_line, 2u);
}

TEST(Movement, ShiftMovesSelectAndPlainMovesEndTheSelection) {
  auto doc = DocAt("abcdef", 2);
  for (int i = 0; i < 3; ++i) MoveRight(doc.get(), true);
  EXPECT_EQ(doc->sel_start, 2u);
  EXPECT_EQ(doc->sel_end, 5u);
  for (int i = 0; i < 3; ++i) MoveLeft(doc.get(), true);
  EXPECT_TRUE(doc->has_selection);
  EXPECT_EQ(doc->sel_start, 2u);
  EXPECT_EQ(doc->sel_end, 2u);
  MoveRight(doc.get(), true);
  MoveRight(doc.get(), true);
  MoveLeft(doc.get(), false);  // to the selection's start
  EXPECT_EQ(doc->caret, 2u);
  EXPECT_FALSE(doc->has_selection);
  MoveRight(doc.get(), true);
  MoveRight(doc.get(), false);  // to its end
  EXPECT_EQ(doc->caret, 3u);
}

TEST(Movement, PageUpAcrossTheAnchorKeepsTheFarEnd) {
  auto doc = DocAt("l0\nl1 mid\nl2\nl3\nl4", 5);
  MoveDown(doc.get(), true);
  MoveDown(doc.get(), true);
  uint32_t end = doc->sel_end;
  MovePageUp(doc.get(), true, 4);
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(doc->sel_start, doc->caret);
  EXPECT_EQ(doc->sel_end, end);
}

TEST(Movement, SelectAll) {
  auto doc = DocAt("abc\ndef", 5);
  SelectAll(doc.get());
  EXPECT_EQ(doc->sel_start, 0u);
  EXPECT_EQ(doc->sel_end, 7u);
  EXPECT_EQ(doc->caret, 7u);
}
