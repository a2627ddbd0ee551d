// Growable buffers: the capacity rule as properties, resizing, and growth
// refused for want of memory or past the largest size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/editing.h"
#include "engine/grow_buffer.h"
#include "engine/text_splice.h"
#include "tests/support/engine_test_document.h"

// Growth that gets no memory is refused, leaving the string or the text as
// it was (a string that fits what it holds needs none). A rescanned line
// cache keeps room for a thousand new lines; past it, refused growth leaves
// the cache out of step until memory is back. Lengths past what a text can
// hold are refused before a byte is read (far fewer stand behind them).
TEST(GrowBuffer, RefusedGrowthChangesNothing) {
  GrowString s;
  ASSERT_TRUE(SetString(&s, "kept"));
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "x\n";
  auto doc = MakeTestDocument(text);
  CloseGapAtCaret(doc.get());
  const std::string lfs(60000, '\n');
  LineSlot slot{0, 0};
  buffer_realloc = [](void*, size_t) -> void* { return nullptr; };
  EXPECT_FALSE(SetString(&s, std::string(300, 'y').c_str()));
  EXPECT_FALSE(SetString(&s, "x", INT32_MAX));
  EXPECT_EQ(std::string(StringData(s)), "kept");
  EXPECT_TRUE(SetString(&s, std::string(s.capacity - 1, 'z').c_str()));  // fills what it has
  EXPECT_FALSE(SpliceText(doc.get(), 1, 0, lfs.data(), 60000));  // more than the text's room
  EXPECT_FALSE(SpliceText(doc.get(), 1, 0, "x", INT32_MAX - 9));
  EXPECT_FALSE(ReplaceAtHole(&doc->lines, 0, &slot, INT32_MAX / 8));
  EXPECT_TRUE(SpliceText(doc.get(), 1, 0, nullptr, 0)) << "an empty edit needs no room";
  EXPECT_EQ(Content(*doc), text);
  EXPECT_TRUE(SpliceText(doc.get(), 5, 0, lfs.data(), 1000));
  EXPECT_TRUE(LinesMatchText(*doc));
  EXPECT_TRUE(SpliceText(doc.get(), 5, 0, lfs.data(), 2000));
  EXPECT_FALSE(LinesMatchText(*doc));
  buffer_realloc = std::realloc;
  EXPECT_EQ(StringLength(s), s.capacity - 1);
  RefreshLines(doc.get());
  EXPECT_EQ(doc->lines.Count(), 53001);
  EXPECT_TRUE(CheckInvariants(*doc, nullptr));
}

// Typing that gets no memory leaves the text as it was and the caret on its
// character: a paste too long for the gap, with the caret past an open gap's
// filler, and a short typing that cannot reopen a closed gap.
TEST(GrowBuffer, RefusedTypingLeavesTheCaretOnItsCharacter) {
  auto doc = MakeTestDocument("one\ntwo\nthree\n");
  InsertText(doc.get(), "x", 1);
  SetCaret(doc.get(), 9 + kGapSize - 1, false);  // before "three", past the filler
  const std::string paste(4096, 'p');
  buffer_realloc = [](void*, size_t) -> void* { return nullptr; };
  InsertText(doc.get(), paste.data(), 4096);
  EXPECT_EQ(Content(*doc), "xone\ntwo\nthree\n");
  EXPECT_EQ(doc->caret, 9);
  EXPECT_TRUE(CheckInvariants(*doc, nullptr));
  buffer_realloc = std::realloc;
  const std::string fill(doc->text.capacity - doc->text.size - 1, 'f');  // one byte to spare
  ASSERT_TRUE(SpliceText(doc.get(), 0, 0, fill.data(), static_cast<int32_t>(fill.size())));
  SetCaret(doc.get(), 9, false);
  buffer_realloc = [](void*, size_t) -> void* { return nullptr; };
  InsertText(doc.get(), "ab", 2);
  buffer_realloc = std::realloc;
  EXPECT_EQ(Content(*doc), fill + "xone\ntwo\nthree\n");
  EXPECT_EQ(doc->caret, 9);
  EXPECT_TRUE(CheckInvariants(*doc, nullptr));
}
