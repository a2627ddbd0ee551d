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

TEST(SearchActions, GoToLineIndexTakesLeadingDigitsClampsAndNeverOverflows) {
  const std::string nines(30, '9');
  const struct {
    std::string entry;
    int32_t lines, index;
  } cases[] = {{"1", 10, 0},     {"5", 10, 4},    {"10", 10, 9},    {"0007", 10, 6}, {"0", 10, 0},
               {"11", 10, 9},    {"99999", 10, 9}, {"", 10, 0},     {"abc", 10, 0},  {"-5", 10, 0},
               {" 3", 10, 0},    {"12abc", 20, 11}, {"3.9", 20, 2}, {nines, 10, 9},
               {"1" + std::string(29, '0'), 10, 9},
               {"4294967299", 100, 99}, {"18446744073709551619", 100, 99},  // 2^32 + 3, 2^64 + 3
               {"2147483648", INT32_MAX, INT32_MAX - 1}, {nines, INT32_MAX, INT32_MAX - 1},
               {"2147483646", INT32_MAX, INT32_MAX - 2}, {"3", 1, 0}, {"3", 0, 0}, {"3", -1, 0}};
  for (const auto& k : cases) EXPECT_EQ(k.index, GoToLineIndex(k.entry, k.lines)) << k.entry << " of " << k.lines;
}

TEST(SearchActions, GoToPutsTheCaretAtTheLineStartAndLeavesGapAndSelection) {
  auto doc = MakeTestDocument("one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten");
  MoveRight(doc.get(), false);
  const std::pair<const char*, uint32_t> entries[] = {{"99999", 9}, {"0", 0}, {"4x", 3}, {"", 3}};
  for (const auto& e : entries) {
    doc->render_cache->dirty = 0;
    GoToFromDialog(doc.get(), e.first);
    EXPECT_EQ(std::vector<uint32_t>({e.second, 0, *e.first != 0}),
              std::vector<uint32_t>({doc->caret_line, doc->caret_column, uint32_t(doc->render_cache->dirty)})) << e.first;
  }
  EXPECT_EQ(std::string(CaretPointer(*doc), 4), "four");
  GoToFromDialog(doc.get(), "2");
  InsertText(doc.get(), "#", 1);
  GoToFromDialog(doc.get(), "5");
  EXPECT_EQ(doc->gap.gap_closed, 0) << "the typing gap stays open";
  InsertText(doc.get(), "@", 1);
  EXPECT_EQ(Content(*doc), "one\n#two\nthree\nfour\n@five\nsix\nseven\neight\nnine\nten");
  MoveRight(doc.get(), true);
  const uint32_t start = doc->sel_start, end = doc->sel_end;
  GoToFromDialog(doc.get(), "9");
  EXPECT_EQ(doc->caret_line, 8u);
  EXPECT_EQ(std::vector<uint32_t>({1, start, end}), std::vector<uint32_t>({doc->has_selection, doc->sel_start, doc->sel_end}));
  auto empty = MakeTestDocument("");
  GoToFromDialog(empty.get(), "99999");
  EXPECT_EQ(empty->caret, 0u);
}

TEST(SearchActions, FindDetachesTheViewOnlyWhenTheCaretMovedAndF3Continues) {
  auto doc = MakeTestDocument("FOO foobar xfoo foo\nfoo(\nlast foo");
  RenderCache shown;
  shown.caret_row = 3;
  // Case and whole word: FOO, foobar, xfoo and foo( do not match.
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "foo", true, true));
  EXPECT_EQ(std::vector<int>({0, 16, -1}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), shown.caret_row}));
  // A match at the caret the view already shows keeps the view attached;
  // no match leaves the caret and the view.
  shown.caret_row = 3;
  shown.last_caret_column = 16;
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "foo", true, true));
  EXPECT_FALSE(FindFromDialog(doc.get(), &shown, "bar", true, true));
  EXPECT_EQ(std::vector<int>({0, 16, 3}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), shown.caret_row}));
  // A new search starts at the caret and takes the case-folded word.
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "LAST", false, true));
  EXPECT_EQ(std::vector<int>({2, 0, -1}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), shown.caret_row}));
  EXPECT_FALSE(FindFromDialog(doc.get(), nullptr, "foo(", true, false)) << "behind the caret";
  EXPECT_TRUE(FindFromDialog(doc.get(), nullptr, "foo", true, false)) << "no view is fine";
  EXPECT_EQ(doc->caret_column, 5u);
  EXPECT_FALSE(FindFromDialog(doc.get(), &shown, "", true, false));
  auto f3 = MakeTestDocument("foo x foo y foo");
  ASSERT_TRUE(FindFromDialog(f3.get(), nullptr, "foo", true, true));
  for (uint32_t column : {6u, 12u}) {
    FindNext(f3.get());
    EXPECT_EQ(column, f3->caret_column);
  }
}

}  // namespace
