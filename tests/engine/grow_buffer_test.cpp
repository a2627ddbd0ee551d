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

TEST(GrowBuffer, CapacityRule) {
  EXPECT_EQ(GrowCapacity(0, 128), 0);
  for (int32_t s : {1, 10, 255, 256, 257, 1000, 4000, 5000, 100000, 9000000, 64 << 20}) {
    // Strings: half the size again, at least the granularity.
    EXPECT_EQ(GrowCapacity(s, 128), s + std::max(s / 2, 128)) << s;
    // Arrays: 96 bytes short of a page, grown by about half the size, at
    // least about a page and at most 4 MiB.
    int32_t c = GrowCapacity(s, 4096);
    int32_t step = std::min(std::max(s / 2, 4096), 4194304);
    EXPECT_EQ((c + 96) % 4096, 0) << s;
    EXPECT_GT(c - s, step - 4096) << s;
    EXPECT_LE(c - s, step) << s;
  }
  EXPECT_EQ(GrowCapacity(INT32_MAX - 5, 128), INT32_MAX);
}

TEST(GrowBuffer, ResizeKeepsDataAndShrinksOnlyOnRequest) {
  GrowBuffer b(kStringGranularity);
  ASSERT_TRUE(ResizeBuffer(&b, 5));
  std::memcpy(b.data, "hello", 5);
  int32_t cap = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, 3));
  EXPECT_EQ(b.capacity, cap);
  ASSERT_TRUE(ResizeBuffer(&b, 2000));
  EXPECT_EQ(std::string(b.data, 3), "hel");
  int32_t grown = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, 1500, true));  // above half: kept
  EXPECT_EQ(b.capacity, grown);
  ASSERT_TRUE(ResizeBuffer(&b, 10, true));
  EXPECT_LT(b.capacity, grown);
  EXPECT_EQ(std::string(b.data, 3), "hel");
  // A small buffer shrinks only below four grains under its capacity.
  ASSERT_TRUE(ResizeBuffer(&b, 600));
  int32_t small = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, small - 4 * kStringGranularity, true));
  EXPECT_EQ(b.capacity, small);
  ASSERT_TRUE(ResizeBuffer(&b, small - 4 * kStringGranularity - 1, true));
  EXPECT_LT(b.capacity, small);
  ASSERT_TRUE(ResizeBuffer(&b, 0, true));  // shrunk to nothing: freed
  EXPECT_EQ(b.capacity, 0);
  EXPECT_EQ(b.data, nullptr);
  ASSERT_TRUE(ResizeBuffer(&b, -4));
  EXPECT_EQ(b.size, 0);
}

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
