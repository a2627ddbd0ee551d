// Typing, Backspace, Delete, word deletion, overwrite, Tab and Shift+Tab.
#include <gtest/gtest.h>

#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/support/engine_test_document.h"

namespace {

void Type(Document* doc, const std::string& s) {
  InsertText(doc, s.data(), static_cast<int32_t>(s.size()));
}

// A loaded document with the caret moved to `at` the way a key would.
std::unique_ptr<Document> DocAt(const std::string& text, int32_t at, int32_t tab_size = 2,
                                bool spaces = true) {
  auto doc = MakeTestDocument(text, tab_size, spaces);
  MoveTextStart(doc.get(), false);
  SetCaret(doc.get(), at);
  return doc;
}

void ExpectValid(const Document& doc) {
  std::string why;
  EXPECT_TRUE(CheckInvariants(doc, &why)) << why;
}

}  // namespace

TEST(Editing, BackspaceAndDeleteAtTheEdgesAndOverMultibyteCharacters) {
  auto doc = DocAt("x\xC3\xA9y\xE4\xB8\xADz", 0);
  DeleteChars(doc.get(), 1, false);  // offset 0: nothing
  EXPECT_EQ(Content(*doc), "x\xC3\xA9y\xE4\xB8\xADz");
  SetCaret(doc.get(), 3);
  DeleteChars(doc.get(), 1, false);  // removes both bytes of é
  EXPECT_EQ(Content(*doc), "xy\xE4\xB8\xADz");
  EXPECT_EQ(doc->caret, 1u);
  SetCaret(doc.get(), 2);
  DeleteChars(doc.get(), 1, true);  // removes the three bytes of 中
  EXPECT_EQ(Content(*doc), "xyz");
  MoveTextEnd(doc.get(), false);
  DeleteChars(doc.get(), 1, true);  // at the end: nothing
  EXPECT_EQ(Content(*doc), "xyz");
  ExpectValid(*doc);
}

TEST(Editing, BackspaceAndDeleteJoinLines) {
  auto doc = DocAt("ab\ncd", 3);
  DeleteChars(doc.get(), 1, false);
  EXPECT_EQ(Content(*doc), "abcd");
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(doc->lines.Count(), 1);
  auto other = DocAt("ab\ncd", 2);
  DeleteChars(other.get(), 1, true);
  EXPECT_EQ(Content(*other), "abcd");
  ExpectValid(*other);
}

TEST(Editing, BackspaceOverFreshlyTypedTextRefillsTheGap) {
  auto doc = DocAt("0123", 2);
  Type(doc.get(), "a");
  Type(doc.get(), "b");
  Type(doc.get(), "c");
  int32_t gap_start = doc->gap.gap_start;
  DeleteChars(doc.get(), 1, false);
  DeleteChars(doc.get(), 1, false);
  EXPECT_FALSE(doc->gap.gap_closed);
  EXPECT_EQ(doc->gap.gap_start, gap_start);
  EXPECT_EQ(doc->gap.gap_insert, gap_start + 1);
  EXPECT_EQ(Content(*doc), "01a23");
  DeleteChars(doc.get(), 1, false);
  EXPECT_EQ(Content(*doc), "0123");
  EXPECT_EQ(doc->caret, 2u);
  DeleteChars(doc.get(), 1, false);  // past the typed text: closes the gap
  EXPECT_EQ(Content(*doc), "023");
  ExpectValid(*doc);
}

TEST(Editing, TypingReplacesASelectionAndDeleteRemovesOnlyIt) {
  auto doc = DocAt("hello world", 0);
  MoveRight(doc.get(), true);
  MoveRight(doc.get(), true);
  Type(doc.get(), "J");
  EXPECT_EQ(Content(*doc), "Jllo world");
  EXPECT_FALSE(doc->has_selection);
  EXPECT_EQ(doc->caret, 1u);
  MoveWordRight(doc.get(), false);
  MoveEnd(doc.get(), true);
  DeleteChars(doc.get(), 1, false);
  EXPECT_EQ(Content(*doc), "Jllo ");
  EXPECT_EQ(doc->caret, 5u);
  ExpectValid(*doc);
}

TEST(Editing, OverwriteReplacesCharactersAndLineEnds) {
  auto doc = DocAt("abcd\nef", 2);
  ToggleOverwrite(doc.get());
  EXPECT_EQ(doc->overwrite, 1);
  Type(doc.get(), "x");
  EXPECT_EQ(Content(*doc), "abxd\nef");
  EXPECT_EQ(doc->caret, 3u);
  MoveEnd(doc.get(), false);
  Type(doc.get(), "y");  // replaces the LF: the lines join
  EXPECT_EQ(Content(*doc), "abxdyef");
  EXPECT_EQ(doc->lines.Count(), 1);
  Type(doc.get(), "\xC3\xA9");  // two bytes replace two characters
  EXPECT_EQ(Content(*doc), "abxdy\xC3\xA9");
  ToggleOverwrite(doc.get());
  EXPECT_EQ(doc->overwrite, 0);
  ExpectValid(*doc);
}

