// Find, F3, Shift+F3 and replace-all.
#include <gtest/gtest.h>

#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "tests/support/engine_test_document.h"

namespace {

bool FindNew(Document* doc, const std::string& what, bool match_case = true, bool whole_word = true) {
  return Find(doc, what, match_case, whole_word, true, false);
}

void ExpectValid(const Document& doc) {
  std::string why;
  EXPECT_TRUE(CheckInvariants(doc, &why)) << why;
}

}  // namespace

TEST(Search, WholeWordsAreDelimitedBySpacesAndLineEnds) {
  auto doc = MakeTestDocument("foo( (foo foobar foo\nfoo");
  EXPECT_TRUE(FindNew(doc.get(), "foo"));
  EXPECT_EQ(doc->caret, 17u);
  EXPECT_TRUE(FindNext(doc.get()));
  EXPECT_EQ(doc->caret, 21u);  // at the very end
  auto start = MakeTestDocument("foo bar");
  EXPECT_TRUE(FindNew(start.get(), "foo"));
  EXPECT_EQ(start->caret, 0u);  // a match at the caret is found in place
  EXPECT_FALSE(FindNew(start.get(), "fo"));
  EXPECT_TRUE(FindNew(start.get(), "fo", true, false));
}

TEST(Search, CaseFoldingIsAsciiOnly) {
  auto doc = MakeTestDocument("xx abc \xC3\x89t\xC3\xA9");
  EXPECT_FALSE(FindNew(doc.get(), "ABC", true, false));
  EXPECT_TRUE(FindNew(doc.get(), "ABC", false, false));
  EXPECT_EQ(doc->caret, 3u);
  MoveTextStart(doc.get(), false);
  EXPECT_FALSE(FindNew(doc.get(), "\xC3\xA9t", false, false));  // É is not é
}

TEST(Search, FindNextAndPreviousWrapInTwoPresses) {
  auto doc = MakeTestDocument("a x a x a");
  EXPECT_FALSE(FindNext(doc.get()));  // nothing searched yet
  EXPECT_TRUE(FindNew(doc.get(), "a"));
  EXPECT_EQ(doc->caret, 0u);
  EXPECT_TRUE(FindNext(doc.get()));  // not the match at 0 again
  EXPECT_EQ(doc->caret, 4u);
  EXPECT_TRUE(FindNext(doc.get()));
  EXPECT_EQ(doc->caret, 8u);
  EXPECT_FALSE(FindNext(doc.get()));
  EXPECT_EQ(doc->caret, 8u);
  EXPECT_EQ(doc->find_pos, 0);
  EXPECT_TRUE(FindNext(doc.get()));
  EXPECT_EQ(doc->caret, 0u);  // the first occurrence, at the very top
  EXPECT_FALSE(FindPrevious(doc.get()));
  EXPECT_EQ(doc->find_pos, 9);
  EXPECT_TRUE(FindPrevious(doc.get()));
  EXPECT_EQ(doc->caret, 8u);  // the last occurrence, at the very end
  EXPECT_TRUE(FindPrevious(doc.get()));
  EXPECT_EQ(doc->caret, 4u);

  // A search that fails below the last occurrence: F3 then finds the one at
  // the top, also when it is the only one.
  auto once = MakeTestDocument("ab cd");
  MoveTextEnd(once.get(), false);
  EXPECT_FALSE(FindNew(once.get(), "ab"));
  EXPECT_TRUE(FindNext(once.get()));
  EXPECT_EQ(once->caret, 0u);
  EXPECT_FALSE(FindNext(once.get()));
  EXPECT_TRUE(FindNext(once.get()));
  EXPECT_EQ(once->caret, 0u);
  auto end = MakeTestDocument("cd ab");
  EXPECT_TRUE(FindNew(end.get(), "ab"));
  EXPECT_FALSE(FindPrevious(end.get()));
  EXPECT_TRUE(FindPrevious(end.get()));
  EXPECT_EQ(end->caret, 3u);
}

TEST(Search, FindClearsTheSelectionAndClosesTheGap) {
  auto doc = MakeTestDocument("abc abc");
  InsertText(doc.get(), "z", 1);
  MoveRight(doc.get(), true);
  EXPECT_TRUE(FindNew(doc.get(), "abc", true, false));
  EXPECT_FALSE(doc->has_selection);
  EXPECT_TRUE(doc->gap.gap_closed);
  EXPECT_EQ(doc->caret, 5u);
  EXPECT_EQ(std::string(StringData(doc->find_text)), "abc");
  EXPECT_EQ(doc->match_case, 1);
  EXPECT_EQ(doc->whole_word, 0);
}

TEST(Search, ReplaceAllCountsAndLeavesTheCaretAtTheLastReplacement) {
  auto doc = MakeTestDocument("foo foo");
  EXPECT_EQ(ReplaceAll(doc.get(), "foo", "bar", true, true), 2);
  EXPECT_EQ(Content(*doc), "bar bar");
  EXPECT_EQ(doc->caret, 4u);
  EXPECT_FALSE(doc->gap.gap_closed);  // typed through the gap
  EXPECT_EQ(doc->gap.gap_insert, 7);
  EXPECT_EQ(doc->find_pos, 0);
  EXPECT_EQ(std::string(StringData(doc->replace_text)), "bar");
  ExpectValid(*doc);

  auto none = MakeTestDocument("abc");
  EXPECT_EQ(ReplaceAll(none.get(), "x", "y", true, false), 0);
  EXPECT_EQ(Content(*none), "abc");
}

TEST(Search, ReplaceAllNeverRescansItsReplacements) {
  auto doc = MakeTestDocument("a ba a");
  EXPECT_EQ(ReplaceAll(doc.get(), "a", "aa", true, false), 3);
  EXPECT_EQ(Content(*doc), "aa baa aa");
  EXPECT_EQ(doc->caret, 7u);
  // Whole words are judged on the text before the command.
  auto words = MakeTestDocument("x x x");
  EXPECT_EQ(ReplaceAll(words.get(), "x", "x x", true, true), 3);
  EXPECT_EQ(Content(*words), "x x x x x x");
  // Overlapping occurrences: left to right, each byte replaced once.
  auto overlap = MakeTestDocument("aaa");
  EXPECT_EQ(ReplaceAll(overlap.get(), "aa", "b", true, false), 1);
  EXPECT_EQ(Content(*overlap), "ba");
  // A replacement longer than the gap, and an empty one.
  auto longer = MakeTestDocument("k\nk");
  std::string big(40, 'L');
  EXPECT_EQ(ReplaceAll(longer.get(), "k", big, true, true), 2);
  EXPECT_EQ(Content(*longer), big + "\n" + big);
  EXPECT_EQ(longer->caret_line, 1u);
  EXPECT_EQ(ReplaceAll(longer.get(), big, "", true, true), 2);
  EXPECT_EQ(Content(*longer), "\n");
  ExpectValid(*longer);
}

TEST(Search, ReplaceAllIgnoresOverwriteMode) {
  auto doc = MakeTestDocument("ab cd ab");
  ToggleOverwrite(doc.get());
  EXPECT_EQ(ReplaceAll(doc.get(), "ab", "xyz", true, true), 2);
  EXPECT_EQ(Content(*doc), "xyz cd xyz");
}
