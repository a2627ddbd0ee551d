// Document model: the typing gap, the line cache, caret and selection
// helpers.
#include <gtest/gtest.h>

#include "engine/editing.h"
#include "engine/text_splice.h"
#include "tests/support/engine_test_document.h"

namespace {

std::string Filler(int n) { return std::string(static_cast<size_t>(n), '$'); }

void Type(Document* doc, const std::string& s) {
  InsertText(doc, s.data(), static_cast<int32_t>(s.size()));
}

void ExpectValid(const Document& doc) {
  std::string why;
  EXPECT_TRUE(CheckInvariants(doc, &why)) << why;
}

}  // namespace

TEST(TextSplice, ReplacesBytesWithPositionsClampedToTheText) {
  auto doc = MakeTestDocument("abcdef");
  CloseGapAtCaret(doc.get());
  ASSERT_TRUE(SpliceText(doc.get(), 3, 0, "XY", 2));
  EXPECT_EQ(Content(*doc), "abcXYdef");
  ASSERT_TRUE(SpliceText(doc.get(), 99, 0, "!", 1));  // clamped to the end
  EXPECT_EQ(Content(*doc), "abcXYdef!");
  ASSERT_TRUE(SpliceText(doc.get(), 1, 3, nullptr, 0));
  EXPECT_EQ(Content(*doc), "aYdef!");
  ASSERT_TRUE(SpliceText(doc.get(), 4, 100, nullptr, 0));  // cut at the end
  EXPECT_EQ(Content(*doc), "aYde");
  ASSERT_TRUE(SpliceText(doc.get(), 4, 1, nullptr, 0));  // at the length: nothing
  EXPECT_EQ(Content(*doc), "aYde");
  ASSERT_TRUE(SpliceText(doc.get(), -1, 1, "\n", 1));  // the start clamped to 0
  EXPECT_EQ(Content(*doc), "\nYde");
  EXPECT_TRUE(LinesMatchText(*doc));  // the line entries kept in step
  RefreshLines(doc.get());
  EXPECT_EQ(doc->lines.Count(), 2);
  ExpectValid(*doc);
}

TEST(TypingGap, NewDocumentAndTypingIntoTheGap) {
  auto doc = MakeTestDocument();
  EXPECT_EQ(std::string(StringData(doc->text)), Filler(24));
  ASSERT_EQ(doc->lines.Count(), 1);
  EXPECT_EQ(doc->lines[0].length, 0u);
  EXPECT_EQ(doc->caret, 0u);
  Type(doc.get(), "a");
  Type(doc.get(), "b");
  EXPECT_EQ(doc->gap.gap_insert, 2);
  EXPECT_EQ(std::string(StringData(doc->text)), "ab" + Filler(22));
  ASSERT_EQ(doc->lines.Count(), 1);
  EXPECT_EQ(LineText(*doc, 0), "ab");
  ExpectValid(*doc);
}

TEST(TypingGap, FullGapOpensANewOneAndLongTextGoesStraightIn) {
  auto doc = MakeTestDocument();
  for (int i = 0; i < 24; ++i) Type(doc.get(), "x");
  EXPECT_FALSE(doc->gap.gap_closed);
  EXPECT_EQ(doc->gap.gap_start, 24);
  EXPECT_EQ(doc->gap.gap_insert, 24);
  Type(doc.get(), "y");
  EXPECT_EQ(doc->gap.gap_insert, 25);
  EXPECT_EQ(Content(*doc), std::string(24, 'x') + "y");
  ExpectValid(*doc);

  auto other = MakeTestDocument("tail");
  std::string thirty(30, 'q');
  Type(other.get(), thirty);
  EXPECT_EQ(other->gap.gap_start, 30);
  EXPECT_EQ(other->gap.gap_insert, 30);
  EXPECT_EQ(std::string(StringData(other->text)), thirty + Filler(24) + "tail");
  EXPECT_EQ(other->caret, 30u);
  ExpectValid(*other);
}

TEST(TypingGap, EnterInTheGapSplitsThePatchedLine) {
  auto doc = MakeTestDocument("first\nlast");
  Type(doc.get(), "a");
  Type(doc.get(), "\n");
  Type(doc.get(), "b");
  EXPECT_EQ(doc->patched_lines.size(), 2u);
  ASSERT_EQ(doc->lines.Count(), 3);
  EXPECT_EQ(LineText(*doc, 0), "a");
  EXPECT_EQ(LineText(*doc, 1), "bfirst");
  EXPECT_EQ(LineText(*doc, 2), "last");
  EXPECT_EQ(doc->caret_line, 1u);
  EXPECT_EQ(doc->caret_column, 1u);
  ExpectValid(*doc);
}

