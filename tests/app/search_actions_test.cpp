// The Go-to line arithmetic and the Find and Go-to dialogs' actions on a
// document.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/search_actions.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "tests/support/engine_test_document.h"

namespace {

TEST(SearchActions, GoToLineIndexTakesLeadingDigitsAndClamps) {
  EXPECT_EQ(GoToLineIndex("1", 10), 0);
  EXPECT_EQ(GoToLineIndex("5", 10), 4);
  EXPECT_EQ(GoToLineIndex("10", 10), 9);
  EXPECT_EQ(GoToLineIndex("0007", 10), 6) << "leading zeros";
  EXPECT_EQ(GoToLineIndex("0", 10), 0) << "line 0 is line 1";
  EXPECT_EQ(GoToLineIndex("11", 10), 9) << "one past the end";
  EXPECT_EQ(GoToLineIndex("99999", 10), 9);
  EXPECT_EQ(GoToLineIndex("", 10), 0);
  EXPECT_EQ(GoToLineIndex("abc", 10), 0) << "not a number";
  EXPECT_EQ(GoToLineIndex("-5", 10), 0) << "no leading digit";
  EXPECT_EQ(GoToLineIndex(" 3", 10), 0) << "a space is not a digit";
  EXPECT_EQ(GoToLineIndex("12abc", 20), 11);
  EXPECT_EQ(GoToLineIndex("3.9", 20), 2);
}

TEST(SearchActions, GoToLineIndexNeverOverflows) {
  const std::string thirty(30, '9');
  EXPECT_EQ(GoToLineIndex(thirty, 10), 9);
  EXPECT_EQ(GoToLineIndex("1" + std::string(29, '0'), 10), 9);
  // 2^32 + 3 and 2^64 + 3 would wrap to line 3 in a 32- or 64-bit counter.
  EXPECT_EQ(GoToLineIndex("4294967299", 100), 99);
  EXPECT_EQ(GoToLineIndex("18446744073709551619", 100), 99);
  EXPECT_EQ(GoToLineIndex("2147483648", INT32_MAX), INT32_MAX - 1);
  EXPECT_EQ(GoToLineIndex(thirty, INT32_MAX), INT32_MAX - 1);
  EXPECT_EQ(GoToLineIndex("2147483647", INT32_MAX), INT32_MAX - 1);
  EXPECT_EQ(GoToLineIndex("2147483646", INT32_MAX), INT32_MAX - 2);
}

TEST(SearchActions, GoToLineIndexOnEmptyAndOneLineDocuments) {
  EXPECT_EQ(GoToLineIndex("3", 1), 0);
  EXPECT_EQ(GoToLineIndex("3", 0), 0) << "no line entries at all";
  EXPECT_EQ(GoToLineIndex("3", -1), 0);
}

const char kTenLines[] = "one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten";

TEST(SearchActions, GoToPutsTheCaretAtTheLineStart) {
  auto doc = MakeTestDocument(kTenLines);
  ASSERT_EQ(doc->lines.Count(), 10);
  MoveRight(doc.get(), false);
  GoToFromDialog(doc.get(), "99999");
  EXPECT_EQ(doc->caret_line, 9u);
  EXPECT_EQ(doc->caret_column, 0u);
  EXPECT_EQ(std::string(CaretPointer(*doc), 3), "ten");
  GoToFromDialog(doc.get(), "0");
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(doc->caret_column, 0u);
  GoToFromDialog(doc.get(), "4x");
  EXPECT_EQ(doc->caret_line, 3u);
  EXPECT_EQ(std::string(CaretPointer(*doc), 4), "four");
  GoToFromDialog(doc.get(), "");
  EXPECT_EQ(doc->caret_line, 3u) << "an empty entry does nothing";
}

TEST(SearchActions, GoToLeavesTheGapAndTheSelection) {
  auto doc = MakeTestDocument(kTenLines);
  GoToFromDialog(doc.get(), "2");
  InsertText(doc.get(), "#", 1);
  ASSERT_EQ(doc->gap.gap_closed, 0);
  GoToFromDialog(doc.get(), "5");
  EXPECT_EQ(doc->gap.gap_closed, 0) << "the typing gap stays open";
  EXPECT_EQ(doc->caret_line, 4u);
  InsertText(doc.get(), "@", 1);
  EXPECT_EQ(Content(*doc), "one\n#two\nthree\nfour\n@five\nsix\nseven\neight\nnine\nten");

  MoveRight(doc.get(), true);
  MoveRight(doc.get(), true);
  ASSERT_EQ(doc->has_selection, 1);
  uint32_t start = doc->sel_start, end = doc->sel_end;
  GoToFromDialog(doc.get(), "9");
  EXPECT_EQ(doc->caret_line, 8u);
  EXPECT_EQ(doc->has_selection, 1);
  EXPECT_EQ(doc->sel_start, start);
  EXPECT_EQ(doc->sel_end, end);
}

TEST(SearchActions, GoToOnAnEmptyDocument) {
  auto doc = MakeTestDocument("");
  GoToFromDialog(doc.get(), "99999");
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(doc->caret, 0u);
}

TEST(SearchActions, FindDetachesTheViewOnlyWhenTheCaretMoved) {
  auto doc = MakeTestDocument("FOO foobar xfoo foo\nfoo(\nlast foo");
  RenderCache shown;
  shown.caret_row = 3;
  shown.last_caret_line = 0;
  shown.last_caret_column = 0;
  // Case and whole word: FOO, foobar, xfoo and foo( do not match.
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "foo", true, true));
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(doc->caret_column, 16u);
  EXPECT_EQ(shown.caret_row, -1);

  // A match at the caret the view already shows keeps the view attached.
  shown.caret_row = 3;
  shown.last_caret_column = 16;
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "foo", true, true));
  EXPECT_EQ(doc->caret_column, 16u);
  EXPECT_EQ(shown.caret_row, 3);

  // No match: the caret and the view stay.
  EXPECT_FALSE(FindFromDialog(doc.get(), &shown, "bar", true, true));
  EXPECT_EQ(doc->caret_column, 16u);
  EXPECT_EQ(shown.caret_row, 3);

  // A new search starts at the caret and takes the case-folded word.
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "LAST", false, true));
  EXPECT_EQ(doc->caret_line, 2u);
  EXPECT_EQ(doc->caret_column, 0u);
  EXPECT_EQ(shown.caret_row, -1);
  EXPECT_FALSE(FindFromDialog(doc.get(), nullptr, "foo(", true, false)) << "behind the caret";
  EXPECT_TRUE(FindFromDialog(doc.get(), nullptr, "foo", true, false)) << "no view is fine";
  EXPECT_EQ(doc->caret_column, 5u);
  EXPECT_FALSE(FindFromDialog(doc.get(), &shown, "", true, false));
}

TEST(SearchActions, FindFromTheDialogIsWhatF3Continues) {
  auto doc = MakeTestDocument("foo x foo y foo");
  ASSERT_TRUE(FindFromDialog(doc.get(), nullptr, "foo", true, true));
  EXPECT_EQ(doc->caret_column, 0u);
  FindNext(doc.get());
  EXPECT_EQ(doc->caret_column, 6u);
  FindNext(doc.get());
  EXPECT_EQ(doc->caret_column, 12u);
}

}  // namespace
