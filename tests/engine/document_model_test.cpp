// The text primitives under the editing commands: splices with clamped
// positions, closing the typing gap, the invariant checker; the clipboard
// commands' refusals (what they move is the reference model's test).
#include <gtest/gtest.h>

#include <utility>

#include "engine/clipboard.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/text_splice.h"
#include "tests/support/engine_test_document.h"
#include "tests/support/memory_clipboard.h"

// Positions outside the text are clamped to it, the line entries kept in step.
TEST(TextSplice, PositionsOutsideTheTextAreClampedToIt) {
  auto doc = MakeTestDocument("abc");
  CloseGapAtCaret(doc.get());
  const std::pair<int32_t, int32_t> steps[] = {{-1, 1}, {1, -3}, {99, 0}, {3, 99}};  // each puts a line feed
  const char* after[] = {"\nbc", "\n\nbc", "\n\nbc\n", "\n\nb\n"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(SpliceText(doc.get(), steps[i].first, steps[i].second, "\n", 1));
    EXPECT_EQ(Content(*doc), after[i]);
    EXPECT_TRUE(LinesMatchText(*doc)) << i;
    RefreshLines(doc.get());
    EXPECT_TRUE(CheckInvariants(*doc, nullptr)) << i;
  }
}

// The line cache shows the line typed in without the gap's filler: a load's
// gap before a long line, or typing at its end, copies none of it; typing
// elsewhere in it copies it once. (The bytes asked for, the growth rule's half
// on top, from the document's start on: the text, and the copy if any.)
TEST(TypingGap, TypingCopiesALongLineOnceAtMost) {
  static size_t asked = 0;
  for (int32_t at : {-1, 0, 1 << 19, 1 << 20}) {
    buffer_realloc = [](void* p, size_t n) { return asked += n, std::realloc(p, n); };
    asked = 0;
    auto doc = MakeTestDocument(std::string(1 << 20, 'x') + "\nnext");
    if (at >= 0) CloseGapAtCaret(doc.get()), SetCaret(doc.get(), at), InsertText(doc.get(), "y", 1);
    buffer_realloc = std::realloc;
    EXPECT_LE(asked, (at == 0 || at == (1 << 19) ? 2 : 1) * (3 << 19) + 8192) << at;
    EXPECT_EQ(LineText(*doc, 0).size(), (1u << 20) + (at >= 0)) << at;
  }
}

// With the line entries out of step, the line lookups scan the text.
TEST(LineLookup, ScansTheTextWhenTheEntriesAreOutOfStep) {
  auto doc = MakeTestDocument("ab\ncd\n\nef");
  CloseGapAtCaret(doc.get());
  doc->lines.text_length += 1;
  ASSERT_FALSE(LinesMatchText(*doc));
  const int32_t rows[][3] = {{0, 0, 0}, {1, 3, 1}, {2, 6, 2}, {3, 7, 3}, {9, 7, 3}};
  for (const auto& r : rows) {  // line, its start, the line of that start
    EXPECT_EQ(LineStartOffset(*doc, r[0]), r[1]) << r[0];
    EXPECT_EQ(LineOfOffset(*doc, r[1]), r[2]) << r[1];
  }
  // A caret moved from line 2 counts only the line feeds it crosses, and its
  // column starts at its own line's start.
  doc = MakeTestDocument("ab\ncd\nef\ngh\nij\nkl\nmn\n");
  CloseGapAtCaret(doc.get());
  doc->lines.text_length += 1;
  for (int32_t line : {0, 1, 2, 3, 5}) {
    SetCaret(doc.get(), 7);
    SetCaret(doc.get(), 3 * line + 2, true);
    EXPECT_EQ(doc->caret_line, static_cast<uint32_t>(line));
    EXPECT_EQ(doc->caret_column, 2u);
  }
}

// The checker the model tests rely on notices each kind of damage.
TEST(Invariants, EachKindOfDamageIsReported) {
  using Damage = void (*)(Document*);
  struct Row {
    const char* what;
    Damage damage;
  } rows[] = {
      {"no NUL", [](Document* d) { d->text.data[d->text.size - 1] = 'x'; }},
      {"gap bounds", [](Document* d) { d->gap.gap_insert = d->gap.gap_start - 1; }},
      {"gap bounds", [](Document* d) { d->gap.gap_insert = d->gap.gap_start + kGapSize + 1; }},
      {"gap bounds", [](Document* d) { d->gap.gap_start = -1; }},
      {"gap bounds", [](Document* d) { d->gap.gap_start = TextLength(*d) - kGapSize + 1; }},
      {"gap filler", [](Document* d) { d->text.data[d->gap.gap_insert] = 'f'; }},
      {"gap filler", [](Document* d) { d->text.data[d->gap.gap_start + kGapSize - 1] = 'f'; }},
      {"line cache out of step", [](Document* d) { d->lines.text_length += 1; }},
      {"line 0 differs", [](Document* d) { d->text.data[0] = '\n'; }},
      {"line 1 differs", [](Document* d) { d->text.data[TextLength(*d) - 3] = 'x'; }},
      {"caret beyond text", [](Document* d) { d->caret = TextLength(*d) + 1; }},
      {"caret_line", [](Document* d) { d->caret_line += 1; }},
      {"caret_column", [](Document* d) { d->caret_column += 1; }},
      {"selection fields without a selection", [](Document* d) { d->sel_end = 1; }},
      {"selection fields without a selection", [](Document* d) { d->anchor_line = 1; }},
  };
  for (const Row& row : rows) {
    auto doc = MakeTestDocument("ab\n\xC3\xA9z\ncd");
    CloseGapAtCaret(doc.get());
    SetCaret(doc.get(), 5);
    InsertText(doc.get(), "xy", 2);  // an open gap with typed bytes, after the é
    std::string why;
    ASSERT_TRUE(CheckInvariants(*doc, &why)) << why;
    row.damage(doc.get());
    EXPECT_FALSE(CheckInvariants(*doc, &why)) << row.what;
    EXPECT_EQ(why, row.what);
  }
}
