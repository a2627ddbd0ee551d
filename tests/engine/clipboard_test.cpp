// Cut, copy and paste through the in-memory clipboard.
#include <gtest/gtest.h>

#include "engine/clipboard.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/support/engine_test_document.h"
#include "tests/support/memory_clipboard.h"

TEST(Clipboard, CopyAndCutNeedANonEmptySelection) {
  auto doc = MakeTestDocument("abc");
  MemoryClipboard clip;
  clip.SetText("old");
  EXPECT_FALSE(CopySelection(doc.get(), clip));
  EXPECT_EQ(clip.Text(), "old");
  MoveRight(doc.get(), true);
  MoveLeft(doc.get(), true);  // empty selection, still present
  ASSERT_TRUE(doc->has_selection);
  EXPECT_FALSE(CopySelection(doc.get(), clip));
  EXPECT_FALSE(CutSelection(doc.get(), clip));
  EXPECT_EQ(clip.Text(), "old") << "what was copied before survives";
  EXPECT_EQ(Content(*doc), "abc");
}

TEST(Clipboard, CutAndCopyTakeTheSelectedBytesWithLfOnly) {
  auto doc = MakeTestDocument("one\ntwo\nthree");
  doc->eol_style = 1;
  MemoryClipboard clip;
  MoveDown(doc.get(), true);
  MoveDown(doc.get(), true);
  EXPECT_TRUE(CopySelection(doc.get(), clip));
  EXPECT_EQ(clip.Text(), "one\ntwo\n");
  EXPECT_TRUE(CutSelection(doc.get(), clip));
  EXPECT_EQ(Content(*doc), "three");
  EXPECT_EQ(doc->caret, 0u);
  EXPECT_FALSE(doc->has_selection);
}

// The line-end rule of a paste is the reference model's.
TEST(Clipboard, PasteConvertsLineEnds) {
  auto doc = MakeTestDocument("XY");
  MemoryClipboard clip;
  EXPECT_FALSE(PasteClipboard(doc.get(), clip));  // holds no text
  clip.SetText("a\r\nb");
  MoveRight(doc.get(), false);
  EXPECT_TRUE(PasteClipboard(doc.get(), clip));
  EXPECT_EQ(Content(*doc), "Xa\nbY");
  EXPECT_EQ(doc->caret, 4u);
  EXPECT_EQ(doc->caret_line, 1u);
  EXPECT_FALSE(doc->gap.gap_closed);
}