TEST(Editing, WordDeletion) {
  auto doc = DocAt("foo  bar", 0);
  DeleteWord(doc.get(), true);
  EXPECT_EQ(Content(*doc), "  bar");
  DeleteWord(doc.get(), true);
  EXPECT_EQ(Content(*doc), "bar");
  DeleteWord(doc.get(), true);
  EXPECT_EQ(Content(*doc), "");
  DeleteWord(doc.get(), true);  // at the end: nothing
  EXPECT_EQ(Content(*doc), "");

  auto back = DocAt("a\tb.c  \nx", 8);
  DeleteWord(back.get(), false);  // directly after an LF: only the LF
  EXPECT_EQ(Content(*back), "a\tb.c  x");
  EXPECT_EQ(back->caret, 7u);
  EXPECT_EQ(back->caret_line, 0u);
  DeleteWord(back.get(), false);  // the two spaces
  EXPECT_EQ(Content(*back), "a\tb.cx");
  DeleteWord(back.get(), false);  // tab and punctuation belong to the word
  EXPECT_EQ(Content(*back), "x");
  EXPECT_EQ(back->caret, 0u);
  DeleteWord(back.get(), false);  // offset 0: nothing
  EXPECT_EQ(Content(*back), "x");
  ExpectValid(*back);
}

TEST(Editing, TabAndShiftTabWithoutSelection) {
  auto doc = DocAt("x", 1, 4, true);
  IndentLines(doc.get());
  EXPECT_EQ(Content(*doc), "x    ");  // a fixed count, not to a tab stop
  auto tabs = DocAt("x", 1, 4, false);
  IndentLines(tabs.get());
  EXPECT_EQ(Content(*tabs), "x\t");
  UnindentLines(tabs.get());
  EXPECT_EQ(Content(*tabs), "x");
  UnindentLines(tabs.get());  // no tab before the caret: nothing
  EXPECT_EQ(Content(*tabs), "x");

  auto spaces = DocAt("x  ", 3, 4, true);
  UnindentLines(spaces.get());
  EXPECT_EQ(Content(*spaces), "x");
  EXPECT_EQ(spaces->caret, 1u);
  auto word = DocAt("  xa", 4, 4, true);
  UnindentLines(word.get());
  EXPECT_EQ(Content(*word), "  xa");
  auto many = DocAt("      y", 6, 4, true);
  UnindentLines(many.get());  // at most tab_size spaces
  EXPECT_EQ(Content(*many), "  y");
  ExpectValid(*many);
}

TEST(Editing, TabAndShiftTabOverASelection) {
  auto doc = DocAt("one\ntwo\nthree\nfour", 1, 4, true);
  MoveDown(doc.get(), true);
  MoveDown(doc.get(), true);
  IndentLines(doc.get());
  EXPECT_EQ(Content(*doc), "    one\n    two\n    three\nfour");
  EXPECT_EQ(doc->caret, 16u);  // start of the last indented line
  EXPECT_EQ(doc->caret_line, 2u);
  EXPECT_EQ(doc->caret_column, 0u);
  EXPECT_TRUE(doc->has_selection);
  UnindentLines(doc.get());
  EXPECT_EQ(Content(*doc), "one\ntwo\nthree\nfour");
  EXPECT_TRUE(doc->has_selection);
  ExpectValid(*doc);

  auto tabs = DocAt("a\n\tb\n\t\tc", 0, 4, false);
  MoveTextEnd(tabs.get(), true);
  UnindentLines(tabs.get());
  EXPECT_EQ(Content(*tabs), "a\nb\n\tc");
  IndentLines(tabs.get());
  EXPECT_EQ(Content(*tabs), "\ta\n\tb\n\t\tc");
  ExpectValid(*tabs);
}

TEST(Editing, DeleteAfterTypingInsideACharacterCountsAsWithoutTheGap) {
  // A caret inside a character (left there by an unshifted selection end)
  // must see the same characters whether or not filler follows it.
  auto doc = DocAt("x\xE4\xB8\xADy", 2);
  Type(doc.get(), "a");
  DeleteChars(doc.get(), 1, false);
  ASSERT_FALSE(doc->gap.gap_closed);
  EXPECT_EQ(doc->caret, 2u);
  DeleteChars(doc.get(), 1, true);  // the rest of 中 and then y, as counted from the start
  EXPECT_EQ(Content(*doc), "x\xE4");
  ExpectValid(*doc);
}