TEST(TypingGap, CloseGapMovesOnlyOffsetsPastTheGap) {
  auto doc = MakeTestDocument("0123456789");
  // Gap at 0 with 24 free bytes; an offset past the gap end moves back.
  EXPECT_EQ(CloseGap(doc.get(), 30), 6);
  EXPECT_TRUE(doc->gap.gap_closed);
  EXPECT_EQ(doc->gap.gap_start, -1);
  EXPECT_EQ(doc->gap.gap_insert, -1);
  EXPECT_EQ(CloseGap(doc.get(), 30), 30);  // already closed: unchanged
  OpenGap(doc.get(), 4);
  EXPECT_EQ(CloseGap(doc.get(), 28), 28);  // at the gap end: kept
  EXPECT_EQ(std::string(StringData(doc->text)), "0123456789");
}

TEST(LineCache, LinesFollowTheText) {
  auto doc = MakeTestDocument("a\n\nbc\n");
  ASSERT_EQ(doc->lines.Count(), 4);
  EXPECT_EQ(LineText(*doc, 0), "a");
  EXPECT_EQ(LineText(*doc, 1), "");
  EXPECT_EQ(LineText(*doc, 2), "bc");
  EXPECT_EQ(LineText(*doc, 3), "");  // a final LF leaves an empty last line
  auto empty = MakeTestDocument("");
  EXPECT_EQ(empty->lines.Count(), 1);
  // A rescan after the text was written from outside the engine.
  CloseGapAtCaret(doc.get());
  SetString(&doc->text, "x\ny");
  RebuildLines(doc.get());
  ASSERT_EQ(doc->lines.Count(), 2);
  EXPECT_EQ(LineText(*doc, 1), "y");
  doc->render_cache->dirty = 0;
  RefreshLines(doc.get());
  EXPECT_EQ(doc->render_cache->dirty, 1);
  ExpectValid(*doc);
}

TEST(LineCache, ManyLinesInsertedAndRemovedAroundTheCaret) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i) + "\n";
  auto doc = MakeTestDocument(text);
  SetCaret(doc.get(), static_cast<int64_t>(text.size() / 2));
  for (int i = 0; i < 100; ++i) Type(doc.get(), i % 3 == 0 ? "\n" : "z");
  ExpectValid(*doc);
  for (int i = 0; i < 100; ++i) DeleteChars(doc.get(), 1, false);
  ExpectValid(*doc);
  EXPECT_TRUE(Content(*doc) == text);
  SetCaret(doc.get(), 10);
  std::string block;
  for (int i = 0; i < 50; ++i) block += "new\n";
  Type(doc.get(), block);  // longer than the gap: straight into the text
  ExpectValid(*doc);
  EXPECT_EQ(doc->lines.Count(), 3001 + 50);
  EXPECT_EQ(doc->caret_line, 51u);  // the block went into line 1
}

TEST(Caret, SetCaretClampsAndDescribesLineAndColumn) {
  auto doc = MakeTestDocument("ab\n\xC3\xA9x\n");
  CloseGapAtCaret(doc.get());
  EXPECT_EQ(SetCaret(doc.get(), 5), 1u);  // after é: one character
  EXPECT_EQ(doc->caret_line, 1u);
  SetCaret(doc.get(), 999, true);
  EXPECT_EQ(doc->caret, 7u);
  EXPECT_EQ(doc->caret_line, 2u);
  EXPECT_EQ(doc->caret_column, 0u);
  SetCaret(doc.get(), -5, true);
  EXPECT_EQ(doc->caret, 0u);
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(*CaretPointer(*doc), 'a');
}

TEST(Selection, BeginUpdateAndClear) {
  auto doc = MakeTestDocument("hello\nworld");
  SetCaret(doc.get(), 2);
  BeginSelection(doc.get(), true);
  EXPECT_TRUE(doc->gap.gap_closed);
  EXPECT_EQ(doc->sel_anchor, 2u);
  EXPECT_EQ(doc->anchor_column, 2);
  SetCaret(doc.get(), 8, true);
  UpdateSelection(doc.get());
  EXPECT_EQ(doc->sel_start, 2u);
  EXPECT_EQ(doc->sel_end, 8u);
  EXPECT_EQ(doc->sel_caret_line, 1);
  SetCaret(doc.get(), 1, true);
  UpdateSelection(doc.get());  // across the anchor: the far end stays
  EXPECT_EQ(doc->sel_start, 1u);
  EXPECT_EQ(doc->sel_end, 8u);
  SetCaret(doc.get(), 2, true);
  UpdateSelection(doc.get());  // back on the anchor: empty but present
  EXPECT_EQ(doc->sel_start, 2u);
  EXPECT_EQ(doc->sel_end, 2u);
  EXPECT_TRUE(doc->has_selection);
  ClearSelection(doc.get());
  ExpectValid(*doc);
}
