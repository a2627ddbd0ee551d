// Ctrl+K and Ctrl+U.
#include <gtest/gtest.h>

#include "engine/comment.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/support/engine_test_document.h"

TEST(Comment, WithoutSelectionAtTheCaret) {
  auto doc = MakeTestDocument();
  CommentLines(doc.get());
  EXPECT_EQ(Content(*doc), "//");
  EXPECT_EQ(doc->caret, 2u);
  UncommentLines(doc.get());
  EXPECT_EQ(Content(*doc), "");
  EXPECT_EQ(doc->caret, 0u);

  auto one = MakeTestDocument("a/b/");
  MoveTextEnd(one.get(), false);
  UncommentLines(one.get());  // a single slash
  EXPECT_EQ(Content(*one), "a/b");
  UncommentLines(one.get());  // after a letter: nothing
  EXPECT_EQ(Content(*one), "a/b");
}

TEST(Comment, SelectedLinesGetTheMarkerInColumnZero) {
  auto doc = MakeTestDocument("l1\nline2\nline3\nline4\nl5");
  GoToLineColumn(doc.get(), 1, 2);
  MoveDown(doc.get(), true);
  MoveDown(doc.get(), true);
  CommentLines(doc.get());
  EXPECT_EQ(Content(*doc), "l1\n//line2\n//line3\n//line4\nl5");
  EXPECT_EQ(doc->caret_line, 3u);
  EXPECT_EQ(doc->caret_column, 0u);
  EXPECT_TRUE(doc->has_selection);
  UncommentLines(doc.get());
  EXPECT_EQ(Content(*doc), "l1\nline2\nline3\nline4\nl5");
  std::string why;
  EXPECT_TRUE(CheckInvariants(*doc, &why)) << why;
}

TEST(Comment, UncommentTouchesOnlyColumnZero) {
  auto doc = MakeTestDocument("  //a\n/b\n///c");
  SelectAll(doc.get());
  UncommentLines(doc.get());
  EXPECT_EQ(Content(*doc), "  //a\nb\n/c");
}
